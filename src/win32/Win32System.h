#pragma once
// Small services of Windows behind the core's ports: the user's clock, the
// short (8.3) names of files, and what the screen-saver registration needs
// (the system folder, the program's own file, starting a program).

#include <optional>
#include <string>

#include "shared/Clock.h"
#include "shared/ScreenSaverRegistration.h"
#include "shared/ShortPaths.h"

namespace qw::win32 {

// The Windows system folder, as Windows gives it. Throws std::runtime_error
// when Windows cannot tell.
std::wstring SystemFolderPath();
// The full path of the running program's file.
std::wstring ProgramFilePath();

class Win32Clock : public qw::Clock {
public:
    // The user's long time format; empty in the unlikely case that Windows
    // cannot format the time (the preview then shows nothing, once a second).
    std::string LongTimeText() override;
};

class Win32ShortPaths : public qw::ShortPaths {
public:
    std::optional<std::string> ShortPathOf(const std::string& path) override;
};

class Win32ScreenSaverPlatform : public qw::ScreenSaverPlatform {
public:
    std::string SystemFolder() override;
    std::string ProgramFile() override;
    // Throws std::runtime_error when Windows cannot start the file.
    void StartProgram(const std::string& path) override;
};

}  // namespace qw::win32
