#pragma once
// Message boxes of the Windows user interface.

#include <windows.h>

#include "shared/Dialogs.h"

namespace qw::win32 {

class Win32MessageBoxes : public qw::MessageBoxes {
public:
    // `owner` may be null: the box then stands on its own, as the screen
    // saver's are, which have no window of their own to belong to.
    explicit Win32MessageBoxes(HWND owner = nullptr) : owner_(owner) {}

    void Show(const std::string& text, const std::string& title, MessageIcon icon) override;

private:
    HWND owner_;
};

}  // namespace qw::win32
