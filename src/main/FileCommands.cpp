// The commands that work on the file itself: save as, move, delete, the
// screen saver's folder and the command dispatch with its guards.

#include "main/FileCommands.h"

#include <cctype>

#include "main/FromOutside.h"
#include "shared/Paths.h"
#include "shared/Text.h"

namespace qw {

namespace {

constexpr const char* AllFilesFilter = "All Files (*.*)|*.*";
constexpr const char* ImagesFilter = "Images |*.jpg;*.bmp;*.ico;*.jpeg;*.gif";

// "C:\..." or "\\server\...": a path that names its drive. A path such as
// "\photo.jpg" would land in the root of whatever drive happens to be
// current, and "photo.jpg" in whatever folder is current.
bool NamesItsDrive(const std::string& path) {
    if (path.rfind("\\\\", 0) == 0) return path.size() > 2;
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
           path[2] == '\\';
}

// The name after the last "\", in its own letter case.
std::string NameOf(const std::string& path) {
    const std::size_t at = path.rfind('\\');
    return at == std::string::npos ? path : path.substr(at + 1);
}

}  // namespace

FileCommands::FileCommands(MainState& state, AppFolders folders, ThumbnailStrip& strip, FileSystem& files,
                           FileCommandPorts ports, CommandWindow window, Busy& busy)
    : state_(state),
      folders_(std::move(folders)),
      strip_(strip),
      files_(files),
      ports_(ports),
      window_(std::move(window)),
      busy_(busy) {}

void FileCommands::Run(Command command, std::optional<CommandTarget> startedFor) {
    switch (command) {
        case Command::PrintCurrentPicture:
        case Command::MoveCurrentFile:
        case Command::SaveCurrentFileAs:
        case Command::DeleteCurrentFile:
        case Command::CopyPictureToClipboard:
        case Command::UseAsDesktopBackground:
        case Command::EmailCurrentFile:
        case Command::AddCurrentFileToScreenSaver:
        case Command::AddImageFromFile:
            break;
        default:
            return;
    }
    if (Exiting()) return;
    const Busy::Scope open = busy_.Enter(command);
    if (!open) return;  // its dialog or message is still open

    if (command == Command::AddImageFromFile) {
        AddImageFromFile();
        return;
    }
    const CommandTarget target = startedFor ? std::move(*startedFor) : window_.CurrentTarget();
    if (target.File.empty()) return;  // nothing to act on
    // The operations that leave their failures to the caller.
    const auto reporting = [&](auto operation, const char* text, const char* title) {
        try {
            operation();
        } catch (const std::exception&) {
            Report(text, title);
        }
    };
    const Picture* picture = target.Picture.get();
    switch (command) {
        case Command::PrintCurrentPicture:
            PrintPicture(picture);
            break;
        case Command::MoveCurrentFile:
            MoveCurrentFile(target);
            break;
        case Command::SaveCurrentFileAs:
            SaveCurrentFileAs(target);
            break;
        case Command::DeleteCurrentFile:
            DeleteCurrentFile(target);
            break;
        case Command::CopyPictureToClipboard:
            reporting([&] { CopyPictureToClipboard(picture); }, "Could not copy picture to clipboard",
                      "Copy To Clipboard");
            break;
        case Command::UseAsDesktopBackground:
            reporting(
                [&] {
                    if (!UseAsDesktopBackground(picture)) throw std::runtime_error("Windows refused the wallpaper");
                },
                "Could not set desktop background", "Use As Desktop Background");
            break;
        case Command::EmailCurrentFile:
            EmailFileWithOutlook(target.File);
            break;
        case Command::AddCurrentFileToScreenSaver:
            reporting([&] { AddToScreenSaver(target.File); }, "Could not add file to screen saver",
                      "Add To Screen Saver");
            break;
        default:
            break;
    }
}

void FileCommands::Report(const std::string& text, const std::string& title) {
    // A box asked for after the user chose to exit would outlive the window.
    if (Exiting()) return;
    ports_.Messages.Show(text, title, MessageIcon::Critical);
}

bool FileCommands::CopyFileTo(const std::string& source, const std::string& destination) {
    try {
        if (!NamesItsDrive(destination))
            throw FileSystemError("no folder to copy into: " + destination);
        files_.CopyFile(source, destination);
        MarkCopy(source, destination);
    } catch (const std::exception&) {
        Report("Could not save file", "Save File As");
        return false;
    }
    ListIfInOwnFolder(destination);
    return true;
}

bool FileCommands::CopyIntoFolder(const std::string& source, const std::string& destination) {
    std::string copied;
    try {
        if (!NamesItsDrive(destination))
            throw FileSystemError("no folder to copy into: " + destination);
        const std::size_t at = destination.rfind('\\');
        copied = CopyWithoutOverwriting(source, destination.substr(0, at), destination.substr(at + 1));
    } catch (const std::exception&) {
        Report("Could not save file", "Save File As");
        return false;
    }
    ListIfInOwnFolder(copied);
    return true;
}

std::string FileCommands::CopyWithoutOverwriting(const std::string& source, const std::string& folder,
                                                 const std::string& name, const FileList* listed) {
    // Far beyond any real folder; it only keeps a file system that answers
    // "exists" for every name from turning this into an endless loop.
    constexpr unsigned long long kMostNames = 100000;
    for (unsigned long long counter = 0; counter < kMostNames; ++counter) {
        const std::string candidate = folder + "\\" + NumberedName(name, counter);
        if (files_.FileExists(candidate)) {
            // The same photo sent again, or the file itself: nothing to copy.
            if (files_.SameBytes(source, candidate)) return candidate;
            continue;
        }
        if (listed && listed->ContainsIgnoringCase(candidate)) continue;
        files_.CopyFileNoReplace(source, candidate);
        MarkCopy(source, candidate);
        return candidate;
    }
    throw FileSystemError("no free name for " + name + " in " + folder);
}

void FileCommands::SaveCurrentFileAs(const CommandTarget& target) {
    dialogFileName_ = state_.LastFolder + "\\" + ExtractFileName(target.File);
    std::optional<std::string> chosen;
    std::string folder;
    try {
        chosen = ports_.Dialogs.ShowSave({AllFilesFilter, AskBeforeOverwriting, dialogFileName_});
        if (Exiting() || !chosen) return;
        dialogFileName_ = *chosen;
        folder = ExtractFolderPath(*chosen);
    } catch (const std::exception&) {
        Report("Could not save file", "Save File As");
        return;
    }
    CopyFileTo(target.File, *chosen);
    if (Exiting()) return;
    // The folder saved into is remembered even when the copy failed.
    state_.LastFolder = folder;
}

void FileCommands::MoveCurrentFile(const CommandTarget& target) {
    try {
        const std::optional<std::string> chosen = ports_.Folders.SelectFolder(state_.LastFolder);
        if (Exiting() || !chosen) return;
        const std::string& folder = *chosen;
        const bool endsWithSeparator = !folder.empty() && folder.back() == '\\';
        const std::string destination = folder + (endsWithSeparator ? "" : "\\") + ExtractFileName(target.File);
        // The next Move starts at the parent of this folder ("c:" for C:\).
        // Worked out first, so a folder that cannot be taken apart moves nothing.
        const std::string parent = ExtractFolderPath(folder);
        // Windows would only change the letters of the name, and the file
        // would drop out of sight as a new one; it is already there.
        if (EqualsIgnoreCase(destination, target.File))
            throw FileSystemError("the file is in that folder already: " + destination);
        try {
            files_.MoveFile(target.File, destination);
        } catch (const std::exception&) {
            ForgetIfGone(target);
            throw;
        }
        state_.LastFolder = parent;
        Forget(target);
        ListIfInOwnFolder(destination);
    } catch (const std::exception&) {
        Report("Could not move file", "Move");
    }
}

void FileCommands::DeleteCurrentFile(const CommandTarget& target) {
    try {
        files_.DeleteFile(target.File);
    } catch (const std::exception&) {
        // A read-only file stays as it was; a file already gone is forgotten.
        ForgetIfGone(target);
        Report("Could not delete file", "Delete");
        return;
    }
    Forget(target);
}

void FileCommands::Forget(const CommandTarget& target) {
    if (strip_.Files().Contains(target.File)) strip_.DeleteFile(target.File);
    FileList& list = target.InInbox ? state_.InboxFiles : state_.ScreenSaverFiles;
    if (list.Contains(target.File)) list.Remove(target.File);
    if (state_.CurrentFile == target.File) window_.ClearFile();
}

void FileCommands::ForgetIfGone(const CommandTarget& target) {
    bool gone = false;
    try {
        gone = !files_.FileExists(target.File);
    } catch (const std::exception&) {
        return;  // cannot tell: the lists stay as they are
    }
    if (gone) Forget(target);
}

void FileCommands::ListIfInOwnFolder(const std::string& path) {
    try {
        const std::string folder = ExtractFolderPath(path);
        const bool inbox = folder == LowerCase(folders_.Inbox());
        if (!inbox && folder != LowerCase(folders_.ScreenSaver())) return;
        FileList& list = inbox ? state_.InboxFiles : state_.ScreenSaverFiles;
        if (list.ContainsIgnoringCase(path)) return;  // replaced, already listed
        list.InsertFront(files_.GetFile(path));
        if (state_.InboxShown == inbox) strip_.AddFile(path);
    } catch (const std::exception&) {
        // The file is on disk and its command succeeded; the list takes it
        // up when the folder is next read at start-up.
    }
}

void FileCommands::MarkCopy(const std::string& source, const std::string& copy) {
    std::string folder;
    try {
        folder = ExtractFolderPath(source);
    } catch (const PathError&) {
        return;  // a bare name lies in no folder of ours
    }
    if (folder != LowerCase(folders_.Inbox())) return;  // the user's own file
    if (!KeepMarkedFromOutside(ports_.Marks, files_, copy))
        throw FileSystemError("the virus scanner refused the copy: " + copy);
}

std::string FileCommands::AddToScreenSaver(const std::string& path) {
    const std::string destination =
        CopyWithoutOverwriting(path, folders_.ScreenSaver(), NameOf(path), &state_.ScreenSaverFiles);
    // A file found there already (in any letter case) may be listed already.
    if (!state_.ScreenSaverFiles.ContainsIgnoringCase(destination))
        state_.ScreenSaverFiles.InsertFront(files_.GetFile(destination));
    return destination;
}

void FileCommands::AddImageFromFile() {
    std::optional<std::string> chosen;
    std::string folder;
    try {
        // No file name is set: the dialog starts from what it held last.
        chosen = ports_.Dialogs.ShowOpen({ImagesFilter, FileMustExist, dialogFileName_});
        if (Exiting() || !chosen) return;
        dialogFileName_ = *chosen;
        if (!IsImageFile(*chosen)) {
            Report("You have not selected a valid image file!", "Add Image To Screen Saver From File");
            return;
        }
        folder = ExtractFolderPath(*chosen);
        AddToScreenSaver(*chosen);
    } catch (const std::exception&) {
        Report("Could not add file", "Open");
        return;
    }
    window_.ShowScreenSaverImages();
    state_.LastFolder = folder;
}

}  // namespace qw
