#include "main/FileList.h"

#include "shared/Text.h"

namespace qw {

std::string FileList::KeyOf(const std::string& path) const {
    return match_ == KeyMatch::IgnoreCase ? LowerCase(path) : path;
}

const FileItem& FileList::At(std::size_t position) const {
    if (position < 1 || position > items_.size())
        throw std::out_of_range("list position " + std::to_string(position) + " of " +
                                std::to_string(items_.size()));
    return items_[position - 1];
}

std::size_t FileList::PositionOf(const std::string& key) const {
    auto it = index_.find(KeyOf(key));
    if (it == index_.end()) return 0;
    return static_cast<std::size_t>(it->second - frontSequence_) + 1;
}

bool FileList::ContainsIgnoringCase(const std::string& key) const {
    return folded_.count(LowerCase(key)) != 0;
}

void FileList::InsertFront(const FileItem& item) {
    std::string key = KeyOf(item.Path);
    if (index_.count(key)) throw DuplicateKeyError("already listed: " + item.Path);
    if (!items_.empty()) --frontSequence_;
    items_.push_front(item);
    index_.emplace(std::move(key), frontSequence_);
    ++folded_[LowerCase(item.Path)];
}

void FileList::Append(const FileItem& item) {
    std::string key = KeyOf(item.Path);
    if (index_.count(key)) throw DuplicateKeyError("already listed: " + item.Path);
    items_.push_back(item);
    index_.emplace(std::move(key), frontSequence_ + static_cast<std::int64_t>(items_.size()) - 1);
    ++folded_[LowerCase(item.Path)];
}

void FileList::Remove(const std::string& key) {
    std::size_t position = PositionOf(key);
    if (position == 0) throw MissingKeyError("not listed: " + key);
    std::string folded = LowerCase(items_[position - 1].Path);
    if (--folded_[folded] == 0) folded_.erase(folded);
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position - 1));
    // Removing is rare (a file deleted or moved away by the user), so the
    // positions behind it are simply numbered again.
    Reindex();
}

void FileList::Clear() {
    items_.clear();
    index_.clear();
    folded_.clear();
    frontSequence_ = 0;
}

void FileList::Reindex() {
    index_.clear();
    frontSequence_ = 0;
    std::int64_t sequence = 0;
    for (const FileItem& item : items_) index_.emplace(KeyOf(item.Path), sequence++);
}

}  // namespace qw
