#pragma once
// The notification-area icon and the hook that routes its mouse messages:
// the window's procedure is replaced once by one that opens the icon menu
// and hands every other message to the previous procedure.

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

namespace qw::win32 {

class TrayIcon {
public:
    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Installs the hook once; later calls do nothing. There is no unhook:
    // the window keeps it until it is destroyed.
    void HookWindow(HWND window, std::function<void()> onIconClick);
    void Add(HWND window, UINT id, HICON icon, const std::wstring& tip);
    void Remove();

    bool Hooked() const { return hooked_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    bool hooked_ = false;
    HWND window_ = nullptr;
    WNDPROC previous_ = nullptr;
    std::function<void()> onIconClick_;
    NOTIFYICONDATAW data_{};
};

}  // namespace qw::win32
