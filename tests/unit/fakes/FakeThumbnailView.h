#pragma once
// A thumbnail control that keeps what each slot and the scroll bar currently
// show, and counts the drawing it was asked to do.

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "main/ThumbnailStrip.h"
#include "main/ThumbnailView.h"

namespace qw {

// What one slot shows; a hidden slot shows nothing at all.
struct FakeSlot {
    bool Visible = false;
    int IconEntry = 0;           // 0 while a picture is shown
    HimetricSize PictureSize{};  // natural size of the picture shown
    SlotRect Image{};
    std::string ToolTip;

    bool operator==(const FakeSlot& o) const {
        return Visible == o.Visible && IconEntry == o.IconEntry &&
               PictureSize.Width == o.PictureSize.Width &&
               PictureSize.Height == o.PictureSize.Height && Image == o.Image &&
               ToolTip == o.ToolTip;
    }
};

class FakeThumbnailView : public ThumbnailView {
public:
    int clientWidth = 394;  // three slots
    ScrollBarState scrollBar;
    int scrollBarWidth = -1;
    int drawn = 0;             // slots shown (pictures and icons)
    int scrollBarPushes = 0;
    std::vector<std::string> calls;  // "show 2", "hide 5", "bar 1 4 4", "width 394"

    const FakeSlot& Slot(int slot) const { return slots_.at(Checked(slot)); }
    const std::array<FakeSlot, 7>& Slots() const { return slots_; }

    void ShowPicture(int slot, std::shared_ptr<const Picture> picture, SlotRect image,
                     const std::string& toolTip) override {
        if (!picture) throw std::invalid_argument("no picture");
        slots_[Checked(slot)] = {true, 0, picture->NaturalSize(), image, toolTip};
        ++drawn;
        calls.push_back("show " + std::to_string(slot));
    }
    void ShowIcon(int slot, int iconEntry, SlotRect image, const std::string& toolTip) override {
        if (iconEntry < 1 || iconEntry > 9) throw std::out_of_range("icon entry");
        slots_[Checked(slot)] = {true, iconEntry, {}, image, toolTip};
        ++drawn;
        calls.push_back("show " + std::to_string(slot));
    }
    void HideSlot(int slot) override {
        slots_[Checked(slot)] = {};
        calls.push_back("hide " + std::to_string(slot));
    }
    void SetSlotName(int slot, const std::string& name) override { names[Checked(slot)] = name; }
    void SetCurrentSlot(int slot) override { currentSlot = slot; }
    std::array<std::string, 7> names;  // the screen reader's name of each slot
    int currentSlot = 0;
    void SetScrollBar(bool enabled, int maximum, int value) override {
        if (maximum < 0 || value < 0 || value > maximum) throw std::out_of_range("scroll bar");
        scrollBar = {enabled, maximum, value};
        ++scrollBarPushes;
        calls.push_back("bar " + std::to_string(enabled) + " " + std::to_string(maximum) + " " +
                        std::to_string(value));
    }
    void SetScrollBarWidth(int width) override {
        scrollBarWidth = width;
        calls.push_back("width " + std::to_string(width));
    }
    int ClientWidth() const override { return clientWidth; }

private:
    static int Checked(int slot) {
        if (slot < 1 || slot > SlotCount) throw std::out_of_range("slot " + std::to_string(slot));
        return slot;
    }

    std::array<FakeSlot, 7> slots_{};  // 1 to 6; 0 unused
};

}  // namespace qw
