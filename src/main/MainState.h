#pragma once
// The main window's state record: what the window knows for its whole life.

#include <cstdint>
#include <string>

#include "main/FileList.h"
#include "shared/RegistryValues.h"
#include "shared/Settings.h"

namespace qw {

struct MainState {
    bool BluetoothFound = false;
    std::string BluetoothInboxFolder;
    std::string BluetoothRootFolder;
    // The folder where Windows' own ways of receiving save files, taken over
    // like the stack's; empty when none is set (or the one set is refused).
    std::string ReceivedFilesFolder;
    FileList InboxFiles{KeyMatch::Exact};
    FileList ScreenSaverFiles{KeyMatch::Exact};
    std::string CurrentFile;
    bool InboxShown = true;
    std::string LastFolder;
    SettingsRecord CurrentSettings;
    std::uint32_t ItemTextColor = 0;
};

// The application's folders and files, formed by plain concatenation of the
// application folder and a fixed suffix.
struct AppFolders {
    std::string Application;
    std::string Inbox() const { return Application + "\\inbox"; }
    std::string ScreenSaver() const { return Application + "\\screensaver"; }
    std::string Desktop() const { return Application + "\\desktop"; }
    std::string SettingsFile() const { return Application + "\\settings.txt"; }
};

}  // namespace qw
