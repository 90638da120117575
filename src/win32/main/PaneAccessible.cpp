// The task pane for a screen reader: each bar title and item is a part of the
// pane's accessible object.

#include "win32/main/TaskPaneControl.h"

namespace qw::win32 {

TaskPaneControl::Part TaskPaneControl::PartAt(long part) const {
    long n = 0;
    for (const Bar& bar : bars_) {
        if (++n == part) return {&bar, nullptr};
        for (const Item& item : bar.items)
            if (++n == part) return {&bar, &item};
    }
    return {};
}

long TaskPaneControl::PartOfItem(const std::string& key) const {
    long n = 0;
    for (const Bar& bar : bars_) {
        ++n;
        for (const Item& item : bar.items) {
            ++n;
            if (item.key == key) return n;
        }
    }
    return 0;
}

long TaskPaneControl::PartCount() const {
    long n = 0;
    for (const Bar& bar : bars_) n += 1 + static_cast<long>(bar.items.size());
    return n;
}

std::wstring TaskPaneControl::PartName(long part) const {
    const Part p = PartAt(part);
    return p.item ? p.item->caption : p.bar ? p.bar->title : std::wstring();
}

long TaskPaneControl::PartRole(long part) const {
    return PartAt(part).item ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_STATICTEXT;
}

long TaskPaneControl::PartState(long part) const {
    const Part p = PartAt(part);
    if (!p.item) return STATE_SYSTEM_READONLY;
    long state = STATE_SYSTEM_FOCUSABLE;
    if (!p.item->clickable) state |= STATE_SYSTEM_UNAVAILABLE;
    if (p.item->key == hot_) state |= STATE_SYSTEM_HOTTRACKED;
    RECT client;
    GetClientRect(Handle(), &client);
    const RECT shown = ToClient(p.item->hit);
    if (shown.bottom <= 0 || shown.top >= client.bottom) state |= STATE_SYSTEM_OFFSCREEN;
    return state;
}

RECT TaskPaneControl::PartPlace(long part) const {
    const Part p = PartAt(part);
    if (!p.bar) return {};
    return ToClient(p.item ? p.item->hit : p.bar->header);
}

std::wstring TaskPaneControl::PartAction(long part) const {
    const Part p = PartAt(part);
    return p.item && p.item->clickable ? L"Press" : L"";
}

bool TaskPaneControl::RunPartAction(long part) {
    const Part p = PartAt(part);
    if (!p.item || !p.item->clickable) return false;
    return PostMessageW(Handle(), kRunPart, static_cast<WPARAM>(part), 0) != FALSE;
}

long TaskPaneControl::FocusedPart() const { return PartOfItem(focus_); }

long TaskPaneControl::OwnRole() const { return ROLE_SYSTEM_PANE; }

}  // namespace qw::win32
