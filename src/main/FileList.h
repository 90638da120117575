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
#include <string_view>
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
    explicit FileList(KeyMatch match = KeyMatch::Exact);

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
    // Keys hashed and compared exactly or ignoring letter case.
    struct KeyHash {
        bool IgnoreCase;
        std::size_t operator()(std::string_view key) const;
    };
    struct KeyEqual {
        bool IgnoreCase;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    template <typename Value>
    using KeyMap = std::unordered_map<std::string_view, Value, KeyHash, KeyEqual>;

    void Index(const FileItem& item, std::int64_t sequence);
    void Reindex();

    KeyMatch match_;
    // The lists live as long as the program and grow with every file
    // received, so a file costs its item and two small index entries: the
    // keys are views of the items' own paths (adding at either end of a deque
    // moves no item; removing renumbers and indexes everything again).
    std::deque<FileItem> items_;
    // Key -> sequence number; position = sequence - front sequence + 1.
    KeyMap<std::int64_t> index_;
    // For exact keys only: the listed paths ignoring letter case -> how many
    // there are. Keys that ignore letter case find them in the index.
    KeyMap<int> folded_;
    std::int64_t frontSequence_ = 0;
};

}  // namespace qw
