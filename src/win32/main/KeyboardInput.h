#pragma once
// What the main window's drawn controls share for the keyboard: the keys
// they answer, and the focus mark that follows the system's keyboard cues.

#include <windows.h>

#include <functional>
#include <optional>

#include "main/Keyboard.h"
#include "win32/main/DrawnAccessible.h"

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

// What both drawn controls answer alike: the focus coming and going and the
// keyboard cues changing redraw the focus mark (`invalidateFocus`), a screen
// reader learns which part has the focus gained, and its request for the
// control is answered from `accessible`, which goes with the window. Nothing
// for other messages.
std::optional<LRESULT> AnswerFocusMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          AccessibleHold& accessible, AccessibleParts& parts,
                                          const std::function<void()>& invalidateFocus);

}  // namespace qw::win32
