#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "fakes/FakeRegistry.h"
#include "shared/RegistryValues.h"
#include "shared/ScreenSaverState.h"

namespace qw {
namespace {

class LiveScreenSavers : public ScreenSaverProcesses {
public:
    std::set<std::uint32_t> live;
    std::vector<std::uint32_t> asked;
    bool IsScreenSaverProcess(std::uint32_t processId) override {
        asked.push_back(processId);
        return live.count(processId) != 0;
    }
};

struct StaleCase {
    const char* what;
    std::optional<std::string> running;  // ScreenSaverRunning
    std::optional<std::string> process;  // ScreenSaverProcess
    bool runningUnreadable;
    bool expected;
};

TEST(ScreenSaverStateTest, YesCountsUnlessItsProcessIsGone) {
    const std::optional<std::string> missing;
    const StaleCase cases[] = {
        {"live slide show", "YES", "4242", false, true},
        {"slide show died without ending", "YES", "777", false, false},
        {"YES written by hand, no process value", "YES", missing, false, true},
        {"ended normally", "NO", missing, false, false},
        {"NO beside a live id", "NO", "4242", false, false},
        {"never ran", missing, missing, false, false},
        {"unreadable flag", "YES", "4242", true, false},
        {"letter case of the flag counts", "yes", missing, false, false},
        {"id that is no number names no process", "YES", "42x", false, false},
        {"id beyond 32 bits names no process", "YES", "4294967296", false, false},
        {"negative id names no process", "YES", "-1", false, false},
        {"empty id names no process", "YES", "", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeRegistry registry;
        if (c.running) registry.Set(ScreenSaverRunningValue, *c.running);
        if (c.process) registry.Set(ScreenSaverProcessValue, *c.process);
        if (c.runningUnreadable) registry.FailOn(RegistryOperation::ReadText, ScreenSaverRunningValue);
        LiveScreenSavers processes;
        processes.live = {4242};
        EXPECT_EQ(IsScreenSaverRunning(registry, processes), c.expected);
        EXPECT_EQ(registry.CountOf(RegistryOperation::WriteText), 0u);
    }
}

TEST(ScreenSaverStateTest, AnUnreadableProcessValueLeavesTheFlagToDecide) {
    FakeRegistry registry;
    registry.Set(ScreenSaverRunningValue, "YES");
    registry.Set(ScreenSaverProcessValue, "777");
    registry.FailOn(RegistryOperation::ReadText, ScreenSaverProcessValue);
    LiveScreenSavers processes;
    EXPECT_TRUE(IsScreenSaverRunning(registry, processes));
    EXPECT_TRUE(processes.asked.empty());
}

}  // namespace
}  // namespace qw
