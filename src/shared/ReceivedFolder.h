#pragma once
// The folder of received files: where Windows' Nearby sharing, the Quick
// Share app or the Bluetooth file transfer wizard save what a phone sends,
// taken over like the Bluetooth stack's folders. Taking over moves files
// away, so it must be a folder used for nothing else.

#include <optional>
#include <string>
#include <vector>

#include "shared/Registry.h"

namespace qw {

// What the refusal needs of the system's folders.
class SystemFolders {
public:
    virtual ~SystemFolders() = default;
    // The system's own folders that hold other files: the user's profile,
    // Desktop, Documents, Downloads, Pictures, Music, Videos, OneDrive, the
    // Windows folder and the program folders, as the system names them on
    // this PC; those it does not know are left out.
    virtual std::vector<std::string> FoldersOfOtherFiles() = 0;
    // Whether the two name one folder, by what it is rather than how it is
    // spelled; where either cannot be opened, by their full paths.
    virtual bool SameFolder(const std::string& a, const std::string& b) = 0;
    // The folder that holds `folder`; nothing at a drive root (or a share).
    virtual std::optional<std::string> ParentOf(const std::string& folder) = 0;
};

// The other folders the program knows of.
struct KnownFolders {
    std::string Application;
    std::string CopyTo;  // empty when none
    std::string StackInbox, StackRoot;
};

// True when `folder` must not be taken over: a drive root, one of the
// system's folders, the copy-to folder, a folder of the stack, or the
// application folder or any folder inside it.
bool HoldsOtherFiles(SystemFolders& system, const std::string& folder, const KnownFolders& known);

// The folder stored in the registry, or empty when none is set.
std::string ReadReceivedFolder(Registry& registry);
// Stores the folder, or deletes the value for an empty one.
void StoreReceivedFolder(Registry& registry, const std::string& folder);

}  // namespace qw
