#pragma once
// The window kit's part for dialogs: what every modal dialog of both
// programs does the same way.
//
// - `DialogUnits` lays a dialog out in dialog units of its font (a quarter of
//   the font's average character width across, an eighth of its height
//   down), so the layout grows with the user's font and the screen's DPI.
// - `DialogWindow` is a `Window` with a fixed dialog border and a close box,
//   drawn in the system's dialog font. It makes its child controls
//   (`AddControl`), runs itself modally over its owner (`RunModal`: the owner
//   is disabled, Tab, Enter, Esc and mnemonics work through
//   IsDialogMessage) until it hides itself (`EndModal`), and keeps the
//   keyboard focus on the control that had it when the user switches away
//   and back.
//
// How to add a dialog
//
//   1. Derive from `DialogWindow`; in the constructor call `CreateDialogFrame`
//      and then `AddControl` for each control, in tab order, with places from
//      `Units()`; finally `SetClientSize`.
//   2. Answer WM_COMMAND for the controls in `OnMessage`; pass everything
//      else to `DialogWindow::OnMessage`. Enter arrives as IDOK (or the
//      default button's id), Esc and the close box as IDCANCEL unless
//      WM_CLOSE is answered.
//   3. Call `RunModal` to show it and `EndModal` from a handler to end it.
//      The object outlives the modal display, so what the controls hold can
//      be read afterwards.

#include <windows.h>

#include <string>

#include "win32/kit/Handles.h"
#include "win32/kit/Window.h"

namespace qw::win32 {

class DialogUnits {
public:
    DialogUnits() = default;
    // Measures the font on the screen.
    explicit DialogUnits(HFONT font);

    int X(int units) const { return MulDiv(units, baseX_, 4); }
    int Y(int units) const { return MulDiv(units, baseY_, 8); }
    // A rectangle given in dialog units, in pixels from `origin`.
    RECT Rect(POINT origin, int x, int y, int width, int height) const;

    // The width of one line of text, in dialog units rounded up.
    int TextWidth(const std::wstring& text) const;
    // The height of text wrapped at `width` dialog units, in dialog units
    // rounded up. Mnemonic markers (&) are not counted.
    int TextHeight(const std::wstring& text, int width) const;

private:
    HFONT font_ = nullptr;
    int baseX_ = 6;
    int baseY_ = 13;
};

class DialogWindow : public Window {
public:
    ~DialogWindow() override;

protected:
    DialogWindow();

    // Makes the hidden dialog, owned by `owner` (which may be nullptr).
    void CreateDialogFrame(HINSTANCE instance, const wchar_t* className, const std::wstring& title, HWND owner);
    // Makes a visible child control in the dialog's font. Throws
    // std::runtime_error when it cannot be made.
    HWND AddControl(const wchar_t* className, const std::wstring& text, DWORD style, const RECT& place, int id,
                    DWORD exStyle = 0);
    // Sizes the dialog around a client area of the size in pixels.
    void SetClientSize(int width, int height);

    const DialogUnits& Units() const { return units_; }
    HFONT DialogFont() const { return font_.Get(); }
    HINSTANCE Instance() const { return instance_; }
    // The button Enter presses when the focus is not on a push button.
    void SetDefaultButton(int id) { defaultButton_ = id; }

    // Shows the dialog centred over its owner (or the screen), disables the
    // owner and runs the messages until the dialog is hidden or destroyed.
    // A WM_QUIT on the way ends the display and is posted again for the
    // program's own loop.
    void RunModal();
    // Gives the owner back its input and hides the dialog, which ends RunModal.
    void EndModal();

    // A message about to go to the dialog's windows; true when the dialog
    // has handled it (keys IsDialogMessage does not know, like Ctrl+Tab).
    virtual bool PreTranslate(const MSG& message) {
        (void)message;
        return false;
    }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void EnableOwner();
    void PlaceOverOwner();

    HINSTANCE instance_ = nullptr;
    Font font_;
    DialogUnits units_;
    int defaultButton_ = IDOK;
    HWND disabledOwner_ = nullptr;  // while RunModal keeps it disabled
    HWND lastFocus_ = nullptr;      // the control to give the focus back to
};

}  // namespace qw::win32
