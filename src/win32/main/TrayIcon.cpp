#include "win32/main/TrayIcon.h"

#include <cwchar>
#include <iterator>

#include "main/TrayRouting.h"

namespace qw::win32 {

TrayIcon::~TrayIcon() { Remove(); }

void TrayIcon::Route(std::function<void()> onIconClick, std::function<void()> onBalloonClick) {
    onIconClick_ = std::move(onIconClick);
    onBalloonClick_ = std::move(onBalloonClick);
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    routed_ = true;
}

std::optional<LRESULT> TrayIcon::OnWindowMessage(UINT message, LPARAM lParam) {
    if (!routed_) return std::nullopt;
    if (taskbarCreated_ != 0 && message == taskbarCreated_) {
        if (shown_) Notify();
        return std::nullopt;  // the window may want to know too
    }
    switch (RouteWindowMessage(true, message, static_cast<std::intptr_t>(lParam))) {
        case TrayRoute::PopUpMenu:
            if (onIconClick_) onIconClick_();
            return -1;
        case TrayRoute::BalloonClick:
            if (onBalloonClick_) onBalloonClick_();
            return 0;
        case TrayRoute::NotRouted:
        case TrayRoute::PassOn:
            break;
    }
    return std::nullopt;
}

void TrayIcon::Add(HWND window, UINT id, HICON icon, const std::wstring& tip) {
    data_ = {};
    // The second form of the record: icon, callback message and a
    // 64-character tip as in the first, and the fields of a balloon.
    data_.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data_.hWnd = window;
    data_.uID = id;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = TrayCallbackMessage;
    data_.hIcon = icon;
    wcsncpy(data_.szTip, tip.c_str(), 63);
    data_.szTip[63] = L'\0';
    shown_ = true;
    Notify();
}

void TrayIcon::Notify() {
    // The icon alone: a notification area that comes back does not show the
    // last balloon again.
    NOTIFYICONDATAW icon = data_;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    // Refused when the icon is there already (a "TaskbarCreated" without a
    // restart): then it is brought up to date instead.
    if (!Shell_NotifyIconW(NIM_ADD, &icon)) Shell_NotifyIconW(NIM_MODIFY, &icon);
}

void TrayIcon::ShowBalloon(const std::wstring& title, const std::wstring& text) {
    if (!shown_) return;
    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_INFO;
    wcsncpy(balloon.szInfoTitle, title.c_str(), std::size(balloon.szInfoTitle) - 1);
    wcsncpy(balloon.szInfo, text.c_str(), std::size(balloon.szInfo) - 1);
    balloon.uTimeout = 10000;  // the systems that still read it
    balloon.dwInfoFlags = NIIF_USER;  // the icon's own picture
    Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

void TrayIcon::Remove() {
    if (!shown_) return;
    shown_ = false;
    Shell_NotifyIconW(NIM_DELETE, &data_);
}

}  // namespace qw::win32
