#pragma once
// The system's folders as Windows names them on this PC, and folders
// compared by what they are: the volume and file id Windows gives an open
// folder, so that D:/Photos, D:\Photos\, a short name, a path with "..", or
// under Wine the same folder reached through Z:, are one.

#include "shared/ReceivedFolder.h"

namespace qw::win32 {

class Win32SystemFolders : public qw::SystemFolders {
public:
    std::vector<std::string> FoldersOfOtherFiles() override;
    bool SameFolder(const std::string& a, const std::string& b) override;
    std::optional<std::string> ParentOf(const std::string& folder) override;
};

}  // namespace qw::win32
