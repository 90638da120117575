// The thumbnail strip for a screen reader: each shown thumbnail is a part of
// the strip's accessible object, an item of a list.

#include "main/ThumbnailStrip.h"
#include "win32/main/ThumbnailControl.h"

namespace qw::win32 {

int ThumbnailControl::SlotOfPart(long part) const {
    long n = 0;
    for (int slot = 1; slot <= static_cast<int>(slots_.size()); ++slot)
        if (SlotAt(slot).content != Content::Hidden && ++n == part) return slot;
    return 0;
}

long ThumbnailControl::PartOfSlot(int slot) const {
    if (slot == 0 || SlotAt(slot).content == Content::Hidden) return 0;
    long n = 0;
    for (int s = 1; s <= slot; ++s)
        if (SlotAt(s).content != Content::Hidden) ++n;
    return n;
}

long ThumbnailControl::PartCount() const {
    long n = 0;
    for (const Slot& s : slots_)
        if (s.content != Content::Hidden) ++n;
    return n;
}

std::wstring ThumbnailControl::PartName(long part) const {
    const Slot& s = SlotAt(SlotOfPart(part));
    return s.name.empty() ? s.toolTip : s.name;
}

std::wstring ThumbnailControl::PartDescription(long part) const { return SlotAt(SlotOfPart(part)).toolTip; }

long ThumbnailControl::PartRole(long) const { return ROLE_SYSTEM_LISTITEM; }

long ThumbnailControl::PartState(long) const { return STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE; }

RECT ThumbnailControl::PartPlace(long part) const {
    const qw::SlotRect frame = qw::FrameOf(SlotOfPart(part), scale_);
    return {frame.Left, frame.Top, frame.Left + frame.Width, frame.Top + frame.Height};
}

std::wstring ThumbnailControl::PartAction(long) const { return L"Open"; }

bool ThumbnailControl::RunPartAction(long part) {
    const int slot = SlotOfPart(part);
    return slot != 0 && PostMessageW(Handle(), kOpenSlot, static_cast<WPARAM>(slot), 0) != FALSE;
}

long ThumbnailControl::FocusedPart() const { return PartOfSlot(current_); }

long ThumbnailControl::SelectedPart() const { return PartOfSlot(current_); }

long ThumbnailControl::OwnRole() const { return ROLE_SYSTEM_LIST; }

}  // namespace qw::win32
