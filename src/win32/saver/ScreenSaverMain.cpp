// Entry point of quillwavess.scr.
#include <windows.h>

#include "win32/Styles.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    qw::win32::InitStyles();
    return 0;
}
