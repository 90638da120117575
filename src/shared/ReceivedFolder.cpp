#include "shared/ReceivedFolder.h"

#include "shared/RegistryValues.h"

namespace qw {

bool HoldsOtherFiles(SystemFolders& system, const std::string& folder, const KnownFolders& known) {
    if (!system.ParentOf(folder)) return true;  // a drive root
    for (const std::string& other : system.FoldersOfOtherFiles())
        if (system.SameFolder(folder, other)) return true;
    for (const std::string* other : {&known.CopyTo, &known.StackInbox, &known.StackRoot})
        if (!other->empty() && system.SameFolder(folder, *other)) return true;
    if (known.Application.empty()) return false;
    // The program's own folders (inbox, screensaver, desktop) lie inside it.
    for (std::optional<std::string> at = folder; at; at = system.ParentOf(*at))
        if (system.SameFolder(*at, known.Application)) return true;
    return false;
}

std::string ReadReceivedFolder(Registry& registry) { return ReadTextOr(registry, ReceivedFilesFolderValue); }

void StoreReceivedFolder(Registry& registry, const std::string& folder) {
    if (!folder.empty()) {
        registry.WriteText(ReceivedFilesFolderValue, folder);
        return;
    }
    try {
        registry.DeleteValue(ReceivedFilesFolderValue);
    } catch (const std::exception&) {
        // Not there: nothing to delete.
    }
}

}  // namespace qw
