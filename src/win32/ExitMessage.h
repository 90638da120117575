#pragma once
// "QuillwaveExit": the window message by which the setup program asks every
// running copy of both programs to end before it replaces or removes their
// files. The main program answers with its Exit, the screen saver by
// stopping. It comes as a broadcast to all top-level windows, hidden ones
// included, so each program answers it in its top-level window.

#include <windows.h>

namespace qw::win32 {

inline constexpr const wchar_t* ExitMessageName = L"QuillwaveExit";

// The message's number in this session; 0 when it cannot be registered.
inline UINT ExitMessage() {
    static const UINT message = RegisterWindowMessageW(ExitMessageName);
    return message;
}

}  // namespace qw::win32
