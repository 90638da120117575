#include "fakes/FakeFileSystem.h"

#include <algorithm>
#include <cctype>
#include <type_traits>
#include <utility>

#include "shared/Text.h"

namespace qw {

namespace {

// The path without a trailing "\" ("C:\In\" and "C:\In" name the same folder).
std::string Stripped(const std::string& path) {
    std::string s = path;
    while (!s.empty() && s.back() == '\\') s.pop_back();
    return s;
}

std::string KeyOf(const std::string& path) { return LowerCase(Stripped(path)); }

// Everything before the last "\"; empty when there is none.
std::string ParentOf(const std::string& path) {
    const std::size_t at = path.rfind('\\');
    return at == std::string::npos ? std::string() : path.substr(0, at);
}

std::string NameOf(const std::string& path) {
    const std::size_t at = path.rfind('\\');
    return at == std::string::npos ? path : path.substr(at + 1);
}

bool IsDriveRoot(const std::string& key) { return key.size() == 2 && key[1] == ':'; }

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
    throw FileSystemError(what + ": " + path);
}

}  // namespace

// ---- Setting up

void FakeFileSystem::AddFolder(const std::string& path) {
    const std::string folder = Stripped(path);
    if (folder.empty() || IsDriveRoot(KeyOf(folder))) return;
    AddFolder(ParentOf(folder));
    folders_.emplace(KeyOf(folder), folder);
}

void FakeFileSystem::AddFile(const std::string& path, std::string_view content) {
    AddFile(path, std::vector<std::uint8_t>(content.begin(), content.end()));
}

void FakeFileSystem::AddFile(const std::string& path, std::vector<std::uint8_t> content) {
    AddFolder(ParentOf(Stripped(path)));
    File* existing = FindFile(path);
    File& file = existing ? *existing : NewFile(path);
    file.Content = std::move(content);
}

void FakeFileSystem::SetReadOnly(const std::string& path, bool readOnly) {
    ExistingFile(path).ReadOnly = readOnly;
}

void FakeFileSystem::SetOpen(const std::string& path, bool open) {
    ExistingFile(path).Open = open;
}

void FakeFileSystem::SetTypeName(const std::string& extension, const std::string& description) {
    typeNames_[LowerCase(extension)] = description;
}

void FakeFileSystem::SetListOrder(ListOrder order) {
    order_ = order;
    customOrder_ = nullptr;
}

void FakeFileSystem::SetListOrder(std::function<bool(const FileItem&, const FileItem&)> before) {
    customOrder_ = std::move(before);
}

void FakeFileSystem::FailOn(FileOperation operation, const std::string& path, FailureTimes times) {
    failures_.push_back({operation, path == AnyPath ? path : KeyOf(path), times});
}

void FakeFileSystem::ClearFailures() { failures_.clear(); }

// ---- Inspecting

bool FakeFileSystem::HasFile(const std::string& path) const { return FindFile(path) != nullptr; }

bool FakeFileSystem::HasFolder(const std::string& path) const { return FolderExistsByKey(KeyOf(path)); }

std::vector<std::uint8_t> FakeFileSystem::Bytes(const std::string& path) const {
    return ExistingFile(path).Content;
}

std::string FakeFileSystem::Text(const std::string& path) const {
    const auto& content = ExistingFile(path).Content;
    return std::string(content.begin(), content.end());
}

bool FakeFileSystem::IsReadOnly(const std::string& path) const { return ExistingFile(path).ReadOnly; }

std::string FakeFileSystem::StoredPath(const std::string& path) const { return ExistingFile(path).Path; }

std::vector<std::string> FakeFileSystem::FilesIn(const std::string& folder) const {
    std::vector<std::string> paths;
    for (const File* file : SortedFilesIn(KeyOf(folder))) paths.push_back(file->Path);
    return paths;
}

std::vector<FileOperationRecord> FakeFileSystem::OperationsOf(FileOperation operation) const {
    std::vector<FileOperationRecord> found;
    for (const auto& record : operations_) {
        if (record.Operation == operation) found.push_back(record);
    }
    return found;
}

std::size_t FakeFileSystem::CountOf(FileOperation operation) const {
    return static_cast<std::size_t>(std::count_if(operations_.begin(), operations_.end(), [&](const auto& r) {
        return r.Operation == operation && r.Succeeded;
    }));
}

// ---- The port

template <typename Action>
auto FakeFileSystem::Perform(FileOperation operation, const std::string& path,
                             const std::string& destination, Action action) {
    operations_.push_back({operation, path, destination, false});
    const std::size_t index = operations_.size() - 1;
    ThrowIfInjected(operation, path, destination);
    if constexpr (std::is_void_v<decltype(action())>) {
        action();
        operations_[index].Succeeded = true;
    } else {
        auto result = action();
        operations_[index].Succeeded = true;
        return result;
    }
}

