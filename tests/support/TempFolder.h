#pragma once
// Files for tests of the Windows side: a fresh folder under %TEMP% (or
// another parent) removed with everything in it afterwards, and plain Win32
// file access that does not go through the adapters under test. Paths are
// UTF-8 or UTF-16, whichever the caller holds.

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "win32/kit/Handles.h"
#include "win32/kit/Utf.h"

namespace qw::test {

inline std::wstring UniqueName(const std::wstring& prefix) {
    static std::atomic<unsigned> counter{0};
    return prefix + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter.fetch_add(1)) + L"-" +
           std::to_wstring(GetTickCount64());
}

inline void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    if (win32::FindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &data)); find) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(find.Get(), &data));
    }
    RemoveDirectoryW(folder.c_str());
}

class TempFolder {
public:
    // A new folder named prefix + a unique number, under %TEMP% unless
    // another parent folder is given.
    explicit TempFolder(const std::wstring& prefix = L"qwtest-", std::wstring parent = {}) {
        if (parent.empty()) {
            wchar_t temp[MAX_PATH + 1];
            const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
            parent.assign(temp, n);
        }
        if (!parent.empty() && parent.back() != L'\\') parent += L'\\';
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = parent + UniqueName(prefix);
            if (CreateDirectoryW(path_.c_str(), nullptr)) return;
        }
        throw std::runtime_error("no temporary folder under " + win32::Narrow(parent));
    }
    ~TempFolder() { RemoveTree(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path() const { return win32::Narrow(path_); }
    const std::wstring& WidePath() const { return path_; }
    std::string operator/(const std::string& name) const { return Path() + "\\" + name; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
    std::wstring operator/(const wchar_t* name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

inline void WriteBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    const win32::KernelHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw std::runtime_error("cannot create " + win32::Narrow(path));
    DWORD written = 0;
    const BOOL ok =
        bytes.empty() || ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    if (!ok || written != bytes.size()) throw std::runtime_error("cannot write " + win32::Narrow(path));
}
inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    WriteBytes(win32::Widen(path), bytes);
}

template <typename Path>
void WriteText(const Path& path, const std::string& text) {
    WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

// The file's content as text; "<missing>" when it cannot be opened.
inline std::string ReadText(const std::wstring& path) {
    const win32::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return "<missing>";
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    return text;
}
inline std::string ReadText(const std::string& path) { return ReadText(win32::Widen(path)); }

inline bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
inline bool Exists(const std::string& path) { return Exists(win32::Widen(path)); }

inline bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Names in the folder (sub-folders too unless filesOnly), sorted.
inline std::vector<std::wstring> NamesIn(const std::wstring& folder, bool filesOnly = false) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    const win32::FindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (!find) return names;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (filesOnly && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        names.push_back(name);
    } while (FindNextFileW(find.Get(), &data));
    std::sort(names.begin(), names.end());
    return names;
}
inline std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const std::wstring& name : NamesIn(win32::Widen(folder))) names.push_back(win32::Narrow(name));
    return names;
}

}  // namespace qw::test
