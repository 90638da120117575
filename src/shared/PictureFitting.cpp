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
    std::int64_t numerator = static_cast<std::int64_t>(a) * b;
    std::int64_t divisor = c;
    if (divisor == 0) {
        if (numerator == 0) return 0;
        return numerator > 0 ? kUnbounded : -kUnbounded;
    }
    if (divisor < 0) {
        numerator = -numerator;
        divisor = -divisor;
    }
    std::int64_t quotient = numerator / divisor;
    std::int64_t remainder = numerator % divisor;
    if (remainder < 0) {  // make it the floor, with 0 <= remainder < divisor
        quotient -= 1;
        remainder += divisor;
    }
    const std::int64_t twice = 2 * remainder;
    if (twice > divisor || (twice == divisor && quotient % 2 != 0)) quotient += 1;
    return quotient;
}

}  // namespace

std::int32_t HimetricToPixels(std::int64_t himetric, int dpi) {
    // In floating point: the 64-bit product could overflow for absurd sizes.
    const double pixels = static_cast<double>(himetric) * dpi / 2540.0;
    constexpr double kLimit = 2147483648.0;  // 2^31
    if (pixels <= -kLimit) return Clamp32(kInt32Min);
    if (pixels >= kLimit) return Clamp32(kInt32Max);
    return Clamp32(RoundHalfEven(pixels));
}

std::int32_t HimetricToTwips(std::int64_t himetric) {
    return HimetricToPixels(himetric, 1440);  // a twip is 1/1440 inch
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
