#pragma once
// Fonts the windows make: the system's message font and its variants, and
// fonts given by face and size in points.

#include <windows.h>

#include "win32/kit/Handles.h"

namespace qw::win32 {

// The font Windows uses for message boxes (the user's UI font), at the
// system's resolution or, given one, at `dpi`.
LOGFONTW MessageFontDescription(int dpi = 0);

// The description with another weight, and underlined or not.
Font FontFrom(LOGFONTW description, LONG weight, bool underline = false);

// A font of the face at the size in hundredths of a point, on the screen or,
// given one, at `dpi`.
Font PointFont(const wchar_t* face, int pointsTimes100, LONG weight, bool italic, int dpi = 0);

}  // namespace qw::win32
