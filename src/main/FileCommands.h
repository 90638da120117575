#pragma once
// The file commands: save as, move, delete, print, clipboard, wallpaper,
// e-mail and the screen saver, started from the File bar and the thumbnail
// menu, and the operations the automatic actions share with them.
//
// A command takes its file, the list the file is in and its picture when it
// starts, and keeps them: while one of its dialogs or message boxes is open
// the watcher goes on ticking and a new arrival becomes current, yet the
// command still acts on the file it was started for. It does nothing more
// once the program is exiting, and a command started again while it still
// runs is ignored (Busy.h holds both rules).

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "main/Busy.h"
#include "main/MainPorts.h"
#include "main/Commands.h"
#include "main/MainState.h"
#include "main/ThumbnailStrip.h"
#include "shared/FileSystem.h"
#include "shared/PlatformMacros.h"

namespace qw {

// The file a command acts on, as it was when the command started.
struct CommandTarget {
    std::string File;  // empty when no file was current
    bool InInbox = true;  // listed in InboxFiles, else in ScreenSaverFiles
    // The picture loaded for this file; null when it is no picture or did not
    // load, so another file's picture never stands in for it.
    std::shared_ptr<const qw::Picture> Picture;
};

// What the commands ask of the main window.
struct CommandWindow {
    std::function<CommandTarget()> CurrentTarget;
    std::function<void()> ClearFile;
    std::function<void()> ShowScreenSaverImages;
};

class FileCommands {
public:
    FileCommands(MainState& state, AppFolders folders, ThumbnailStrip& strip, FileSystem& files,
                 FileCommandPorts ports, CommandWindow window, Busy& busy);

    // Runs a command of the File bar, the thumbnail menu or "Add Image From
    // File" on `target`, by default the current file; other commands are
    // left alone.
    void Run(Command command, std::optional<CommandTarget> target = std::nullopt);

    // ---- Shared with the automatic actions. These report their own failure
    // in a message box and return.
    // Save As: copies to exactly that path, replacing a file there (the
    // dialog has asked). Returns whether the file was copied.
    bool CopyFileTo(const std::string& source, const std::string& destination);
    // Copy to a folder: `destination` is the first name tried; a name taken
    // by a different file is never replaced, see CopyWithoutOverwriting.
    // Returns whether the file is now in the folder.
    bool CopyIntoFolder(const std::string& source, const std::string& destination);
    void PrintPicture(const Picture* picture);
    void EmailFileWithOutlook(const std::string& path);

    // ---- These throw on failure; the caller decides what to tell.
    void CopyPictureToClipboard(const Picture* picture);
    // Writes desktop\desktop.bmp (the program's own file, replaced each
    // time) and asks Windows to show it. Throws when the file cannot be
    // written; returns false when Windows refuses the wallpaper.
    bool UseAsDesktopBackground(const Picture* picture);
    // Copies the file into the screen-saver folder without overwriting and
    // lists it there once under the name it got; returns that path.
    std::string AddToScreenSaver(const std::string& path);

    // True once the program is ending: a command whose dialog or message box
    // returns then stops at once.
    bool Exiting() const { return busy_.Exiting(); }

private:
    void SaveCurrentFileAs(const CommandTarget& target);
    void MoveCurrentFile(const CommandTarget& target);
    void DeleteCurrentFile(const CommandTarget& target);
    void AddImageFromFile();
    void Report(const std::string& text, const std::string& title);
    // Takes the file off the strip and its list, and clears it when it is
    // still the current file.
    void Forget(const CommandTarget& target);
    // After a failed move or delete: a file that is gone from the disk is
    // forgotten too, so the lists never name a missing file.
    void ForgetIfGone(const CommandTarget& target);
    // Copies `source` into `folder` under `name`, or name_1.ext, name_2.ext
    // ... (letter case ignored, as in the inbox): at the first free name, or
    // not at all when a name holds the same bytes already. A different file
    // is never overwritten: phones send every photo as image.jpg. A name
    // `listed` holds counts as taken. Returns where the file is; throws when
    // it cannot be copied.
    std::string CopyWithoutOverwriting(const std::string& source, const std::string& folder,
                                       const std::string& name, const FileList* listed = nullptr);
    // A file moved, saved or copied into the inbox or the screen-saver folder
    // joins that folder's list, and the strip when the folder is on show.
    void ListIfInOwnFolder(const std::string& path);
    // After a copy: a copy of a received file is from outside as much as the
    // file itself. Throws, the copy removed, when the virus scanner refuses it.
    void MarkCopy(const std::string& source, const std::string& copy);

    MainState& state_;
    AppFolders folders_;
    ThumbnailStrip& strip_;
    FileSystem& files_;
    FileCommandPorts ports_;
    CommandWindow window_;
    // The save/open dialog is one dialog shared by Save As and Add Image From
    // File; it keeps the file name it held last between uses.
    std::string dialogFileName_;
    Busy& busy_;
};

}  // namespace qw
