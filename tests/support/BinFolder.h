#pragma once
// The folder the build puts its programs and libraries in (QW_BIN_DIR), as
// Windows names it: Wine's Z: drive is the Unix root.

#include <algorithm>
#include <string>

#include "win32/kit/Utf.h"

namespace qw::test {

// A path of the build machine as Wine names it.
inline std::wstring FromUnixPath(const std::string& unix) {
    std::wstring path = L"Z:" + win32::Widen(unix);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

inline std::wstring BinFolder() { return FromUnixPath(QW_BIN_DIR); }

}  // namespace qw::test
