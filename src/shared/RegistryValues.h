#pragma once
// The registry values through which the two programs meet.

namespace qw {

// Written by the main program at every start: its folder, where the screen
// saver finds the settings file and the screen-saver folder.
inline constexpr const char* ApplicationPathValue =
    "HKEY_CURRENT_USER\\Software\\Quillwave\\ApplicationPath";
// "YES" while the slide show runs, "NO" after it.
inline constexpr const char* ScreenSaverRunningValue =
    "HKEY_CURRENT_USER\\Software\\Quillwave\\ScreenSaverRunning";
// The process id (decimal) of the slide show that wrote "YES", removed when it
// ends; lets a reader tell a running slide show from one that died.
inline constexpr const char* ScreenSaverProcessValue =
    "HKEY_CURRENT_USER\\Software\\Quillwave\\ScreenSaverProcess";

}  // namespace qw
