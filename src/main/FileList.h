#pragma once
// An ordered list of files keyed by full path: the inbox and screen-saver
// lists of the main window and the thumbnail strip's list. New files go to
// the front. Lookups by key are constant time (a hash index beside the
// order), so checking a name against a large inbox costs the same as against
// an empty one.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <stdexcept>
#include <string>
#include <unordered_map>

#include "shared/FileSystem.h"

namespace qw {

class DuplicateKeyError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

class MissingKeyError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// How keys are told apart: exactly, or ignoring letter case (two paths that
// differ only in case are then the same key).
enum class KeyMatch { Exact, IgnoreCase };

class FileList {
public:
    explicit FileList(KeyMatch match = KeyMatch::Exact) : match_(match) {}

    std::size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }

    // 1-based, as the lists are counted everywhere; throws out_of_range.
    const FileItem& At(std::size_t position) const;
    // 1-based position of the key, or 0 when not listed.
    std::size_t PositionOf(const std::string& key) const;

    bool Contains(const std::string& key) const { return PositionOf(key) != 0; }
    // True when a listed key equals `key` ignoring letter case, whatever the
    // list's own key match is.
    bool ContainsIgnoringCase(const std::string& key) const;

    // Both throw DuplicateKeyError when the key is already listed.
    void InsertFront(const FileItem& item);
    void Append(const FileItem& item);
    // Throws MissingKeyError when the key is not listed.
    void Remove(const std::string& key);
    void Clear();

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::string KeyOf(const std::string& path) const;
    void Reindex();

    KeyMatch match_;
    std::deque<FileItem> items_;
    // Key -> sequence number; position = sequence - front sequence + 1.
    std::unordered_map<std::string, std::int64_t> index_;
    // Lower-cased key -> how many listed paths lower-case to it.
    std::unordered_map<std::string, int> folded_;
    std::int64_t frontSequence_ = 0;
};

}  // namespace qw
