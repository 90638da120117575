#include "win32/SettingsWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include "win32/CommonDialogs.h"
#include "win32/kit/Styles.h"
#include "win32/kit/Utf.h"

namespace qw::win32 {

namespace {

using enum SettingsControl;

constexpr UINT_PTR ClockTimerId = 1;

bool IsCheckBox(SettingsControl control) {
    switch (control) {
        case ShowWindowBox:
        case PrintBox:
        case ClipboardBox:
        case EmailBox:
        case WallpaperBox:
        case AddToScreenSaverBox:
        case CopyToFolderBox:
        case ReceivedFolderBox:
        case UseScreenSaverBox:
        case ShowClockBox:
            return true;
        default:
            return false;
    }
}

}  // namespace

SettingsWindow::SettingsWindow(HINSTANCE instance, HWND owner) {
    InitStyles();  // the tab control's class
    CreateDialogFrame(instance, SettingsWindowClass, L"Settings", owner);
    CreateControls();
}

SettingsWindow::~SettingsWindow() {
    // The controls go before the fonts they are drawn in.
    DestroyNow();
}

// ---------------------------------------------------------------- the view

void SettingsWindow::SetCheck(SettingsControl box, CheckState state) {
    const WPARAM check = state == CheckState::Checked  ? BST_CHECKED
                         : state == CheckState::Grayed ? BST_INDETERMINATE
                                                       : BST_UNCHECKED;
    SendMessageW(Control(box), BM_SETCHECK, check, 0);
}

CheckState SettingsWindow::Check(SettingsControl box) const {
    switch (SendMessageW(Control(box), BM_GETCHECK, 0, 0)) {
        case BST_CHECKED:
            return CheckState::Checked;
        case BST_INDETERMINATE:
            return CheckState::Grayed;
        default:
            return CheckState::Unchecked;
    }
}

void SettingsWindow::SetEnabled(SettingsControl control, bool enabled) {
    EnableWindow(Control(control), enabled ? TRUE : FALSE);
}

void SettingsWindow::SetText(SettingsControl textBox, const std::string& text) {
    SetWindowTextW(Control(textBox), Widen(text).c_str());
}

std::string SettingsWindow::Text(SettingsControl textBox) const {
    HWND box = Control(textBox);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

void SettingsWindow::SetResizeImages(bool resize) {
    SendMessageW(Control(ResizeOption), BM_SETCHECK, resize ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(Control(OriginalSizeOption), BM_SETCHECK, resize ? BST_UNCHECKED : BST_CHECKED, 0);
}

bool SettingsWindow::ResizeImages() const {
    return SendMessageW(Control(ResizeOption), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SettingsWindow::SelectTab(SettingsTab tab) {
    const int page = static_cast<int>(tab);
    TabCtrl_SetCurSel(tabs_, page);
    ShowPage(static_cast<SettingsPage>(page));
}

void SettingsWindow::SetInboxTabAvailable(bool available) {
    inboxAvailable_ = available;
    InvalidateRect(tabs_, nullptr, TRUE);
    if (!available && page_ == SettingsPage::Inbox) SelectTab(SettingsTab::ScreenSaver);
}

void SettingsWindow::SetSwatchColor(std::int32_t color) {
    swatchColor_ = ToColorRef(color);
    InvalidateRect(swatch_, nullptr, FALSE);
}

void SettingsWindow::SetClockBackColor(std::int32_t color) {
    clockBackColor_ = ToColorRef(color);
    InvalidateRect(clock_, nullptr, FALSE);
}

void SettingsWindow::SetClockTextColor(std::int32_t color) {
    clockTextColor_ = ToColorRef(color);
    InvalidateRect(clock_, nullptr, FALSE);
}

void SettingsWindow::SetClockText(const std::string& text) {
    clockText_ = Widen(text);
    // Also as the window's text, for screen readers.
    SetWindowTextW(clock_, clockText_.c_str());
    InvalidateRect(clock_, nullptr, FALSE);
}

void SettingsWindow::StartClockTimer(unsigned milliseconds) { SetTimer(Handle(), ClockTimerId, milliseconds, nullptr); }

void SettingsWindow::StopClockTimer() { KillTimer(Handle(), ClockTimerId); }

void SettingsWindow::Hide(bool) { EndModal(); }

void SettingsWindow::ShowModal(SettingsDialog& presenter) {
    presenter_ = &presenter;
    try {
        RunModal();
    } catch (...) {
        presenter_ = nullptr;
        throw;
    }
    presenter_ = nullptr;
}

// ---------------------------------------------------------------- pages

void SettingsWindow::ShowPage(SettingsPage page) {
    page_ = page;
    HWND focus = GetFocus();
    for (const auto& [control, on] : pageControls_) {
        const bool show = on == page;
        // A control about to disappear must not keep the keyboard.
        if (!show && control == focus) SetFocus(tabs_);
        ShowWindow(control, show ? SW_SHOWNA : SW_HIDE);
    }
}

void SettingsWindow::OnTabChanged() {
    const int chosen = TabCtrl_GetCurSel(tabs_);
    if (!Available(chosen)) {
        // Not to be chosen: back to the page that was showing.
        TabCtrl_SetCurSel(tabs_, static_cast<int>(page_));
        return;
    }
    ShowPage(static_cast<SettingsPage>(chosen));
}

void SettingsWindow::StepPage(int step) {
    const int count = TabCtrl_GetItemCount(tabs_);
    int page = static_cast<int>(page_);
    do {
        page = (page + step + count) % count;
    } while (!Available(page));
    TabCtrl_SetCurSel(tabs_, page);
    ShowPage(static_cast<SettingsPage>(page));
    SetFocus(tabs_);
}

bool SettingsWindow::PreTranslate(const MSG& message) {
    // Ctrl+Tab and Ctrl+PgDn go to the next page, with Shift or PgUp back.
    if (message.message != WM_KEYDOWN || !(GetKeyState(VK_CONTROL) & 0x8000)) return false;
    if (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd)) return false;
    const bool back = message.wParam == VK_PRIOR || (message.wParam == VK_TAB && (GetKeyState(VK_SHIFT) & 0x8000));
    if (message.wParam != VK_TAB && message.wParam != VK_NEXT && message.wParam != VK_PRIOR) return false;
    StepPage(back ? -1 : 1);
    return true;
}

// ---------------------------------------------------------------- messages

void SettingsWindow::OnCommand(int id) {
    if (!presenter_) return;
    switch (id) {
        case IDOK:
            presenter_->OnOk();
            return;
        case IDCANCEL:
            presenter_->OnCancel();
            return;
        case IdSelectBackgroundColor:
            presenter_->OnSelectBackgroundColor();
            return;
        case IdSelectClockColor:
            presenter_->OnSelectClockColor();
            return;
        default:
            break;
    }
    const int index = id - FirstSettingsControlId;
    if (index < 0 || index >= static_cast<int>(controls_.size())) return;
    const auto control = static_cast<SettingsControl>(index);
    if (control == BrowseCopyFolder)
        presenter_->OnSelectFolder();
    else if (control == BrowseReceivedFolder)
        presenter_->OnSelectReceivedFolder();
    else if (IsCheckBox(control))
        presenter_->OnCheckBoxClick(control);
}

void SettingsWindow::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    SetBkMode(dc, TRANSPARENT);
    if (item.CtlType == ODT_TAB) {
        wchar_t title[64] = {};
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = title;
        tab.cchTextMax = 64;
        TabCtrl_GetItem(tabs_, item.itemID, &tab);
        const bool available = Available(static_cast<int>(item.itemID));
        SetTextColor(dc, GetSysColor(available ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        DrawTextW(dc, title, -1, &area, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        return;
    }
    if (item.hwndItem == swatch_) {
        const Brush fill(CreateSolidBrush(swatchColor_));
        FillRect(dc, &area, fill.Get());
    } else if (item.hwndItem == clock_) {
        // The clock as the slide show shows it: its colours, its bold face.
        const Brush fill(CreateSolidBrush(clockBackColor_));
        FillRect(dc, &area, fill.Get());
        const Selection font(dc, clockFont_.Get());
        SetTextColor(dc, clockTextColor_);
        DrawTextW(dc, clockText_.c_str(), -1, &area, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    }
}

LRESULT SettingsWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
            return 0;
        case WM_CLOSE:
            if (presenter_) presenter_->OnClose();
            return 0;
        case WM_TIMER:
            if (wParam == ClockTimerId && presenter_) presenter_->OnClockTimer();
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) OnTabChanged();
            return 0;
        }
        case WM_DRAWITEM:
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_DESTROY:
            KillTimer(Handle(), ClockTimerId);
            return 0;
        default:
            return DialogWindow::OnMessage(message, wParam, lParam);
    }
}

}  // namespace qw::win32
