#pragma once
// The screen saver's own process: whether another one runs, the mouse
// pointer, and its end.

#include <windows.h>

#include "saver/SaverPorts.h"
#include "win32/kit/Handles.h"

namespace qw::win32 {

class Win32SaverProcess : public qw::SaverProcess {
public:
    // Marks this process as a running screen saver for as long as the
    // object lives, and notes whether another one was marked already.
    Win32SaverProcess();

    bool IsScreenSaverAlreadyRunning(const std::string& windowTitle) override;
    std::uint32_t ProcessId() override { return GetCurrentProcessId(); }
    void HidePointer() override { ShowCursor(FALSE); }
    void ShowPointer() override { ShowCursor(TRUE); }
    // Exits: Windows takes the process's windows along.
    [[noreturn]] void EndProcess() override;

private:
    KernelHandle running_;
    bool anotherRunning_ = false;
};

}  // namespace qw::win32
