#pragma once

#include <string>

#include "shared/FileSystem.h"

namespace qw {

// Creates the folder when it is missing. Every failure (it exists, its parent
// is missing, access is denied) is ignored: the next step that lists the
// folder meets the problem and handles it there.
void EnsureFolder(FileSystem& files, const std::string& folder);

}  // namespace qw
