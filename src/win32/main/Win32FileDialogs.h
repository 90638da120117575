#pragma once
// The system's save and open dialogs. Each opens over the thread's active
// window, so it is modal to the main window when that is in front.

#include <string>

#include "main/MainPorts.h"

namespace qw::win32 {

class Win32FileDialogs : public qw::FileDialogs {
public:
    // The chosen path, or nothing when the user cancelled. Throws
    // std::runtime_error when the dialog fails.
    std::optional<std::string> ShowSave(const qw::FileDialogOptions& options) override;
    std::optional<std::string> ShowOpen(const qw::FileDialogOptions& options) override;
};

// The filter as the dialogs take it: the "|" between descriptions and
// patterns becomes a NUL, and the list ends with a second NUL.
std::wstring DialogFilter(const std::string& filter);

}  // namespace qw::win32
