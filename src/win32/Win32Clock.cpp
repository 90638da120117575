#include <windows.h>

#include "win32/Win32Clock.h"

#include "win32/Utf.h"

namespace qw::win32 {

std::string Win32Clock::LongTimeText() {
    // No flags and no format: the user's own long time format, seconds included.
    wchar_t text[128];
    const int length = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, text, 128);
    // A clock that cannot be read shows nothing rather than ending the show.
    return length > 0 ? Narrow(text) : std::string();
}

}  // namespace qw::win32
