#include "win32/TrayIcon.h"

#include <cwchar>

#include "main/TrayRouting.h"

namespace qw::win32 {

namespace {
const wchar_t* const HookProperty = L"Quillwave.TrayIcon";
}

void TrayIcon::HookWindow(HWND window, std::function<void()> onIconClick) {
    if (hooked_) return;
    window_ = window;
    onIconClick_ = std::move(onIconClick);
    SetPropW(window, HookProperty, this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayIcon::WindowProc)));
    hooked_ = true;
}

LRESULT CALLBACK TrayIcon::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TrayIcon*>(GetPropW(window, HookProperty));
    const bool hooked = self != nullptr && self->hooked_;
    switch (RouteWindowMessage(hooked, message, static_cast<std::intptr_t>(lParam))) {
        case TrayRoute::NotHooked:
            return 0;
        case TrayRoute::PopUpMenu:
            if (self->onIconClick_) self->onIconClick_();
            return -1;
        case TrayRoute::PassOn:
            break;
    }
    WNDPROC previous = self->previous_;
    if (message == WM_NCDESTROY) RemovePropW(window, HookProperty);
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

void TrayIcon::Add(HWND window, UINT id, HICON icon, const std::wstring& tip) {
    data_ = {};
    // The first form of the record: icon, callback message and a 64-character tip.
    data_.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data_.hWnd = window;
    data_.uID = id;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = TrayCallbackMessage;
    data_.hIcon = icon;
    wcsncpy(data_.szTip, tip.c_str(), 63);
    data_.szTip[63] = L'\0';
    Shell_NotifyIconW(NIM_ADD, &data_);
}

void TrayIcon::Remove() { Shell_NotifyIconW(NIM_DELETE, &data_); }

}  // namespace qw::win32
