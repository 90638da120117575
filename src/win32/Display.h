#pragma once
// The screen's resolution and the conversion of pixels to the HIMETRIC
// units (hundredths of a millimetre) in which pictures give their size.

#include "shared/Pictures.h"

namespace qw::win32 {

// Dots per inch of the screen as GDI reports them (96 at normal text size).
qw::Resolution ScreenResolution();

// Pixels to HIMETRIC at the given resolution, rounded to the nearest whole
// number (halves to even). Below 2540 dpi a HIMETRIC unit is finer than a
// pixel, so converting back at the same resolution gives the pixels again.
qw::HimetricSize PixelsToHimetric(int width, int height, qw::Resolution resolution);

}  // namespace qw::win32
