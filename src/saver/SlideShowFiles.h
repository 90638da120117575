#pragma once
// The slide show's list of files: the files of one folder in showing order,
// new arrivals in front, each at most once. A hash set of the names beside
// the order answers "is it listed?" at once, so the check for new files every
// half second costs the same per file with ten thousand files as with ten.
// As all files share the folder, comparing names is comparing full paths;
// the names are short enough to live inside the set's nodes, which spares a
// lookup one memory access per file.

#include <algorithm>
#include <cstddef>
#include <deque>
#include <string>
#include <unordered_set>

namespace qw {

class SlideShowFiles {
public:
    explicit SlideShowFiles(std::string folder) : folder_(std::move(folder)) {}

    std::size_t Count() const { return order_.size(); }
    bool Empty() const { return order_.empty(); }
    // The full path at a 1-based position; throws std::out_of_range.
    std::string At(std::size_t position) const { return folder_ + "\\" + order_.at(position - 1); }
    // Exact comparison, letter case included.
    bool Contains(const std::string& name) const { return listed_.count(name) != 0; }

    // Both return false, changing nothing, when the name is listed already.
    bool Append(const std::string& name) {
        if (Contains(name)) return false;  // looked up first: a failed insert still allocates
        listed_.insert(name);
        order_.push_back(name);
        return true;
    }
    bool InsertFront(const std::string& name) {
        if (Contains(name)) return false;
        listed_.insert(name);
        order_.push_front(name);
        return true;
    }

    // Puts a listed name in front; false, changing nothing, when it is not listed.
    bool MoveToFront(const std::string& name) {
        if (!Contains(name)) return false;
        order_.erase(std::find(order_.begin(), order_.end(), name));
        order_.push_front(name);
        return true;
    }

private:
    std::string folder_;
    std::deque<std::string> order_;
    std::unordered_set<std::string> listed_;
};

}  // namespace qw
