#pragma once
// The system's own modal dialogs behind the core's dialog ports: message
// boxes, the folder picker and the colour dialog. Each opens over the
// thread's active window, so it is modal to whatever dialog asked for it.

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "shared/Dialogs.h"

namespace qw::win32 {

class Win32MessageBoxes : public qw::MessageBoxes {
public:
    void Show(const std::string& text, const std::string& title, MessageIcon icon) override;
};

class Win32Questions : public qw::Questions {
public:
    bool AskYesNo(const std::string& text, const std::string& title) override;
};

// The common item dialog in its pick-folders mode, titled "Select Folder".
class Win32FolderPicker : public qw::FolderPicker {
public:
    // Opens in the start folder itself (a drive "c:" as "C:\"), so OK without
    // a change returns it; a start folder that does not exist opens at its
    // nearest existing parent, an empty one or one without such a parent at
    // the user's Documents. Throws std::runtime_error when the dialog cannot
    // be shown.
    std::optional<std::string> SelectFolder(const std::string& startFolder) override;
};

// The colour dialog, fully open, starting from the colour given. The custom
// colours the user mixes are kept for the next call.
class Win32ColorPicker : public qw::ColorPicker {
public:
    Win32ColorPicker() { custom_.fill(RGB(255, 255, 255)); }
    // Throws std::runtime_error when the dialog fails (not when it is cancelled).
    std::optional<std::int32_t> PickColor(std::int32_t startColor) override;

private:
    std::array<COLORREF, 16> custom_{};
};

// A stored colour as GDI takes it: 0x00BBGGRR, or one of the system's
// colours when the high bit is set (as the settings' colours may be).
COLORREF ToColorRef(std::int32_t color);

}  // namespace qw::win32
