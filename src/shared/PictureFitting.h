#pragma once
// Fitting a picture into a box while keeping its proportions.

#include <cstdint>

#include "shared/Pictures.h"

namespace qw {

enum class FitMode {
    ShrinkOnly,  // a picture that fits keeps its own size; a larger one is scaled down
    Fit,         // the picture is scaled up or down to the largest size that fits
};

struct PixelSize {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    bool operator==(const PixelSize&) const = default;
};

// HIMETRIC (hundredths of a millimetre) to pixels at `dpi` and to twips, rounded
// half to even; results beyond the 32-bit range are held at its ends.
std::int32_t HimetricToPixels(std::int64_t himetric, int dpi);
std::int32_t HimetricToTwips(std::int64_t himetric);

// Pixels at the resolution to HIMETRIC, rounded half to even. Below 2540 dpi a
// HIMETRIC unit is finer than a pixel, so converting back at the same
// resolution gives the pixels again. A resolution of 0 counts as 96 dpi.
HimetricSize PixelsToHimetric(PixelSize pixels, const Resolution& resolution);

// The picture's natural size in the units of a window on a display of `resolution`
// (the main program works in pixels) or in twips (the slide show).
PixelSize PictureSizeInPixels(const Picture& picture, const Resolution& resolution);
PixelSize PictureSizeInTwips(const Picture& picture);

// The size at which a w x h picture is shown in a boxWidth x boxHeight box:
// 0 x 0 for an empty picture; the picture's own size when it fits in shrink-only
// mode; otherwise the largest size with its proportions that fits. Sides of a
// box that is too small (negative) give 0. Works in whatever unit the caller uses.
PixelSize GetSize(std::int32_t w, std::int32_t h, std::int32_t boxWidth, std::int32_t boxHeight,
                  FitMode mode);

// The same for a loaded picture, measured in pixels; no picture gives 0 x 0.
PixelSize GetSize(const Picture* picture, const Resolution& resolution, std::int32_t boxWidth,
                  std::int32_t boxHeight, FitMode mode);

}  // namespace qw
