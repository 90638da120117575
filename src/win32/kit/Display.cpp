#include <windows.h>

#include "win32/kit/Display.h"

#include "win32/kit/Handles.h"

namespace qw::win32 {

qw::Resolution ScreenResolution() {
    qw::Resolution resolution;
    if (ClientDC screen; screen) {
        const int x = GetDeviceCaps(screen.Get(), LOGPIXELSX);
        const int y = GetDeviceCaps(screen.Get(), LOGPIXELSY);
        if (x > 0) resolution.DpiX = x;
        if (y > 0) resolution.DpiY = y;
    }
    return resolution;
}

}  // namespace qw::win32
