#pragma once
// What the main window's drawn controls share for the keyboard: the keys
// they answer, and the focus mark that follows the system's keyboard cues.

#include <windows.h>

#include <optional>

#include "main/Keyboard.h"

namespace qw::win32 {

// The key of a key-down message (Shift+F10 arrives as a system key), or nothing.
std::optional<qw::NavigationKey> NavigationKeyOf(UINT message, WPARAM key);

// What a control that takes every key answers to WM_GETDLGCODE.
inline constexpr LRESULT kWantsEveryKey = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;

// The window has the focus and its keyboard cues are on, so it draws its mark.
bool ShowsFocusMark(HWND window);

// The dotted focus rectangle, drawn in black rather than inverted, so that it
// shows on the light panels of the pane as on the white strip.
void DrawFocusMark(HDC dc, const RECT& mark);

// The keyboard moved the focus: the cues come on in the whole top-level
// window, as the dialog manager turns them on.
void KeyboardUsed(HWND window);

}  // namespace qw::win32
