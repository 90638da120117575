// The task pane from the keyboard: it takes the focus and every key, passes
// the keys on and draws the focused item; and the messages of a screen reader.

#include "win32/main/KeyboardInput.h"
#include "win32/main/TaskPaneControl.h"

namespace qw::win32 {

bool TaskPaneControl::ShowsFocusOn(const Item& item) const {
    return !focus_.empty() && item.key == focus_ && ShowsFocusMark(Handle());
}

RECT TaskPaneControl::FocusMark(const Item& item) const {
    RECT mark = item.hit;
    InflateRect(&mark, Scaled(2), Scaled(1));
    return mark;
}

void TaskPaneControl::InvalidateFocus() {
    if (const Item* item = FindItem(focus_)) {
        const RECT mark = FocusMark(*item);
        Invalidate(&mark);
    }
}

void TaskPaneControl::SetFocusItem(const std::string& itemKey) {
    if (itemKey == focus_) return;
    InvalidateFocus();
    focus_.clear();
    if (itemKey.empty()) return;
    const Item& item = ItemOrThrow(itemKey);
    focus_ = itemKey;
    // Scrolled just far enough to show the whole item.
    RECT client;
    GetClientRect(Handle(), &client);
    const RECT shown = ToClient(item.hit);
    if (shown.top < 0)
        ScrollTo(scroll_ + shown.top - Scaled(6));
    else if (shown.bottom > client.bottom)
        ScrollTo(scroll_ + shown.bottom - client.bottom + Scaled(6));
    InvalidateFocus();
    if (GetFocus() == Handle()) DrawnAccessible::NotifyFocus(Handle(), PartOfItem(focus_));
}

std::optional<LRESULT> TaskPaneControl::OnKeyboardMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE: return kWantsEveryKey;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (const auto key = NavigationKeyOf(message, wParam)) {
                KeyboardUsed(Handle());
                // Last thing done here: the key may run a command with a dialog.
                if (OnKey) OnKey(*key);
                return 0;
            }
            return std::nullopt;
        case kRunPart:
            if (const Part part = PartAt(static_cast<long>(wParam)); part.item && part.item->clickable && OnItemClick)
                OnItemClick(part.item->key);
            return 0;
        default:
            return AnswerFocusMessage(Handle(), message, wParam, lParam, accessible_, *this,
                                      [this] { InvalidateFocus(); });
    }
}

}  // namespace qw::win32
