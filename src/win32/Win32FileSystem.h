#pragma once
// Files and folders through the wide-character Windows API, so names in any
// script (as phones send them) list, move, copy and delete correctly.

#include <cstdint>
#include <string>
#include <vector>

// <windows.h> turns these names into macros (MoveFileW ...); a file that uses
// the port next to the Windows API includes <windows.h> first, then this header.
#undef MoveFile
#undef CopyFile
#undef DeleteFile

#include "shared/FileSystem.h"

namespace qw::win32 {

class Win32FileSystem : public qw::FileSystem {
public:
    std::vector<FileItem> ListFiles(const std::string& folder) override;
    std::vector<std::string> ListFileNames(const std::string& folder) override;
    // A change notification on the folder (FolderWatching.cpp).
    std::unique_ptr<FolderWatch> WatchFolder(const std::string& folder) override;
    FileItem GetFile(const std::string& path) override;
    void MoveFile(const std::string& from, const std::string& to) override;
    void CopyFile(const std::string& from, const std::string& to) override;
    void CopyFileNoReplace(const std::string& from, const std::string& to) override;
    bool SameBytes(const std::string& a, const std::string& b) override;
    void DeleteFile(const std::string& path) override;
    void CreateFolder(const std::string& path) override;

    bool FileExists(const std::string& path) override;
    void CreateEmptyFile(const std::string& path) override;
    std::vector<std::uint8_t> ReadFileBytes(const std::string& path) override;
    void ReplaceFileContents(const std::string& path,
                             const std::vector<std::uint8_t>& bytes) override;
};

// The description Windows shows for a file name's type ("JPEG image"), or
// "JPG File" / "File" as Explorer does when no description is registered.
std::string FileTypeName(const std::string& fileName);

}  // namespace qw::win32
