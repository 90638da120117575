#include "main/FileList.h"

#include <functional>

#include "shared/Text.h"

namespace qw {

std::size_t FileList::KeyHash::operator()(std::string_view key) const {
    return IgnoreCase ? std::hash<std::string>{}(LowerCase(key)) : std::hash<std::string_view>{}(key);
}

bool FileList::KeyEqual::operator()(std::string_view a, std::string_view b) const {
    return IgnoreCase ? EqualsIgnoreCase(a, b) : a == b;
}

FileList::FileList(KeyMatch match)
    : match_(match),
      index_(0, KeyHash{match == KeyMatch::IgnoreCase}, KeyEqual{match == KeyMatch::IgnoreCase}),
      folded_(0, KeyHash{true}, KeyEqual{true}) {}

const FileItem& FileList::At(std::size_t position) const {
    if (position < 1 || position > items_.size())
        throw std::out_of_range("list position " + std::to_string(position) + " of " +
                                std::to_string(items_.size()));
    return items_[position - 1];
}

std::size_t FileList::PositionOf(const std::string& key) const {
    auto it = index_.find(key);
    if (it == index_.end()) return 0;
    return static_cast<std::size_t>(it->second - frontSequence_) + 1;
}

bool FileList::ContainsIgnoringCase(const std::string& key) const {
    return match_ == KeyMatch::IgnoreCase ? index_.count(key) != 0 : folded_.count(key) != 0;
}

void FileList::Index(const FileItem& item, std::int64_t sequence) {
    index_.emplace(item.Path, sequence);
    if (match_ == KeyMatch::Exact) ++folded_[item.Path];
}

void FileList::InsertFront(const FileItem& item) {
    if (index_.count(item.Path)) throw DuplicateKeyError("already listed: " + item.Path);
    if (!items_.empty()) --frontSequence_;
    items_.push_front(item);
    Index(items_.front(), frontSequence_);
}

void FileList::Append(const FileItem& item) {
    if (index_.count(item.Path)) throw DuplicateKeyError("already listed: " + item.Path);
    items_.push_back(item);
    Index(items_.back(), frontSequence_ + static_cast<std::int64_t>(items_.size()) - 1);
}

void FileList::Remove(const std::string& key) {
    std::size_t position = PositionOf(key);
    if (position == 0) throw MissingKeyError("not listed: " + key);
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position - 1));
    // Removing is rare (a file deleted or moved away by the user), so the
    // positions behind it are simply numbered again, and the keys, views of
    // items the erase may have moved, taken again.
    Reindex();
}

void FileList::Clear() {
    index_.clear();
    folded_.clear();
    items_.clear();
    frontSequence_ = 0;
}

void FileList::Reindex() {
    index_.clear();
    folded_.clear();
    frontSequence_ = 0;
    std::int64_t sequence = 0;
    for (const FileItem& item : items_) Index(item, sequence++);
}

}  // namespace qw
