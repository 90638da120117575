#pragma once
// A notice in the notification area for every file that arrives unseen: when
// the window is not brought forward for a received file and no slide show
// runs, nothing else tells the user that the phone's file has arrived.
// Files that follow each other closely share one notice, updated in place,
// so a burst of forty files is one notice, not forty.

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace qw {

inline constexpr const char* NoticeTitle = "Quillwave!";
// A file arriving sooner than this after the one before joins its notice.
inline constexpr std::chrono::milliseconds NoticeBurstGap{5000};

class ArrivalNotices {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    explicit ArrivalNotices(Clock now = [] { return std::chrono::steady_clock::now(); }) : now_(std::move(now)) {}

    // A file was taken over into the inbox. Gives the text of the notice to
    // show (a new one, or the open one updated), or nothing when the user
    // sees the file anyway: the window was brought forward for it, or the
    // slide show runs and shows it.
    std::optional<std::string> FileTakenOver(const std::string& path, bool windowBroughtForward,
                                             bool screenSaverRunning);

    // The file the latest notice names; empty before the first.
    const std::string& LastFile() const { return lastFile_; }

private:
    Clock now_;
    std::optional<std::chrono::steady_clock::time_point> lastNotice_;
    std::size_t count_ = 0;
    std::string lastFile_;
};

}  // namespace qw
