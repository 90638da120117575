#include <windows.h>

#include "win32/Display.h"

#include <cstdint>

namespace qw::win32 {

namespace {

std::int64_t ToHimetric(std::int64_t pixels, int dpi) {
    if (dpi <= 0) dpi = 96;
    if (pixels < 0) return -ToHimetric(-pixels, dpi);
    const std::int64_t scaled = pixels * 2540;
    std::int64_t quotient = scaled / dpi;
    const std::int64_t twiceRest = (scaled % dpi) * 2;
    if (twiceRest > dpi || (twiceRest == dpi && quotient % 2 != 0)) ++quotient;
    return quotient;
}

}  // namespace

qw::Resolution ScreenResolution() {
    qw::Resolution resolution;
    if (HDC screen = GetDC(nullptr)) {
        const int x = GetDeviceCaps(screen, LOGPIXELSX);
        const int y = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        if (x > 0) resolution.DpiX = x;
        if (y > 0) resolution.DpiY = y;
    }
    return resolution;
}

qw::HimetricSize PixelsToHimetric(int width, int height, qw::Resolution resolution) {
    return {ToHimetric(width, resolution.DpiX), ToHimetric(height, resolution.DpiY)};
}

}  // namespace qw::win32
