#pragma once
// "QuillwaveLiveCount": a window message by which a watching program (a
// benchmark that runs the program for hours) asks how many handles of a
// kind the program's owners hold, or how many decoded pictures are alive.
// wParam is a HandleKind, or HandleKind::Count for the pictures; the answer
// is the count, -1 for a wParam out of range.

#include <windows.h>

#include "win32/kit/Handles.h"

namespace qw::win32 {

inline constexpr const wchar_t* LiveCountMessageName = L"QuillwaveLiveCount";
inline constexpr WPARAM LivePictures = static_cast<WPARAM>(HandleKind::Count);

// The message's number in this session; 0 when it cannot be registered.
inline UINT LiveCountMessage() {
    static const UINT message = RegisterWindowMessageW(LiveCountMessageName);
    return message;
}

}  // namespace qw::win32
