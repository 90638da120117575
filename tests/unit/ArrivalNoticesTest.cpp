// The notice for files that arrive unseen: when it appears, and how a burst
// of files shares one.

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

#include "main/ArrivalNotices.h"

namespace qw {
namespace {

using namespace std::chrono_literals;
using Time = std::chrono::steady_clock::time_point;

TEST(ArrivalNotices, AppearOnlyWhenNothingElseShowsTheFile) {
    const struct {
        bool broughtForward, screenSaverRunning, notice;
    } cases[] = {
        {false, false, true},
        {true, false, false},   // the window came forward for it
        {false, true, false},   // the slide show shows it
        {true, true, false},
    };
    for (const auto& c : cases) {
        ArrivalNotices notices([] { return Time{}; });
        const auto text = notices.FileTakenOver("C:\\App\\inbox\\Photo.JPG", c.broughtForward, c.screenSaverRunning);
        EXPECT_EQ(text.has_value(), c.notice) << c.broughtForward << c.screenSaverRunning;
        EXPECT_EQ(notices.LastFile(), c.notice ? "C:\\App\\inbox\\Photo.JPG" : "");
    }
}

// Each step: seconds after the previous file, whether it is seen anyway, and
// the notice's text afterwards (nothing: no notice for this file).
TEST(ArrivalNotices, FilesInQuickSuccessionShareOneNoticeAndAPauseStartsANewOne) {
    const struct {
        std::chrono::milliseconds after;
        const char* name;
        bool seen;
        std::optional<std::string> text;
    } steps[] = {
        {0ms, "a.jpg", false, "a.jpg received"},
        {1000ms, "b.txt", false, "2 files received, the last: b.txt"},
        {4999ms, "c.jpg", false, "3 files received, the last: c.jpg"},
        {5000ms, "d.jpg", false, "d.jpg received"},  // a pause of 5 seconds: a new notice
        {1000ms, "e.jpg", true, std::nullopt},       // brought forward: no notice
        {1000ms, "f.jpg", false, "2 files received, the last: f.jpg"},
    };
    Time now{};
    ArrivalNotices notices([&] { return now; });
    for (const auto& step : steps) {
        now += step.after;
        EXPECT_EQ(notices.FileTakenOver(std::string("C:\\App\\inbox\\") + step.name, step.seen, false), step.text)
            << step.name;
    }
    EXPECT_EQ(notices.LastFile(), "C:\\App\\inbox\\f.jpg");
}

}  // namespace
}  // namespace qw
