#include "win32/saver/Win32SaverProcess.h"

#include "win32/kit/Utf.h"

namespace qw::win32 {

namespace {
// One name in the session for every copy of the screen saver, wherever its
// file lies: Windows starts it from the system folder, the main program's
// preview from beside itself.
constexpr const wchar_t* RunningMark = L"Local\\Quillwave.ScreenSaver.Running";
}  // namespace

Win32SaverProcess::Win32SaverProcess() : running_(CreateMutexW(nullptr, FALSE, RunningMark)) {
    anotherRunning_ = running_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

bool Win32SaverProcess::IsScreenSaverAlreadyRunning(const std::string& windowTitle) {
    // Only a top-level window counts: a preview in the small monitor is a
    // child of the display settings and no running slide show.
    if (!anotherRunning_) return false;
    const std::wstring title = Widen(windowTitle);
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, nullptr, title.c_str()));)
        if (IsWindowVisible(window)) return true;
    return false;
}

void Win32SaverProcess::EndProcess() {
    ExitProcess(0);
}

}  // namespace qw::win32
