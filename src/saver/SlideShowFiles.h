#pragma once
// The slide show's list of files: full paths in showing order, new arrivals
// in front, each path at most once. A hash set beside the order answers "is
// it listed?" at once, so the check for new files every half second costs
// the same with ten thousand files as with ten.

#include <cstddef>
#include <deque>
#include <string>
#include <unordered_set>

namespace qw {

class SlideShowFiles {
public:
    std::size_t Count() const { return order_.size(); }
    bool Empty() const { return order_.empty(); }
    // 1-based; throws std::out_of_range.
    const std::string& At(std::size_t position) const { return order_.at(position - 1); }
    // Exact comparison, letter case included.
    bool Contains(const std::string& path) const { return listed_.count(path) != 0; }

    // Both return false, changing nothing, when the path is listed already.
    bool Append(const std::string& path) {
        if (!listed_.insert(path).second) return false;
        order_.push_back(path);
        return true;
    }
    bool InsertFront(const std::string& path) {
        if (!listed_.insert(path).second) return false;
        order_.push_front(path);
        return true;
    }

private:
    std::deque<std::string> order_;
    std::unordered_set<std::string> listed_;
};

}  // namespace qw
