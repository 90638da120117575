#include "win32/main/Win32Shell.h"

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include "win32/kit/Utf.h"

namespace qw::win32 {

void Win32Shell::Open(const std::string& path) {
    // The result is not looked at: a file Windows cannot open simply stays unopened.
    ShellExecuteW(GetDesktopWindow(), L"open", Widen(path).c_str(), L"", nullptr, SW_SHOWNORMAL);
}

bool Win32Shell::IsDangerousType(const std::string& extension) {
    return AssocIsDangerous(Widen(extension).c_str()) != FALSE;
}

}  // namespace qw::win32