void FakeFileSystem::ThrowIfInjected(FileOperation operation, const std::string& path,
                                     const std::string& destination) {
    const std::string pathKey = KeyOf(path);
    const std::string destinationKey = destination.empty() ? std::string() : KeyOf(destination);
    for (auto it = failures_.begin(); it != failures_.end(); ++it) {
        const bool matches = it->Operation == operation &&
                             (it->Key == AnyPath || it->Key == pathKey ||
                              (!destinationKey.empty() && it->Key == destinationKey));
        if (!matches) continue;
        if (it->Times == FailureTimes::Once) failures_.erase(it);
        Fail("injected failure", destination.empty() ? path : path + " -> " + destination);
    }
}

std::vector<FileItem> FakeFileSystem::ListFiles(const std::string& folder) {
    return Perform(FileOperation::ListFiles, folder, {}, [&] {
        const std::string key = KeyOf(folder);
        if (key.empty() || !FolderExistsByKey(key)) Fail("folder not found", folder);
        std::vector<FileItem> items;
        for (const File* file : SortedFilesIn(key)) items.push_back(ItemOf(*file, Stripped(folder)));
        return items;
    });
}

FileItem FakeFileSystem::GetFile(const std::string& path) {
    return Perform(FileOperation::GetFile, path, {}, [&] {
        const File* file = FindFile(path);
        if (!file) Fail("file not found", path);
        return ItemOf(*file, ParentOf(Stripped(path)));
    });
}

void FakeFileSystem::MoveFile(const std::string& from, const std::string& to) {
    Perform(FileOperation::MoveFile, from, to, [&] {
        File* source = FindFile(from);
        if (!source) Fail("file not found", from);
        if (source->Open) Fail("file in use", from);
        if (KeyOf(from) == KeyOf(to)) {  // only its letters change
            source->Path = Stripped(to);
            return;
        }
        if (FindFile(to) || FolderExistsByKey(KeyOf(to))) Fail("file already exists", to);
        RequireParentFolder(to);
        File moved = std::move(*source);
        files_.erase(KeyOf(from));
        moved.Path = Stripped(to);
        moved.Created = nextCreated_++;  // it arrives in its new folder now
        files_[KeyOf(to)] = std::move(moved);
    });
}

void FakeFileSystem::CopyFile(const std::string& from, const std::string& to) {
    Perform(FileOperation::CopyFile, from, to, [&] {
        const File* source = FindFile(from);
        if (!source) Fail("file not found", from);
        RequireParentFolder(to);
        if (FolderExistsByKey(KeyOf(to))) Fail("a folder has that name", to);
        File* target = FindFile(to);
        if (target == source) Fail("file cannot be copied onto itself", to);
        if (target) RequireWritable(*target, "copy over");
        File& copy = target ? *target : NewFile(to);
        copy.Content = source->Content;
        copy.ReadOnly = source->ReadOnly;
    });
}

void FakeFileSystem::CopyFileNoReplace(const std::string& from, const std::string& to) {
    Perform(FileOperation::CopyFileNoReplace, from, to, [&] {
        const File* source = FindFile(from);
        if (!source) Fail("file not found", from);
        if (FindFile(to) || FolderExistsByKey(KeyOf(to))) Fail("file already exists", to);
        RequireParentFolder(to);
        const File original = *source;  // NewFile may move the source in the map
        File& copy = NewFile(to);
        copy.Content = original.Content;
        copy.ReadOnly = original.ReadOnly;
    });
}

bool FakeFileSystem::SameBytes(const std::string& a, const std::string& b) {
    return Perform(FileOperation::SameBytes, a, b, [&] {
        const File* first = FindFile(a);
        const File* second = FindFile(b);
        if (!first || !second) Fail("file not found", first ? b : a);
        return first->Content == second->Content;
    });
}

void FakeFileSystem::DeleteFile(const std::string& path) {
    Perform(FileOperation::DeleteFile, path, {}, [&] {
        const File* file = FindFile(path);
        if (!file) Fail("file not found", path);
        RequireWritable(*file, "delete");
        files_.erase(KeyOf(path));
    });
}

void FakeFileSystem::CreateFolder(const std::string& path) {
    Perform(FileOperation::CreateFolder, path, {}, [&] {
        const std::string key = KeyOf(path);
        if (key.empty()) Fail("no folder name", path);
        if (FolderExistsByKey(key) || FindFile(path)) Fail("already exists", path);
        RequireParentFolder(path);
        folders_.emplace(key, Stripped(path));
    });
}

bool FakeFileSystem::FileExists(const std::string& path) {
    return Perform(FileOperation::FileExists, path, {}, [&] { return FindFile(path) != nullptr; });
}

void FakeFileSystem::CreateEmptyFile(const std::string& path) {
    Perform(FileOperation::CreateEmptyFile, path, {}, [&] {
        if (FindFile(path)) return;
        if (FolderExistsByKey(KeyOf(path))) Fail("a folder has that name", path);
        RequireParentFolder(path);
        NewFile(path);
    });
}

