#pragma once
// The setup program's windows driven from outside the way a user clicks
// through them: its pages and message boxes are dialogs of another process,
// found by their title and the texts they show, and pressed with the
// messages their buttons send.

#include <windows.h>

#include <chrono>

namespace e2e {

// A visible top-level window of the process with the title that shows the
// text in one of its controls (the wizard on a page, or a message box, which
// has the wizard's title); nullptr when none appears before the deadline.
HWND WaitForWindowShowing(DWORD processId, const wchar_t* title, const wchar_t* text,
                          std::chrono::milliseconds deadline = std::chrono::seconds(60));

// A visible control of the window, at any depth, showing the text; waits up
// to a minute for it (a page comes after the work before it); nullptr when
// none appears.
HWND WaitForControl(HWND window, const wchar_t* text);

// Presses a button of a dialog by its identifier: IDOK is the wizard's Next,
// Install, Finish, Uninstall and Close.
void Press(HWND dialog, int id);

bool Checked(HWND box);
void SetChecked(HWND box, bool on);

// Saves a picture of the window's client area (scripts/shots collects it):
// without a window manager the frame is not drawn.
void SaveWindowShot(HWND window, const wchar_t* name);

// A wizard page with a check box: whether it is ticked when the page opens,
// the picture saved of the page, and whether the user leaves it ticked
// before pressing the default button. Fails the test when the page does not
// come or the box is not as expected.
struct CheckBoxPage {
    const wchar_t* box;
    bool ticked;
    const wchar_t* shot;
    bool tick;
};
void Visit(HWND wizard, const CheckBoxPage& page);

}  // namespace e2e
