#include "shared/Folders.h"

namespace qw {

void EnsureFolder(FileSystem& files, const std::string& folder) {
    try {
        files.CreateFolder(folder);
    } catch (const FileSystemError&) {
        // Deliberately ignored; see the header.
    }
}

}  // namespace qw
