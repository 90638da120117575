#include "win32/Win32SystemFolders.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>

#include "win32/kit/Handles.h"
#include "win32/kit/Utf.h"

namespace qw::win32 {

namespace {

// The full path with "\" only and no "\" at the end, except at a root.
std::wstring FullPath(const std::string& folder) {
    std::wstring path = Widen(folder);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n > 0) {
        std::wstring full(n, L'\0');
        const DWORD written = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
        if (written > 0 && written < n) path.assign(full.c_str(), written);
    }
    while (path.size() > 1 && path.back() == L'\\' && !PathIsRootW(path.c_str())) path.pop_back();
    return path;
}

struct Identity {
    DWORD Volume = 0, High = 0, Low = 0;
};

std::optional<Identity> IdentityOf(const std::wstring& folder) {
    // Backup semantics open folders; no access is asked, so nothing is locked.
    const KernelHandle handle(CreateFileW(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle || !GetFileInformationByHandle(handle.Get(), &info)) return std::nullopt;
    return Identity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

}  // namespace

std::vector<std::string> Win32SystemFolders::FoldersOfOtherFiles() {
    static const KNOWNFOLDERID* const kFolders[] = {
        &FOLDERID_Profile,  &FOLDERID_Desktop, &FOLDERID_Documents,    &FOLDERID_Downloads,
        &FOLDERID_Pictures, &FOLDERID_Music,   &FOLDERID_Videos,       &FOLDERID_SkyDrive,
        &FOLDERID_Windows,  &FOLDERID_ProgramFiles, &FOLDERID_ProgramFilesX86, &FOLDERID_ProgramFilesX64,
    };
    std::vector<std::string> folders;
    for (const KNOWNFOLDERID* id : kFolders) {
        PWSTR path = nullptr;
        // A folder this PC does not have (no OneDrive, 64-bit program files
        // asked by a 32-bit program) is simply not there.
        if (SUCCEEDED(SHGetKnownFolderPath(*id, KF_FLAG_DONT_VERIFY, nullptr, &path)) && path && *path)
            folders.push_back(Narrow(path));
        CoTaskMemFree(path);
    }
    return folders;
}

bool Win32SystemFolders::SameFolder(const std::string& a, const std::string& b) {
    const std::wstring first = FullPath(a), second = FullPath(b);
    const std::optional<Identity> one = IdentityOf(first), other = IdentityOf(second);
    if (one && other) return one->Volume == other->Volume && one->High == other->High && one->Low == other->Low;
    return CompareStringOrdinal(first.c_str(), -1, second.c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::optional<std::string> Win32SystemFolders::ParentOf(const std::string& folder) {
    std::wstring path = FullPath(folder);
    if (path.empty() || PathIsRootW(path.c_str())) return std::nullopt;
    const std::size_t at = path.find_last_of(L'\\');
    if (at == std::wstring::npos) return std::nullopt;
    path.resize(at);
    // "C:" is the root "C:\".
    if (path.size() == 2 && path[1] == L':') path += L'\\';
    return Narrow(path);
}

}  // namespace qw::win32
