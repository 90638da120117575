#pragma once
// The folder the build puts its programs and libraries in (QW_BIN_DIR), as
// Windows names it: Wine's Z: drive is the Unix root.

#include <string>

namespace qw::test {

inline std::wstring BinFolder() {
    const std::string unix = QW_BIN_DIR;
    std::wstring path = L"Z:";
    for (char c : unix) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return path;
}

}  // namespace qw::test
