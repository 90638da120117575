#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include "win32/Win32FileSystem.h"

#include <algorithm>
#include <atomic>
#include <unordered_map>
#include <utility>

#include "win32/FileReading.h"
#include "win32/kit/Handles.h"
#include "win32/kit/Utf.h"

namespace qw::win32 {

namespace {

// Whole-file reads are meant for small files (the settings record); a larger
// file is refused rather than exhausting a 32-bit address space.
constexpr std::uint64_t kMaxWholeFile = 64ull * 1024 * 1024;
constexpr DWORD kCopyChunk = 1024 * 1024;

[[noreturn]] void Fail(const std::string& what, const std::string& reason) {
    throw FileSystemError(what + " failed: " + reason);
}

[[noreturn]] void Fail(const std::string& what, DWORD code) { Fail(what, ErrorText(code)); }

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::uint64_t SizeOf(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

DWORD Attributes(const std::wstring& path) {
    return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
}

bool ReadSome(HANDLE file, std::uint8_t* data, DWORD wanted, DWORD& got) {
    got = 0;
    return ReadFile(file, data, wanted, &got, nullptr) != FALSE;
}

// Reads until the buffer is full or the file ends.
bool ReadFull(HANDLE file, std::uint8_t* data, DWORD wanted, DWORD& got) {
    got = 0;
    for (DWORD some = 0; got < wanted; got += some) {
        if (!ReadSome(file, data + got, wanted - got, some)) return false;
        if (some == 0) break;
    }
    return true;
}

bool WriteAll(HANDLE file, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = size > kCopyChunk ? kCopyChunk : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr)) return false;
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

bool CopyContents(HANDLE from, HANDLE to) {
    std::vector<std::uint8_t> buffer(kCopyChunk);
    for (;;) {
        DWORD got = 0;
        if (!ReadSome(from, buffer.data(), kCopyChunk, got)) return false;
        if (got == 0) return true;
        if (!WriteAll(to, buffer.data(), got)) return false;
    }
}

// MoveFileEx's own copy across volumes reports success when the source cannot
// be deleted afterwards (a file still being written), leaving two files. Here
// the source is opened for deletion and locked against writers first, so the
// file is either moved whole or nothing changes.
void MoveAcrossVolumes(const std::wstring& from, const std::wstring& to, const std::string& what) {
    KernelHandle source(CreateFileW(from.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!source) Fail(what, GetLastError());
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(source.Get(), &info)) Fail(what, GetLastError());

    const DWORD kept = info.dwFileAttributes &
                       (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    KernelHandle target(CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              (kept ? kept : FILE_ATTRIBUTE_NORMAL) | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!target) Fail(what, GetLastError());

    FILE_DISPOSITION_INFO disposition{TRUE};  // its one member, "delete on close"
    const bool moved =
        CopyContents(source.Get(), target.Get()) &&
        SetFileTime(target.Get(), &info.ftCreationTime, &info.ftLastAccessTime, &info.ftLastWriteTime) &&
        FlushFileBuffers(target.Get()) &&
        SetFileInformationByHandle(source.Get(), FileDispositionInfo, &disposition, sizeof disposition);
    if (!moved) {
        const DWORD code = GetLastError();
        target.Reset();
        ::DeleteFileW(to.c_str());
        Fail(what, code);
    }
    // Closing the source removes it: the disposition is set.
}

std::wstring UniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    return L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter.fetch_add(1)) +
           L".tmp";
}

bool IsSharingConflict(DWORD code) {
    return code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION;
}

}  // namespace

std::string FileTypeName(const std::string& fileName) {
    const std::wstring name = Widen(fileName);
    const wchar_t* extension = PathFindExtensionW(name.c_str());
    SHFILEINFOW info{};
    if (SHGetFileInfoW(name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                       SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES)) {
        // Wine answers ".qwz file" where nothing is registered; that is no description either.
        const std::wstring text = info.szTypeName;
        const std::wstring wineStandIn = std::wstring(extension) + L" file";
        if (!text.empty() && (extension[0] == L'\0' ||
                              CompareStringOrdinal(text.c_str(), -1, wineStandIn.c_str(), -1, TRUE) != CSTR_EQUAL))
            return Narrow(text);
    }
    if (extension[0] == L'\0' || extension[1] == L'\0') return "File";
    std::wstring upper(extension + 1);
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    return Narrow(upper) + " File";
}

