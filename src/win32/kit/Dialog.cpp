#include "win32/kit/Dialog.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "win32/kit/Fonts.h"
#include "win32/kit/Utf.h"

namespace qw::win32 {

// ---------------------------------------------------------------- dialog units

DialogUnits::DialogUnits(HFONT font) : font_(font) {
    const ClientDC screen;
    const Selection selected(screen.Get(), font);
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(screen.Get(), &metrics)) baseY_ = metrics.tmHeight;
    // The average width of the 52 letters, as Windows measures dialog fonts.
    static const wchar_t letters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE size{};
    if (GetTextExtentPoint32W(screen.Get(), letters, 52, &size)) baseX_ = (size.cx / 26 + 1) / 2;
    if (baseX_ <= 0) baseX_ = 1;
    if (baseY_ <= 0) baseY_ = 1;
}

RECT DialogUnits::Rect(POINT origin, int x, int y, int width, int height) const {
    const int left = origin.x + X(x);
    const int top = origin.y + Y(y);
    return {left, top, left + X(width), top + Y(height)};
}

int DialogUnits::TextWidth(const std::wstring& text) const {
    if (text.empty()) return 0;
    const ClientDC screen;
    const Selection selected(screen.Get(), font_);
    RECT r{0, 0, 0, 0};
    DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    return (r.right * 4 + baseX_ - 1) / baseX_;
}

int DialogUnits::TextHeight(const std::wstring& text, int width) const {
    if (text.empty()) return 0;
    const ClientDC screen;
    const Selection selected(screen.Get(), font_);
    RECT r{0, 0, width > 0 ? X(width) : 0, 0};
    const UINT wrap = width > 0 ? DT_WORDBREAK : DT_SINGLELINE;
    DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | wrap);
    return (r.bottom * 8 + baseY_ - 1) / baseY_;
}

// ---------------------------------------------------------------- dialog window

DialogWindow::DialogWindow() = default;

DialogWindow::~DialogWindow() {
    EnableOwner();
    // The controls go before the font they are drawn in.
    DestroyNow();
}

void DialogWindow::CreateDialogFrame(HINSTANCE instance, const wchar_t* className, const std::wstring& title,
                                     HWND owner) {
    instance_ = instance;
    font_ = FontFrom(MessageFontDescription(), MessageFontDescription().lfWeight);
    units_ = DialogUnits(font_.Get());
    Create(instance,
           {.Name = className, .Background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1))},
           {.Parent = owner,
            .Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS,
            .ExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
            .X = 0,
            .Y = 0,
            .Width = 100,
            .Height = 100,
            .Title = title});
    // A fixed border: no sizing, no minimising or maximising.
    HMENU system = GetSystemMenu(Handle(), FALSE);
    for (const UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) DeleteMenu(system, command, MF_BYCOMMAND);
}

HWND DialogWindow::AddControl(const wchar_t* className, const std::wstring& text, DWORD style, const RECT& place,
                              int id, DWORD exStyle) {
    HWND control = CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, place.left,
                                   place.top, place.right - place.left, place.bottom - place.top, Handle(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (!control)
        throw std::runtime_error("cannot create a control of the dialog: " + ErrorText(GetLastError()));
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    return control;
}

void DialogWindow::SetClientSize(int width, int height) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogWindow::PlaceOverOwner() {
    HWND owner = GetWindow(Handle(), GW_OWNER);
    RECT area{};
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &area);
    } else {
        // A hidden owner (the main program lives in the notification area):
        // the middle of the screen that holds the mouse.
        POINT cursor{};
        GetCursorPos(&cursor);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY), &monitor);
        area = monitor.rcWork;
    }
    RECT self;
    GetWindowRect(Handle(), &self);
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    // Never with the caption off the screen.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&area, MONITOR_DEFAULTTOPRIMARY), &monitor);
    x = std::max<int>(monitor.rcWork.left, std::min<int>(x, monitor.rcWork.right - width));
    y = std::max<int>(monitor.rcWork.top, std::min<int>(y, monitor.rcWork.bottom - height));
    SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogWindow::RunModal() {
    HWND owner = GetWindow(Handle(), GW_OWNER);
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        disabledOwner_ = owner;
    }
    PlaceOverOwner();
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    if (!lastFocus_) lastFocus_ = GetNextDlgTabItem(Handle(), nullptr, FALSE);
    if (lastFocus_) SetFocus(lastFocus_);

    MSG message;
    while (Handle() && IsWindowVisible(Handle())) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        if (PreTranslate(message)) continue;
        if (!Handle() || !IsDialogMessageW(Handle(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    EnableOwner();
}

void DialogWindow::EndModal() {
    // The owner first, so Windows hands the activation back to it.
    EnableOwner();
    ShowWindow(Handle(), SW_HIDE);
}

void DialogWindow::EnableOwner() {
    if (disabledOwner_) EnableWindow(std::exchange(disabledOwner_, nullptr), TRUE);
}

LRESULT DialogWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            // Windows would put the focus on the dialog itself; the user
            // expects it back on the control they left.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
            } else if (!HIWORD(wParam)) {
                if (!lastFocus_ || !IsWindow(lastFocus_) || !IsWindowVisible(lastFocus_) ||
                    !IsWindowEnabled(lastFocus_))
                    lastFocus_ = GetNextDlgTabItem(Handle(), nullptr, FALSE);
                if (lastFocus_) SetFocus(lastFocus_);
            }
            return 0;
        case WM_NEXTDLGCTL: {
            // How IsDialogMessage moves the focus for a label's mnemonic: the
            // control given, or the next (previous) one in the Tab order.
            HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                         : GetNextDlgTabItem(Handle(), GetFocus(), wParam != 0);
            if (!target) return 0;
            SetFocus(target);
            // A text box reached from the keyboard has its text selected, ready to be typed over.
            if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
            return 0;
        }
        case DM_GETDEFID:
            return MAKELRESULT(defaultButton_, DC_HASDEFID);
        case DM_SETDEFID:
            defaultButton_ = static_cast<int>(wParam);
            return TRUE;
        case WM_CLOSE:
            SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace qw::win32
