#pragma once
// The notification-area icon. The icon reports its mouse events to its
// window; the window hands each message to OnWindowMessage, which answers
// the icon's clicks and lets every other message go on untouched.
//
// When Explorer restarts, the notification area forgets every icon and
// announces itself with the registered message "TaskbarCreated"; an icon
// that was added is then added again, since a hidden program whose icon is
// gone could not be reached any more.

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <optional>
#include <string>

namespace qw::win32 {

class TrayIcon {
public:
    TrayIcon() = default;
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // From now on the icon's clicks reach `onIconClick` and its balloon's
    // `onBalloonClick`; before, OnWindowMessage answers none of them.
    void Route(std::function<void()> onIconClick, std::function<void()> onBalloonClick = {});
    // A message of the icon's window: the answer when it was the icon's (a
    // click), nothing when the window goes on with it.
    std::optional<LRESULT> OnWindowMessage(UINT message, LPARAM lParam);
    // Adds the icon, or brings an icon of the same identity up to date
    // (so a second add never leaves two). Its messages must be routed.
    void Add(HWND window, UINT id, HICON icon, const std::wstring& tip);
    void Remove();
    // Shows a balloon at the icon with the program's icon, or replaces the
    // text of the one on show. Nothing while the icon is not shown.
    void ShowBalloon(const std::wstring& title, const std::wstring& text);

    bool Routed() const { return routed_; }
    bool Shown() const { return shown_; }

private:
    void Notify();

    bool routed_ = false;
    std::function<void()> onIconClick_;
    std::function<void()> onBalloonClick_;
    UINT taskbarCreated_ = 0;
    bool shown_ = false;
    NOTIFYICONDATAW data_{};
};

}  // namespace qw::win32
