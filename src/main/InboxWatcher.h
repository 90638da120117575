#pragma once
// Takes received files over from the Bluetooth stack's folders: once a tick,
// at most one file from each folder is moved into the inbox folder under a
// name that is free, marked as a file from outside, registered at the front
// of the inbox list and handed on to the window.

#include <functional>
#include <string>

#include "main/Busy.h"
#include "main/FileList.h"
#include "main/FromOutside.h"
#include "main/MainState.h"
#include "shared/FileSystem.h"
#include "shared/Registry.h"

namespace qw {

class InboxWatcher {
public:
    // What the window does with a file once it is in the inbox and listed
    // (show it, act on it). A failure it throws ends the work on that file.
    using TakenOver = std::function<void(const std::string& path)>;

    InboxWatcher(MainState& state, FileSystem& files, ZoneMarker& marks, AppFolders folders, Busy& busy,
                 TakenOver takenOver)
        : state_(state),
          files_(files),
          marks_(marks),
          folders_(std::move(folders)),
          busy_(busy),
          takenOver_(std::move(takenOver)) {}

    // One timer tick: the stack's inbox folder, then its root folder, then
    // the folder of received files when one is set. A tick
    // that falls due while a pass is still running (an action's message box
    // pumps messages) does nothing, so passes never nest. Once the program
    // is exiting no file is taken over, not even by a pass still running.
    void Tick();

    // One pass over a folder; a folder that cannot be opened is left alone.
    void CheckFolder(const std::string& folder);

    // The inbox path a received file of this name is stored under: the name
    // itself when free, else name_1.ext, name_2.ext ... (readme_1 without a
    // dot), each built from the received name. A path is taken when the inbox
    // list holds it in any letter case or a file of that name is on disk.
    std::string FreeDestination(const std::string& receivedName);

private:
    bool IsTaken(const std::string& path);

    MainState& state_;
    FileSystem& files_;
    ZoneMarker& marks_;
    AppFolders folders_;
    Busy& busy_;
    TakenOver takenOver_;
};

// Appends every file directly in the folder, in listing order, keyed by path.
// Throws when the folder cannot be listed.
void FillCollection(FileSystem& files, FileList& list, const std::string& folder);

}  // namespace qw
