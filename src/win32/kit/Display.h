#pragma once
// The screen's resolution, which turns pictures' HIMETRIC sizes into pixels.

#include "shared/Pictures.h"

namespace qw::win32 {

// Dots per inch of the screen as GDI reports them (96 at normal text size).
qw::Resolution ScreenResolution();

}  // namespace qw::win32
