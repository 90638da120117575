#include "saver/SlideShowLayout.h"

#include <algorithm>

#include "shared/Text.h"

namespace qw {

namespace {

constexpr double TwipsPerInch = 1440.0;

int RoundToInt(double value) { return static_cast<int>(RoundHalfEven(value)); }

}  // namespace

SlideShowSettings SlideShowSettingsFrom(const SettingsRecord& record) {
    SlideShowSettings settings;
    settings.Columns = std::clamp<std::int32_t>(record.NoOfImagesX, 1, MaxImagesPerSide);
    settings.Rows = std::clamp<std::int32_t>(record.NoOfImagesY, 1, MaxImagesPerSide);
    const int seconds = std::clamp<int>(record.ShowImagesForSeconds, 1, MaxSecondsPerImage);
    settings.ImageInterval = static_cast<unsigned>(seconds) * 1000u;
    settings.Mode = record.ResizeImages ? FitMode::Fit : FitMode::ShrinkOnly;
    settings.ShowClock = record.ShowClock;
    settings.BackgroundColor = static_cast<std::uint32_t>(record.BackgroundColor);
    settings.ClockColor = static_cast<std::uint32_t>(record.ClockColor);
    return settings;
}

TwipSize ToTwips(PixelSize pixels, const Resolution& resolution) {
    return {RoundToInt(pixels.Width * TwipsPerInch / resolution.DpiX),
            RoundToInt(pixels.Height * TwipsPerInch / resolution.DpiY)};
}

ScreenRect ToPixels(const TwipRect& rect, const Resolution& resolution) {
    const double x = resolution.DpiX / TwipsPerInch;
    const double y = resolution.DpiY / TwipsPerInch;
    return {RoundToInt(rect.Left * x), RoundToInt(rect.Top * y), RoundToInt(rect.Width * x),
            RoundToInt(rect.Height * y)};
}

TwipSize CellSizeOf(std::int32_t innerWidth, std::int32_t gridHeight, int columns, int rows) {
    return {RoundToInt(static_cast<double>(innerWidth) / columns),
            RoundToInt(static_cast<double>(gridHeight) / rows)};
}

TwipSize BoxOf(TwipSize cell) {
    // Whole-number division truncating toward zero, as the margin always was.
    return {cell.Width - cell.Width / 30, cell.Height - cell.Height / 30};
}

TwipRect PlaceInCell(int cell, int columns, TwipSize cellSize, TwipSize shown) {
    const int column = (cell - 1) % columns;
    const int row = (cell - 1) / columns;
    // The halves stay unrounded; the one rounding happens on the way to pixels.
    return {static_cast<double>(cellSize.Width) * column + (cellSize.Width - shown.Width) / 2.0,
            static_cast<double>(cellSize.Height) * row + (cellSize.Height - shown.Height) / 2.0,
            shown.Width, shown.Height};
}

TwipRect ClockPlace(TwipSize inner, TwipSize text) {
    return {static_cast<double>(inner.Width - text.Width - ClockMargin),
            static_cast<double>(inner.Height - text.Height - ClockMargin), text.Width, text.Height};
}

}  // namespace qw
