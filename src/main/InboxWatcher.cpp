#include "main/InboxWatcher.h"

#include <vector>

#include "shared/Paths.h"

namespace qw {

void InboxWatcher::Tick() {
    if (busy_.Exiting()) return;
    const Busy::Scope pass = busy_.Enter(Busy::Work::WatcherPass);
    if (!pass) return;
    CheckFolder(state_.BluetoothInboxFolder);
    CheckFolder(state_.BluetoothRootFolder);
    if (!state_.ReceivedFilesFolder.empty()) CheckFolder(state_.ReceivedFilesFolder);
}

bool InboxWatcher::IsTaken(const std::string& path) {
    // The list alone misses a file that differs only in letter case (the
    // file system ignores case, so the move would fail on every tick for
    // ever) and a file put into the inbox folder behind the program's back.
    return state_.InboxFiles.ContainsIgnoringCase(path) || files_.FileExists(path);
}

std::string InboxWatcher::FreeDestination(const std::string& receivedName) {
    const std::string prefix = folders_.Inbox() + "\\";
    std::string destination = prefix + receivedName;
    for (unsigned long long counter = 1; IsTaken(destination); ++counter)
        destination = prefix + NumberedName(receivedName, counter);
    return destination;
}

void InboxWatcher::CheckFolder(const std::string& folder) {
    std::vector<FileItem> received;
    try {
        received = files_.ListFiles(folder);
    } catch (const FileSystemError&) {
        // Empty path, or the stack's folder is gone for the moment: nothing
        // to take over now; later ticks look again.
        return;
    }
    for (const FileItem& file : received) {
        if (busy_.Exiting()) return;
        std::string destination;
        try {
            destination = FreeDestination(file.Name);
            files_.MoveFile(file.Path, destination);
        } catch (const std::exception&) {
            // Still being received, or held by another program: it stays
            // where it is and is tried again on a later tick.
            continue;
        }
        // A file the virus scanner refused is gone: it is not listed and no
        // action runs on it. It was this tick's file all the same.
        if (!KeepMarkedFromOutside(marks_, files_, destination)) return;
        try {
            FileItem moved = files_.GetFile(destination);
            state_.InboxFiles.InsertFront(moved);
            if (takenOver_) takenOver_(destination);
        } catch (const std::exception&) {
            // The file is in the inbox already; what was not done for it is
            // not repeated, and the pass goes on with the next file.
            continue;
        }
        return;  // one file per folder and tick
    }
}

void FillCollection(FileSystem& files, FileList& list, const std::string& folder) {
    for (const FileItem& file : files.ListFiles(folder)) list.Append(file);
}

}  // namespace qw