std::vector<std::uint8_t> FakeFileSystem::ReadFileBytes(const std::string& path) {
    return Perform(FileOperation::ReadFileBytes, path, {}, [&] {
        const File* file = FindFile(path);
        if (!file) Fail("file not found", path);
        return file->Content;
    });
}

void FakeFileSystem::ReplaceFileContents(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    Perform(FileOperation::ReplaceFileContents, path, {}, [&] {
        RequireParentFolder(path);
        if (FolderExistsByKey(KeyOf(path))) Fail("a folder has that name", path);
        File* file = FindFile(path);
        if (file) RequireWritable(*file, "replace");
        (file ? *file : NewFile(path)).Content = bytes;
    });
}

// ---- Helpers

FakeFileSystem::File* FakeFileSystem::FindFile(const std::string& path) {
    const auto it = files_.find(KeyOf(path));
    return it == files_.end() ? nullptr : &it->second;
}

const FakeFileSystem::File* FakeFileSystem::FindFile(const std::string& path) const {
    const auto it = files_.find(KeyOf(path));
    return it == files_.end() ? nullptr : &it->second;
}

const FakeFileSystem::File& FakeFileSystem::ExistingFile(const std::string& path) const {
    const File* file = FindFile(path);
    if (!file) Fail("no such file in the fake", path);
    return *file;
}

FakeFileSystem::File& FakeFileSystem::ExistingFile(const std::string& path) {
    File* file = FindFile(path);
    if (!file) Fail("no such file in the fake", path);
    return *file;
}

bool FakeFileSystem::FolderExistsByKey(const std::string& key) const {
    return IsDriveRoot(key) || folders_.count(key) != 0;
}

void FakeFileSystem::RequireParentFolder(const std::string& path) const {
    const std::string parent = ParentOf(Stripped(path));
    if (parent.empty() || !FolderExistsByKey(KeyOf(parent))) Fail("folder not found", path);
}

void FakeFileSystem::RequireWritable(const File& file, const char* operation) const {
    if (file.ReadOnly) Fail(std::string("cannot ") + operation + " a read-only file", file.Path);
    if (file.Open) Fail(std::string("cannot ") + operation + " a file in use", file.Path);
}

FakeFileSystem::File& FakeFileSystem::NewFile(const std::string& path) {
    File& file = files_[KeyOf(path)];
    file.Path = Stripped(path);
    file.Created = nextCreated_++;
    return file;
}

FileItem FakeFileSystem::ItemOf(const File& file, const std::string& folderAsWritten) const {
    FileItem item;
    item.Name = NameOf(file.Path);
    item.Path = folderAsWritten.empty() ? item.Name : folderAsWritten + "\\" + item.Name;
    item.Size = file.Content.size();
    const std::size_t dot = item.Name.rfind('.');
    if (dot == std::string::npos) {
        item.Type = "File";
    } else {
        const std::string extension = item.Name.substr(dot + 1);
        const auto named = typeNames_.find(LowerCase(extension));
        if (named != typeNames_.end()) {
            item.Type = named->second;
        } else {
            std::string capitals = extension;
            for (char& c : capitals) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            item.Type = capitals + " File";
        }
    }
    return item;
}

std::vector<const FakeFileSystem::File*> FakeFileSystem::SortedFilesIn(const std::string& folderKey) const {
    std::vector<std::pair<FileItem, const File*>> entries;
    for (const auto& [key, file] : files_) {
        if (KeyOf(ParentOf(file.Path)) == folderKey) entries.emplace_back(ItemOf(file, ParentOf(file.Path)), &file);
    }
    const auto byCreation = [](const auto& a, const auto& b) { return a.second->Created < b.second->Created; };
    std::sort(entries.begin(), entries.end(), byCreation);
    if (customOrder_) {
        std::stable_sort(entries.begin(), entries.end(),
                         [&](const auto& a, const auto& b) { return customOrder_(a.first, b.first); });
    } else if (order_ == ListOrder::ReverseCreation) {
        std::reverse(entries.begin(), entries.end());
    } else if (order_ == ListOrder::Name) {
        std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
            return LowerCase(a.first.Name) < LowerCase(b.first.Name);
        });
    }
    std::vector<const File*> sorted;
    for (const auto& entry : entries) sorted.push_back(entry.second);
    return sorted;
}

}  // namespace qw

namespace qw {

namespace {

class SnapshotWatch : public FolderWatch {
public:
    SnapshotWatch(const FakeFileSystem& files, std::string folder) : files_(files), folder_(std::move(folder)) {
        Changed();
    }
    bool Changed() override {
        std::string now;
        for (const std::string& path : files_.FilesIn(folder_)) now += path + '\n' + files_.Text(path) + '\n';
        return std::exchange(seen_, now) != now;
    }

private:
    const FakeFileSystem& files_;
    std::string folder_, seen_;
};

}  // namespace

std::unique_ptr<FolderWatch> FakeFileSystem::WatchFolder(const std::string& folder) {
    if (!Watchable || !HasFolder(folder)) return nullptr;
    return std::make_unique<SnapshotWatch>(*this, folder);
}

}  // namespace qw