namespace {

// Calls `found` with the name and size of every file lying directly in the folder.
template <typename Found>
void ForEachFile(const std::string& folder, Found found) {
    const std::string what = "Listing the folder " + Quoted(folder);
    const std::wstring wide = Widen(folder);
    const DWORD attributes = Attributes(wide);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        Fail(what, folder.empty() ? ERROR_PATH_NOT_FOUND : GetLastError());
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) Fail(what, "it is not a folder");

    WIN32_FIND_DATAW data{};
    FindHandle find(FindFirstFileExW((wide + (IsSeparator(folder.back()) ? L"*" : L"\\*")).c_str(),
                                     FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND) return;  // an empty drive root has no "." entry
        Fail(what, code);
    }
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            found(Narrow(data.cFileName), SizeOf(data.nFileSizeHigh, data.nFileSizeLow));
    } while (FindNextFileW(find.Get(), &data));
    const DWORD code = GetLastError();
    if (code != ERROR_NO_MORE_FILES) Fail(what, code);
}

}  // namespace

std::vector<FileItem> Win32FileSystem::ListFiles(const std::string& folder) {
    const std::string prefix = folder.empty() || IsSeparator(folder.back()) ? folder : folder + "\\";
    std::vector<FileItem> files;
    // The shell is asked once per extension, not per file: a folder of
    // thousands of photos has a handful of extensions.
    std::unordered_map<std::string, std::string> types;
    ForEachFile(folder, [&](std::string name, std::uint64_t size) {
        FileItem item;
        item.Path = prefix + name;
        const auto dot = name.rfind('.');
        const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
        auto type = types.find(extension);
        if (type == types.end()) type = types.emplace(extension, FileTypeName(name)).first;
        item.Type = type->second;
        item.Name = std::move(name);
        item.Size = size;
        files.push_back(std::move(item));
    });
    return files;
}

std::vector<std::string> Win32FileSystem::ListFileNames(const std::string& folder) {
    std::vector<std::string> names;
    ForEachFile(folder, [&](std::string name, std::uint64_t) { names.push_back(std::move(name)); });
    return names;
}

FileItem Win32FileSystem::GetFile(const std::string& path) {
    const std::string what = "Reading the file " + Quoted(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty()) Fail(what, ERROR_FILE_NOT_FOUND);
    if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data))
        Fail(what, GetLastError());
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Fail(what, "it is a folder");
    FileItem item;
    item.Path = path;
    item.Name = NameOf(path);
    item.Size = SizeOf(data.nFileSizeHigh, data.nFileSizeLow);
    item.Type = FileTypeName(item.Name);
    return item;
}

void Win32FileSystem::MoveFile(const std::string& from, const std::string& to) {
    const std::string what = "Moving " + Quoted(from) + " to " + Quoted(to);
    const std::wstring source = Widen(from), target = Widen(to);
    // No MOVEFILE_REPLACE_EXISTING: an existing destination, in any letter case, fails.
    if (MoveFileExW(source.c_str(), target.c_str(), 0)) return;
    const DWORD code = GetLastError();
    if (code != ERROR_NOT_SAME_DEVICE) Fail(what, code);
    MoveAcrossVolumes(source, target, what);
}

void Win32FileSystem::CopyFile(const std::string& from, const std::string& to) {
    if (!::CopyFileW(Widen(from).c_str(), Widen(to).c_str(), FALSE))
        Fail("Copying " + Quoted(from) + " to " + Quoted(to), GetLastError());
}

void Win32FileSystem::CopyFileNoReplace(const std::string& from, const std::string& to) {
    if (!::CopyFileW(Widen(from).c_str(), Widen(to).c_str(), TRUE))
        Fail("Copying " + Quoted(from) + " to " + Quoted(to), GetLastError());
}

