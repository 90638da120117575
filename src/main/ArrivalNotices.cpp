#include "main/ArrivalNotices.h"

#include "main/FromOutside.h"

namespace qw {

std::optional<std::string> ArrivalNotices::FileTakenOver(const std::string& path, bool windowBroughtForward,
                                                         bool screenSaverRunning) {
    if (windowBroughtForward || screenSaverRunning) return std::nullopt;
    const auto now = now_();
    const bool sameBurst = lastNotice_ && now - *lastNotice_ < NoticeBurstGap;
    count_ = sameBurst ? count_ + 1 : 1;
    lastNotice_ = now;
    lastFile_ = path;
    const std::string name = ShownNameOf(path);
    if (count_ == 1) return name + " received";
    return std::to_string(count_) + " files received, the last: " + name;
}

}  // namespace qw
