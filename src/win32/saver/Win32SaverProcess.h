#pragma once
// The screen saver's own process: whether another one runs, the mouse
// pointer, and its end.

#include <windows.h>

#include "saver/SaverPorts.h"
#include "win32/Handles.h"

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
    // Ends the message loop: once Ended(), the loop dispatches nothing more.
    void EndProcess() override;
    bool Ended() const { return ended_; }

private:
    KernelHandle running_;
    bool anotherRunning_ = false;
    bool ended_ = false;
};

}  // namespace qw::win32
