#pragma once
// The file-system port: everything the programs do with files and folders
// goes through it, so the rules of the inbox can be tested against a fake.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "shared/FolderWatch.h"
#include "shared/PlatformMacros.h"

namespace qw {

// A failure of a file-system operation; the message names the operation and path.
class FileSystemError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the programs read of a file. Paths and names are UTF-8.
struct FileItem {
    std::string Path;   // full path; also the item's text
    std::string Name;   // name with extension, without folder
    std::uint64_t Size = 0;  // length in bytes
    std::string Type;   // the type description Windows shows for the extension
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Files lying directly in the folder (never sub-folders), in listing order.
    // Throws when the folder cannot be opened (missing, empty path, not a folder).
    virtual std::vector<FileItem> ListFiles(const std::string& folder) = 0;
    // The names of the same files: what a reader needs that asks for nothing
    // else, without the cost of finding out each file's type description.
    virtual std::vector<std::string> ListFileNames(const std::string& folder) {
        std::vector<std::string> names;
        for (FileItem& file : ListFiles(folder)) names.push_back(std::move(file.Name));
        return names;
    }
    // Starts watching the folder's files; null when no change can be
    // reported (the folder is missing, or the platform cannot tell), and the
    // reader has to list the folder to find out.
    virtual std::unique_ptr<FolderWatch> WatchFolder(const std::string& /*folder*/) { return nullptr; }
    // Throws when the file does not exist.
    virtual FileItem GetFile(const std::string& path) = 0;
    // Moves or renames. Never replaces: throws, changing nothing, when the
    // destination exists (in any letter case) or the source is in use. A
    // destination that names the source itself in another letter case is a
    // rename of its letters, which succeeds as on Windows; callers that must
    // not rename so check for it first.
    virtual void MoveFile(const std::string& from, const std::string& to) = 0;
    // Copies, replacing an existing destination file.
    virtual void CopyFile(const std::string& from, const std::string& to) = 0;
    // Copies. Never replaces: throws, changing nothing, when the destination
    // exists (in any letter case).
    virtual void CopyFileNoReplace(const std::string& from, const std::string& to) = 0;
    // True when both files hold the same bytes (a file and itself included).
    // Throws when either cannot be read.
    virtual bool SameBytes(const std::string& a, const std::string& b) = 0;
    // Deletes for good; a read-only file is not forced and throws.
    virtual void DeleteFile(const std::string& path) = 0;
    // Throws when the folder exists or its parent is missing.
    virtual void CreateFolder(const std::string& path) = 0;

    // Whole-file access for small binary files (the settings file).
    virtual bool FileExists(const std::string& path) = 0;
    // Creates an empty file unless one exists; throws when it cannot.
    virtual void CreateEmptyFile(const std::string& path) = 0;
    virtual std::vector<std::uint8_t> ReadFileBytes(const std::string& path) = 0;
    // Writes the bytes to a temporary file beside `path`, flushes it and moves it
    // over `path` in one replace, so a reader sees the old or the new content only.
    virtual void ReplaceFileContents(const std::string& path,
                                     const std::vector<std::uint8_t>& bytes) = 0;
};

}  // namespace qw
