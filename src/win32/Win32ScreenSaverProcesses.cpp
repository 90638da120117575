#include <windows.h>

#include "win32/Win32ScreenSaverProcesses.h"

#include <string>

#include "win32/kit/Handles.h"

namespace qw::win32 {

namespace {

// The program file's path with every folder and the name in their long form
// when the file can be found; as given otherwise.
std::wstring LongPath(const std::wstring& path) {
    const DWORD needed = GetLongPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0) return path;
    std::wstring longPath(needed, L'\0');
    const DWORD length = GetLongPathNameW(path.c_str(), longPath.data(), needed);
    if (length == 0 || length >= needed) return path;
    longPath.resize(length);
    return longPath;
}

std::wstring FileNameOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool Win32ScreenSaverProcesses::IsScreenSaverProcess(std::uint32_t processId) {
    const KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId));
    if (!process) return false;  // no such process (or one we may not look at, which is not ours)
    // A process that has ended can still be opened while anyone holds a
    // handle to it; it is no running screen saver.
    if (WaitForSingleObject(process.Get(), 0) != WAIT_TIMEOUT) return false;
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = static_cast<DWORD>(path.size());
        if (QueryFullProcessImageNameW(process.Get(), 0, path.data(), &length)) {
            path.resize(length);
            break;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= 32768) return false;
        path.resize(path.size() * 2);
    }
    const std::wstring name = FileNameOf(LongPath(path));
    return CompareStringOrdinal(name.c_str(), static_cast<int>(name.size()), ScreenSaverFileName, -1, TRUE) ==
           CSTR_EQUAL;
}

}  // namespace qw::win32
