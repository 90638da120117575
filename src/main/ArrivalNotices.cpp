#include "main/ArrivalNotices.h"

namespace qw {

namespace {

// The file's name as it stands in the inbox, letter case kept.
std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::optional<std::string> ArrivalNotices::FileTakenOver(const std::string& path, bool windowBroughtForward,
                                                         bool screenSaverRunning) {
    if (windowBroughtForward || screenSaverRunning) return std::nullopt;
    const auto now = now_();
    const bool sameBurst = lastNotice_ && now - *lastNotice_ < NoticeBurstGap;
    count_ = sameBurst ? count_ + 1 : 1;
    lastNotice_ = now;
    lastFile_ = path;
    const std::string name = NameOf(path);
    if (count_ == 1) return name + " received";
    return std::to_string(count_) + " files received, the last: " + name;
}

}  // namespace qw
