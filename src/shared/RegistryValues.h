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

// The folder where Windows' own ways of receiving files save them, chosen in
// the settings dialog; missing or empty when none is chosen.
inline constexpr const char* ReceivedFilesFolderValue =
    "HKEY_CURRENT_USER\\Software\\Quillwave\\ReceivedFilesFolder";
// The Bluetooth stack's folders.
inline constexpr const char* StackInboxValue =
    "HKEY_CURRENT_USER\\Software\\Widcomm\\BTConfig\\Services\\0004\\InboxDirectory";
inline constexpr const char* StackRootValue =
    "HKEY_CURRENT_USER\\Software\\Widcomm\\BTConfig\\Services\\0005\\root";

}  // namespace qw
