#pragma once
// What happens to every received file once it is in the inbox and shown:
// the actions the user chose in the settings, in a fixed order.

#include <functional>
#include <string>

#include "main/FileCommands.h"
#include "shared/Settings.h"

namespace qw {

// Where "Copy the file to a folder" first tries to put a file: the folder
// setting trimmed, "/" read as "\", a "\" unless it ends with one, and the
// file's name lower-cased. An empty setting gives "\" and the name, which
// the copy refuses.
std::string CopyDestination(const std::string& copyToFolderPath, const std::string& file);

class AutomaticActions {
public:
    // `screenSaverRunning` asks afresh whether the slide show runs.
    AutomaticActions(FileCommands& commands, const Busy& busy, std::function<bool()> screenSaverRunning,
                     std::function<void()> bringToFront)
        : commands_(commands),
          busy_(busy),
          screenSaverRunning_(std::move(screenSaverRunning)),
          bringToFront_(std::move(bringToFront)) {}

    // Runs, in order: bring the window forward, print, clipboard, e-mail,
    // wallpaper, screen saver, copy to a folder, each as `settings` and the
    // screen saver's state say. Print, e-mail and the copy report their own
    // failure and the sequence goes on, as it does when Windows refuses the
    // wallpaper; a failing clipboard, desktop.bmp or screen-saver copy
    // throws, which ends the sequence for this file without a message. The picture actions are skipped when the file's picture did
    // not load. Stops when the program is exiting. The settings are those in
    // force when the file arrived, even if they are edited while a message
    // of the pass is open.
    // `windowDecided` learns, right after the first action, whether the
    // window was brought forward and whether the slide show runs.
    void Run(const CommandTarget& file, SettingsRecord settings,
             const std::function<void(bool broughtForward, bool screenSaverRunning)>& windowDecided = {});

private:
    FileCommands& commands_;
    const Busy& busy_;
    std::function<bool()> screenSaverRunning_;
    std::function<void()> bringToFront_;
};

}  // namespace qw
