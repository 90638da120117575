// The thumbnail strip from the keyboard: the strip and its scroll bar take
// the focus, pass their keys on, and the current thumbnail shows the focus
// rectangle while the keyboard cues are on; and the messages of a screen reader.

#include "main/ThumbnailStrip.h"
#include "win32/main/KeyboardInput.h"
#include "win32/main/ThumbnailControl.h"
#include "win32/kit/Utf.h"

namespace qw::win32 {

namespace {
// Around the thumbnail's frame, two 96-dpi pixels out, at the strip's scale.
RECT FocusMarkOf(int slot, qw::Scale scale) {
    const qw::SlotRect frame = qw::FrameOf(slot, scale);
    RECT r{frame.Left, frame.Top, frame.Left + frame.Width, frame.Top + frame.Height};
    InflateRect(&r, scale(2), scale(2));
    return r;
}
}  // namespace

void ThumbnailControl::SetSlotName(int slot, const std::string& name) { SlotAt(slot).name = Widen(name); }

void ThumbnailControl::SetCurrentSlot(int slot) {
    if (slot != 0) SlotAt(slot);  // checks the number
    if (slot == current_) return;
    InvalidateFocus();
    current_ = slot;
    InvalidateFocus();
    if (slot == 0 || !Handle()) return;
    DrawnAccessible::NotifySelection(Handle(), PartOfSlot(slot));
    if (GetFocus() == Handle()) DrawnAccessible::NotifyFocus(Handle(), PartOfSlot(slot));
}

void ThumbnailControl::InvalidateFocus() {
    if (!Handle()) return;
    if (current_ == 0) {
        InvalidateRect(Handle(), nullptr, FALSE);
        return;
    }
    const RECT r = FocusMarkOf(current_, scale_);
    InvalidateRect(Handle(), &r, FALSE);
}

void ThumbnailControl::PaintFocus(HDC dc) {
    if (!ShowsFocusMark(Handle())) return;
    RECT mark;
    if (current_ != 0) {
        mark = FocusMarkOf(current_, scale_);
    } else {
        // No current file on show: the strip as a whole has the focus.
        GetClientRect(Handle(), &mark);
        mark.bottom = qw::ScrollBarTopAt(scale_) - scale_(2);
        InflateRect(&mark, -1, -1);
    }
    DrawFocusMark(dc, mark);
}

std::optional<LRESULT> ThumbnailControl::OnKeyboardMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE: return kWantsEveryKey;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (const auto key = NavigationKeyOf(message, wParam)) {
                KeyboardUsed(Handle());
                // Last thing done here: the key may open a file or a menu.
                if (OnKey) OnKey(qw::FocusPlace::Strip, *key);
                return 0;
            }
            return std::nullopt;
        case WM_CONTEXTMENU:
            // The menu keys were answered as keys; the system's echo of them is not passed up.
            if (lParam == -1) return 0;
            return std::nullopt;
        case kOpenSlot:
            if (SlotAt(static_cast<int>(wParam)).content != Content::Hidden && OnSlotDoubleClick)
                OnSlotDoubleClick(static_cast<int>(wParam));
            return 0;
        default:
            return AnswerFocusMessage(Handle(), message, wParam, lParam, accessible_, *this,
                                      [this] { InvalidateFocus(); });
    }
}

std::optional<LRESULT> ThumbnailControl::OnScrollBarMessage(UINT message, WPARAM wParam) {
    if (message == WM_GETDLGCODE) return DLGC_WANTARROWS | DLGC_WANTTAB;
    if (message != WM_KEYDOWN || wParam != VK_TAB) return std::nullopt;
    const auto key = NavigationKeyOf(message, wParam);
    KeyboardUsed(Handle());
    if (OnKey) OnKey(qw::FocusPlace::ScrollButtons, *key);
    return 0;
}

}  // namespace qw::win32
