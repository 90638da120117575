#include "main/Printing.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "shared/PictureFitting.h"
#include "shared/Text.h"

namespace qw {

namespace {

std::int32_t Clamp32(std::int64_t value) {
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max()));
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

    // The rule converts the area to HIMETRIC (x 2540/1440) and compares the
    // picture's HIMETRIC numbers, read as twips and converted the same way;
    // the common factor cancels. So a picture keeps its own size only while
    // it is below 1440/2540 of the area on both sides.
    const std::int64_t w = picture.Width, h = picture.Height;
    const std::int64_t pageWidth = printable.Width, pageHeight = printable.Height;
    if (w < pageWidth && h < pageHeight) return {0, 0, HimetricToTwips(w), HimetricToTwips(h)};

    // As large as the area allows with the picture's proportions; the
    // conversions to HIMETRIC and back cancel too, so the fractions are exact.
    // The area's sides are 32-bit and a loadable picture's a few million
    // HIMETRIC at most, so the products fit in 64 bits.
    if (w * pageHeight >= pageWidth * h)  // ratio at least the area's
        return {0, 0, printable.Width, Clamp32(RoundedQuotient(pageWidth * h, w))};
    return {0, 0, Clamp32(RoundedQuotient(pageHeight * w, h)), printable.Height};
}

}  // namespace qw
