#pragma once
// The thumbnail strip as its presenter sees it: one row of six slots, each an
// image inside a fixed frame, and a horizontal scroll bar below them. The
// control decides nothing; it draws what it is told and reports the user's
// clicks, scrolls and size changes to the presenter.

#include <memory>
#include <string>

#include "shared/Pictures.h"

namespace qw {

// A rectangle in pixels of the strip's client area.
struct SlotRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const SlotRect&) const = default;
};

class ThumbnailView {
public:
    virtual ~ThumbnailView() = default;

    // Slots are numbered 1 to 6. Showing a slot shows its image at `image`
    // (the picture stretched to that rectangle) with the tool tip, and the
    // slot's frame, which never moves.
    virtual void ShowPicture(int slot, std::shared_ptr<const Picture> picture, SlotRect image,
                             const std::string& toolTip) = 0;
    // `iconEntry` is one of the nine 32 x 32 document icons, 1 to 9.
    virtual void ShowIcon(int slot, int iconEntry, SlotRect image, const std::string& toolTip) = 0;
    // Hides the slot's image and its frame.
    virtual void HideSlot(int slot) = 0;
    // The file's name as a screen reader reads it, for the slot just shown.
    virtual void SetSlotName(int slot, const std::string& name) = 0;
    // The slot of the current file, which has the strip's keyboard focus;
    // 0 when that file is not on show.
    virtual void SetCurrentSlot(int slot) = 0;

    // The scroll bar's state as the presenter holds it (the minimum is always 0).
    // Setting it must not be reported back as a scroll.
    virtual void SetScrollBar(bool enabled, int maximum, int value) = 0;
    virtual void SetScrollBarWidth(int width) = 0;

    virtual int ClientWidth() const = 0;
};

}  // namespace qw
