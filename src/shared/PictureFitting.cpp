#include "shared/PictureFitting.h"

#include <algorithm>
#include <limits>

#include "shared/Text.h"

namespace qw {

namespace {

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kUnbounded = std::numeric_limits<std::int64_t>::max();

std::int32_t Clamp32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp(value, kInt32Min, kInt32Max));
}

// a x b / c, rounded half to even. The product of two 32-bit values is exact in
// 64 bits and the rounding is done on the exact fraction, so huge pictures in
// huge boxes get the same answer as small ones. A picture side of 0 as divisor
// gives the limit of the rule: 0 for a zero product, otherwise an unbounded
// value of the product's sign.
std::int64_t ScaledQuotient(std::int32_t a, std::int32_t b, std::int32_t c) {
    const std::int64_t numerator = static_cast<std::int64_t>(a) * b;
    if (c == 0) {
        if (numerator == 0) return 0;
        return numerator > 0 ? kUnbounded : -kUnbounded;
    }
    return RoundedQuotient(numerator, c);
}

// value x multiplier / divisor, rounded, held at the ends of the 32-bit range;
// a product too large for 64 bits is far beyond that range anyway.
std::int32_t Converted(std::int64_t value, std::int64_t multiplier, std::int64_t divisor) {
    if (multiplier != 0 && value != 0) {
        const std::int64_t limit = std::numeric_limits<std::int64_t>::max() / (multiplier < 0 ? -multiplier : multiplier);
        if (value > limit || value < -limit) return Clamp32((value > 0) == (multiplier > 0) ? kInt32Max : kInt32Min);
    }
    return Clamp32(RoundedQuotient(value * multiplier, divisor));
}

}  // namespace

std::int32_t HimetricToPixels(std::int64_t himetric, int dpi) { return Converted(himetric, dpi, 2540); }

std::int32_t HimetricToTwips(std::int64_t himetric) {
    return HimetricToPixels(himetric, 1440);  // a twip is 1/1440 inch
}

HimetricSize PixelsToHimetric(PixelSize pixels, const Resolution& resolution) {
    const auto convert = [](std::int32_t value, int dpi) {
        return RoundedQuotient(std::int64_t{value} * 2540, dpi > 0 ? dpi : 96);
    };
    return {convert(pixels.Width, resolution.DpiX), convert(pixels.Height, resolution.DpiY)};
}

PixelSize PictureSizeInPixels(const Picture& picture, const Resolution& resolution) {
    const HimetricSize natural = picture.NaturalSize();
    return {HimetricToPixels(natural.Width, resolution.DpiX),
            HimetricToPixels(natural.Height, resolution.DpiY)};
}

PixelSize PictureSizeInTwips(const Picture& picture) {
    const HimetricSize natural = picture.NaturalSize();
    return {HimetricToTwips(natural.Width), HimetricToTwips(natural.Height)};
}

PixelSize GetSize(std::int32_t w, std::int32_t h, std::int32_t boxWidth, std::int32_t boxHeight,
                  FitMode mode) {
    if (w == 0 && h == 0) return {};

    std::int64_t width;
    std::int64_t height;
    const bool widthFits = w <= boxWidth;
    const bool heightFits = h <= boxHeight;
    if (widthFits && heightFits && mode == FitMode::ShrinkOnly) {
        width = w;
        height = h;
    } else if (!widthFits && heightFits) {
        width = boxWidth;
        height = ScaledQuotient(boxWidth, h, w);
    } else if (widthFits && !heightFits) {
        width = ScaledQuotient(boxHeight, w, h);
        height = boxHeight;
    } else {
        // Both sides too large, or fitting in fit mode: full height first,
        // full width when that makes the picture too wide.
        height = boxHeight;
        width = ScaledQuotient(boxHeight, w, h);
        if (width > boxWidth) {
            width = boxWidth;
            height = ScaledQuotient(boxWidth, h, w);
        }
    }
    return {Clamp32(std::max<std::int64_t>(width, 0)), Clamp32(std::max<std::int64_t>(height, 0))};
}

PixelSize GetSize(const Picture* picture, const Resolution& resolution, std::int32_t boxWidth,
                  std::int32_t boxHeight, FitMode mode) {
    if (picture == nullptr) return {};
    const PixelSize natural = PictureSizeInPixels(*picture, resolution);
    return GetSize(natural.Width, natural.Height, boxWidth, boxHeight, mode);
}

}  // namespace qw
