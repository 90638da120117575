#include "main/Printing.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "shared/PictureFitting.h"
#include "shared/Text.h"

namespace qw {

namespace {

constexpr double HimetricPerTwip = 2540.0 / 1440.0;

std::int32_t Twips(double himetric) {
    const double twips = himetric / HimetricPerTwip;
    constexpr double limit = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(RoundHalfEven(std::min(twips, limit)));
}

}  // namespace

PageOrientation OrientationFor(const HimetricSize& picture) {
    return picture.Height >= picture.Width ? PageOrientation::Portrait : PageOrientation::Landscape;
}

TwipRect PrintRectangle(const HimetricSize& picture, const TwipSize& printable) {
    if (picture.Width <= 0 || picture.Height <= 0)
        throw std::invalid_argument("the picture has no size to print");
    if (printable.Width <= 0 || printable.Height <= 0)
        throw std::invalid_argument("the printer has no printable area");

    // The page in HIMETRIC, like the picture.
    const double pageWidth = printable.Width * HimetricPerTwip;
    const double pageHeight = printable.Height * HimetricPerTwip;

    // The picture's HIMETRIC numbers are read as if they were twips and
    // converted once more; so a picture keeps its own size only while it is
    // below 1440/2540 of the area on both sides.
    if (static_cast<double>(picture.Width) * HimetricPerTwip < pageWidth &&
        static_cast<double>(picture.Height) * HimetricPerTwip < pageHeight) {
        return {0, 0, HimetricToTwips(picture.Width), HimetricToTwips(picture.Height)};
    }

    const double ratio = static_cast<double>(picture.Width) / static_cast<double>(picture.Height);
    double width;
    double height;
    if (ratio >= pageWidth / pageHeight) {
        width = pageWidth;
        height = pageWidth / ratio;
    } else {
        height = pageHeight;
        width = pageHeight * ratio;
    }
    return {0, 0, Twips(width), Twips(height)};
}

}  // namespace qw
