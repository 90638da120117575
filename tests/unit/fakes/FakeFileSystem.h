#pragma once
// An in-memory file system that behaves like Windows where the programs rely
// on it: paths are compared ignoring letter case, moves never replace (but a
// move onto the source's own name in other letters renames it), copies do,
// read-only and open files resist deletion. Tests can also make chosen
// operations fail and read back every call made through the port.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shared/FileSystem.h"

namespace qw {

enum class FileOperation {
    ListFiles, GetFile, MoveFile, CopyFile, CopyFileNoReplace, SameBytes, DeleteFile, CreateFolder,
    FileExists, CreateEmptyFile, ReadFileBytes, ReplaceFileContents,
};

// One call made through the port, failed ones included.
struct FileOperationRecord {
    FileOperation Operation{};
    std::string Path;         // as the caller wrote it
    std::string Destination;  // moves and copies only
    bool Succeeded = false;
    bool operator==(const FileOperationRecord&) const = default;
};

enum class ListOrder {
    Creation,         // the order the files came into their folder (the default)
    ReverseCreation,
    Name,             // by name, ignoring letter case
};

enum class FailureTimes { Once, Always };

class FakeFileSystem : public FileSystem {
public:
    // Matches every path in FailOn; no Windows path can contain it.
    static constexpr const char* AnyPath = "*";

    // ---- Setting up (not recorded). Files and folders get their missing parents.
    // Drive roots such as "C:" always exist.
    void AddFolder(const std::string& path);
    void AddFile(const std::string& path, std::string_view content = {});
    void AddFile(const std::string& path, std::vector<std::uint8_t> content);
    void SetReadOnly(const std::string& path, bool readOnly = true);
    // An open file can be read and copied but not moved, deleted or overwritten.
    void SetOpen(const std::string& path, bool open = true);
    // The type description GetFile and ListFiles give for an extension
    // (default: the extension in capitals and " File", e.g. "JPG File").
    void SetTypeName(const std::string& extension, const std::string& description);
    void SetListOrder(ListOrder order);
    // A custom listing order: `before(a, b)` is true when a is listed before b.
    void SetListOrder(std::function<bool(const FileItem&, const FileItem&)> before);
    // Makes `operation` throw FileSystemError for `path` (source or destination
    // of a move or copy, any letter case; AnyPath for all), changing nothing.
    void FailOn(FileOperation operation, const std::string& path,
                FailureTimes times = FailureTimes::Once);
    void ClearFailures();
    // When on, WatchFolder watches an existing folder: its watch reports a
    // change when the folder's files or their contents differ from its last look.
    bool Watchable = false;

    // ---- Inspecting (not recorded).
    bool HasFile(const std::string& path) const;
    bool HasFolder(const std::string& path) const;
    std::vector<std::uint8_t> Bytes(const std::string& path) const;  // throws when missing
    std::string Text(const std::string& path) const;                 // throws when missing
    bool IsReadOnly(const std::string& path) const;                  // throws when missing
    // The file's path in the letter case it was created with; throws when missing.
    std::string StoredPath(const std::string& path) const;
    // Stored paths of the folder's files in listing order.
    std::vector<std::string> FilesIn(const std::string& folder) const;
    const std::vector<FileOperationRecord>& Operations() const { return operations_; }
    // Calls of one kind, failed ones included.
    std::vector<FileOperationRecord> OperationsOf(FileOperation operation) const;
    // Successful calls of one kind.
    std::size_t CountOf(FileOperation operation) const;
    void ClearOperations() { operations_.clear(); }

    // ---- The port. Items carry the folder part as the caller wrote it and
    // the name in its stored letter case.
    std::vector<FileItem> ListFiles(const std::string& folder) override;
    FileItem GetFile(const std::string& path) override;
    void MoveFile(const std::string& from, const std::string& to) override;
    // Like Windows, the copy takes the source's read-only flag.
    void CopyFile(const std::string& from, const std::string& to) override;
    void CopyFileNoReplace(const std::string& from, const std::string& to) override;
    bool SameBytes(const std::string& a, const std::string& b) override;
    void DeleteFile(const std::string& path) override;
    void CreateFolder(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    void CreateEmptyFile(const std::string& path) override;
    std::vector<std::uint8_t> ReadFileBytes(const std::string& path) override;
    void ReplaceFileContents(const std::string& path, const std::vector<std::uint8_t>& bytes) override;
    std::unique_ptr<FolderWatch> WatchFolder(const std::string& folder) override;

private:
    struct File {
        std::string Path;  // without a trailing "\", in its stored letter case
        std::vector<std::uint8_t> Content;
        bool ReadOnly = false;
        bool Open = false;
        std::uint64_t Created = 0;  // creation sequence number
    };
    struct Failure {
        FileOperation Operation;
        std::string Key;
        FailureTimes Times;
    };

    template <typename Action>
    auto Perform(FileOperation operation, const std::string& path, const std::string& destination,
                 Action action);
    void ThrowIfInjected(FileOperation operation, const std::string& path,
                         const std::string& destination);

    File* FindFile(const std::string& path);
    const File* FindFile(const std::string& path) const;
    const File& ExistingFile(const std::string& path) const;
    File& ExistingFile(const std::string& path);
    bool FolderExistsByKey(const std::string& key) const;
    void RequireParentFolder(const std::string& path) const;
    void RequireWritable(const File& file, const char* operation) const;
    File& NewFile(const std::string& path);
    FileItem ItemOf(const File& file, const std::string& folderAsWritten) const;
    std::vector<const File*> SortedFilesIn(const std::string& folderKey) const;

    std::map<std::string, File> files_;          // by lower-cased path
    std::map<std::string, std::string> folders_;  // lower-cased path -> path
    std::map<std::string, std::string> typeNames_;
    std::vector<Failure> failures_;
    std::vector<FileOperationRecord> operations_;
    ListOrder order_ = ListOrder::Creation;
    std::function<bool(const FileItem&, const FileItem&)> customOrder_;
    std::uint64_t nextCreated_ = 1;
};

}  // namespace qw
