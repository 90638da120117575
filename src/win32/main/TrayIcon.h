#pragma once
// The notification-area icon and the hook that routes its mouse messages:
// the window's messages are watched once, the icon's clicks open the icon
// menu and every other message goes on to the window untouched.
//
// When Explorer restarts, the notification area forgets every icon and
// announces itself with the registered message "TaskbarCreated"; an icon
// that was added is then added again, since a hidden program whose icon is
// gone could not be reached any more.

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "win32/kit/Window.h"

namespace qw::win32 {

class TrayIcon {
public:
    TrayIcon() = default;
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Installs the hook once; later calls do nothing. It stays until the
    // window is destroyed.
    void HookWindow(HWND window, std::function<void()> onIconClick, std::function<void()> onBalloonClick = {});
    // Adds the icon, or brings an icon of the same identity up to date
    // (so a second add never leaves two). The hook must be installed.
    void Add(HWND window, UINT id, HICON icon, const std::wstring& tip);
    void Remove();
    // Shows a balloon at the icon with the program's icon, or replaces the
    // text of the one on show. Nothing while the icon is not shown.
    void ShowBalloon(const std::wstring& title, const std::wstring& text);

    bool Hooked() const { return hook_.Attached(); }
    bool Shown() const { return shown_; }

private:
    std::optional<LRESULT> OnWindowMessage(UINT message, LPARAM lParam);
    void Notify();

    Subclass hook_;
    std::function<void()> onIconClick_;
    std::function<void()> onBalloonClick_;
    UINT taskbarCreated_ = 0;
    bool shown_ = false;
    NOTIFYICONDATAW data_{};
};

}  // namespace qw::win32
