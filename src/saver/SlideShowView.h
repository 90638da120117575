#pragma once
// The slide-show window as its presenter sees it: a grid of cells drawn in one
// window, the clock label and four timers. The window decides nothing; it
// draws what it is told and reports focus, timer ticks, keys and the mouse.

#include <cstdint>
#include <memory>
#include <string>

#include "shared/PictureFitting.h"
#include "shared/Pictures.h"

namespace qw {

enum class SlideShowTimer {
    Image = 1,          // tmrImage: the next slide
    CheckFolder,        // tmrCheckScreenSaverFolder: new files
    Clock,              // tmrClock
    ResetMouseCounter,  // tmrResetMouseCounter
};

// A rectangle in pixels of the window's client area.
struct ScreenRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const ScreenRect&) const = default;
};

class SlideShowView {
public:
    virtual ~SlideShowView() = default;

    // The client area in pixels, and the resolution of the display it is on.
    virtual PixelSize InnerSize() const = 0;
    virtual Resolution DisplayResolution() const = 0;

    // Cells are numbered 1 to columns x rows, row by row. Showing a picture
    // stretches it to `rect` and lets go of whatever the cell showed before;
    // hiding a cell lets it show the background.
    virtual void ShowCellPicture(int cell, std::shared_ptr<const Picture> picture, ScreenRect rect) = 0;
    virtual void HideCell(int cell) = 0;

    // The size in pixels that `text` takes in the clock's font, "System" bold
    // 9.75 points.
    virtual PixelSize MeasureClockText(const std::string& text) = 0;
    // Shows the clock label at `rect`: the text in `textColor` on `backColor`
    // (colours are 0x00BBGGRR).
    virtual void SetClock(const std::string& text, std::uint32_t textColor, std::uint32_t backColor,
                          ScreenRect rect) = 0;

    // Starting a running timer starts its interval afresh.
    virtual void StartTimer(SlideShowTimer timer, unsigned milliseconds) = 0;
    virtual void StopTimer(SlideShowTimer timer) = 0;
};

}  // namespace qw
