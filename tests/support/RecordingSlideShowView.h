#pragma once
// A slide-show view that stands between the presenter and the real window:
// it passes every call on and keeps where the presenter put each cell and
// the clock, so a test can read the window's pixels at those places. It can
// also report another inner size than the window's, for a screen this
// machine does not have.

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "saver/SlideShowView.h"

namespace qw::test {

class RecordingSlideShowView : public SlideShowView {
public:
    explicit RecordingSlideShowView(SlideShowView& window, std::optional<PixelSize> inner = std::nullopt)
        : window_(window), inner_(inner) {}

    std::map<int, ScreenRect> cells;  // the cells showing a picture
    int lastCell = 0;                 // the cell given a picture last
    ScreenRect clock{};
    std::string clockText;

    PixelSize InnerSize() const override { return inner_ ? *inner_ : window_.InnerSize(); }
    Resolution DisplayResolution() const override { return window_.DisplayResolution(); }
    void ShowCellPicture(int cell, std::shared_ptr<const Picture> picture, ScreenRect rect) override {
        cells[cell] = rect;
        lastCell = cell;
        window_.ShowCellPicture(cell, std::move(picture), rect);
    }
    void HideCell(int cell) override {
        cells.erase(cell);
        window_.HideCell(cell);
    }
    PixelSize MeasureClockText(const std::string& text) override { return window_.MeasureClockText(text); }
    void SetClock(const std::string& text, std::uint32_t textColor, std::uint32_t backColor,
                  ScreenRect rect) override {
        clock = rect;
        clockText = text;
        window_.SetClock(text, textColor, backColor, rect);
    }
    void StartTimer(SlideShowTimer timer, unsigned milliseconds) override { window_.StartTimer(timer, milliseconds); }
    void StopTimer(SlideShowTimer timer) override { window_.StopTimer(timer); }

private:
    SlideShowView& window_;
    std::optional<PixelSize> inner_;
};

}  // namespace qw::test
