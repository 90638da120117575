#pragma once
// The slide show's arithmetic. The grid, the boxes and the clock are worked
// out in twips, like the window's own coordinates; pixels appear only where
// the window reports its size and where a rectangle is handed to it.

#include <cstdint>

#include "saver/SlideShowView.h"
#include "shared/PictureFitting.h"
#include "shared/Settings.h"

namespace qw {

// Sizes in twips (1/1440 inch); PixelSize is only the shape.
using TwipSize = PixelSize;

// A rectangle in twips; left and top keep the halves that centring gives.
struct TwipRect {
    double Left = 0;
    double Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    bool operator==(const TwipRect&) const = default;
};

inline constexpr int MaxImagesPerSide = 50;
inline constexpr int MaxSecondsPerImage = 60;
inline constexpr std::int32_t ClockMargin = 5;  // twips from the lower right corner

// What the slide show takes from the settings, held to the ranges the
// settings dialog accepts (1 to 50 cells a side, 1 to 60 seconds), so a
// file written by hand or by another version cannot divide by zero or spin.
struct SlideShowSettings {
    int Columns = 1;
    int Rows = 1;
    unsigned ImageInterval = 10000;  // milliseconds between two slides
    FitMode Mode = FitMode::ShrinkOnly;
    bool ShowClock = true;
    std::uint32_t BackgroundColor = 0;
    std::uint32_t ClockColor = 0x004F4F4F;
    bool operator==(const SlideShowSettings&) const = default;
};

SlideShowSettings SlideShowSettingsFrom(const SettingsRecord& record);

// ---- Units: the two places where pixels and twips meet.

// The window's client size in twips at the display's resolution.
TwipSize ToTwips(PixelSize pixels, const Resolution& resolution);
// A rectangle in pixels: the corner and the size are each rounded on their
// own, so a picture keeps the size its fitting gave it wherever it stands.
ScreenRect ToPixels(const TwipRect& rect, const Resolution& resolution);

// ---- The grid.

// Cell width = inner width / columns, cell height = grid height / rows, each
// rounded to a whole twip. The grid height is the clock's top when the clock
// is shown, else the inner height.
TwipSize CellSizeOf(std::int32_t innerWidth, std::int32_t gridHeight, int columns, int rows);

// The box a picture is fitted into: the cell less a thirtieth of each side.
TwipSize BoxOf(TwipSize cell);

// The picture of `shown` size centred in cell `cell` (1-based, row by row).
TwipRect PlaceInCell(int cell, int columns, TwipSize cellSize, TwipSize shown);

// The clock label of `text` size, 5 twips from the lower right corner.
TwipRect ClockPlace(TwipSize inner, TwipSize text);

}  // namespace qw
