#pragma once
// The display scale of a window. The programs are per-monitor aware, so
// Windows does not stretch them: each window draws at the resolution of the
// monitor it is on, which Windows 10 (1607) and later tell through
// GetDpiForWindow. Older Windows and Wine may lack those calls; there the
// screen's resolution stands for every window's. The calls are looked up in
// user32 at run time, so the programs still start where they are missing.

#include <windows.h>

#include "shared/Scale.h"

namespace qw::win32 {

// Dots per inch of the window's monitor (96 at 100 %); the screen's where
// Windows cannot say, or for no window.
int WindowDpi(HWND window);
qw::Scale WindowScale(HWND window);
// The resolution of the system as a whole: the screen's for windows that do
// not follow their monitor, and the one the notification area draws at.
int SystemDpi();

// A system metric (SM_CXSMICON, SM_CXVSCROLL, ...) at a resolution.
int SystemMetricForDpi(int index, int dpi);

// The window rectangle that has a client area of `client` at a resolution.
RECT WindowRectForClient(SIZE client, DWORD style, DWORD exStyle, int dpi);

}  // namespace qw::win32