bool Win32FileSystem::SameBytes(const std::string& a, const std::string& b) {
    const std::string what = "Comparing " + Quoted(a) + " with " + Quoted(b);
    const auto open = [&](const std::string& path) {
        KernelHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!file) Fail(what, GetLastError());
        return file;
    };
    const KernelHandle first = open(a), second = open(b);
    BY_HANDLE_FILE_INFORMATION one{}, other{};
    if (!GetFileInformationByHandle(first.Get(), &one) || !GetFileInformationByHandle(second.Get(), &other))
        Fail(what, GetLastError());
    if (one.dwVolumeSerialNumber == other.dwVolumeSerialNumber && one.nFileIndexHigh == other.nFileIndexHigh &&
        one.nFileIndexLow == other.nFileIndexLow)
        return true;  // one file, by two spellings
    if (one.nFileSizeHigh != other.nFileSizeHigh || one.nFileSizeLow != other.nFileSizeLow) return false;
    std::vector<std::uint8_t> left(kCopyChunk), right(kCopyChunk);
    for (;;) {
        DWORD gotLeft = 0, gotRight = 0;
        if (!ReadFull(first.Get(), left.data(), kCopyChunk, gotLeft) ||
            !ReadFull(second.Get(), right.data(), kCopyChunk, gotRight))
            Fail(what, GetLastError());
        if (gotLeft != gotRight || !std::equal(left.begin(), left.begin() + gotLeft, right.begin())) return false;
        if (gotLeft == 0) return true;
    }
}

void Win32FileSystem::DeleteFile(const std::string& path) {
    if (!::DeleteFileW(Widen(path).c_str())) Fail("Deleting " + Quoted(path), GetLastError());
}

void Win32FileSystem::CreateFolder(const std::string& path) {
    if (!CreateDirectoryW(Widen(path).c_str(), nullptr))
        Fail("Creating the folder " + Quoted(path), GetLastError());
}

bool Win32FileSystem::FileExists(const std::string& path) {
    const DWORD attributes = Attributes(Widen(path));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void Win32FileSystem::CreateEmptyFile(const std::string& path) {
    KernelHandle file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return;
    const DWORD code = GetLastError();
    if ((code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) && FileExists(path)) return;
    Fail("Creating the file " + Quoted(path), code);
}

std::vector<std::uint8_t> Win32FileSystem::ReadFileBytes(const std::string& path) {
    try {
        return ReadWholeFile(path, kMaxWholeFile);
    } catch (const FileReadError& e) {
        Fail("Reading " + Quoted(path), e.what());
    }
}

void Win32FileSystem::ReplaceFileContents(const std::string& path,
                                          const std::vector<std::uint8_t>& bytes) {
    const std::string what = "Writing " + Quoted(path);
    const std::wstring target = Widen(path);
    if (target.empty()) Fail(what, ERROR_PATH_NOT_FOUND);
    // Windows refuses to replace a read-only file, Wine does not; the check
    // makes both keep it.
    const DWORD attributes = Attributes(target);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        Fail(what, ERROR_ACCESS_DENIED);

    // The temporary file lies beside the target, so the final move is a rename
    // within one volume, which replaces the target in one step.
    std::wstring temporary;
    KernelHandle file;
    for (int attempt = 0;; ++attempt) {
        temporary = target + UniqueSuffix();
        file.Reset(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                               nullptr));
        if (file) break;
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_EXISTS || attempt == 9) Fail(what, code);
    }
    if (!WriteAll(file.Get(), bytes.data(), bytes.size()) || !FlushFileBuffers(file.Get())) {
        const DWORD code = GetLastError();
        file.Reset();
        ::DeleteFileW(temporary.c_str());
        Fail(what, code);
    }
    file.Reset();

    // While a reader has the target open (the other program, a virus scanner)
    // it cannot be replaced; such a reader is gone a moment later, so a few
    // retries, about a quarter second in all, ride that out.
    DWORD code = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 7; ++attempt) {
        if (attempt > 0) Sleep(10 * attempt);
        if (MoveFileExW(temporary.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return;
        code = GetLastError();
        if (!IsSharingConflict(code)) break;
    }
    ::DeleteFileW(temporary.c_str());
    Fail(what, code);
}

}  // namespace qw::win32
