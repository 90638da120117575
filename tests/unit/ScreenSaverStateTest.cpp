#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fakes/FakeRegistry.h"
#include "shared/RegistryValues.h"
#include "shared/ScreenSaverState.h"

namespace qw {
namespace {

class LiveScreenSaver : public ScreenSaverProcesses {
public:
    bool IsScreenSaverProcess(std::uint32_t processId) override { return processId == 4242; }
};

TEST(ScreenSaverStateTest, YesCountsUnlessItsProcessIsGone) {
    const std::optional<std::string> missing;
    const struct {
        const char* what;
        std::optional<std::string> running, process;
        const char* unreadable;  // the value that cannot be read, if any
        bool expected;
    } cases[] = {
        {"live slide show", "YES", "4242", nullptr, true},
        {"slide show died without ending", "YES", "777", nullptr, false},
        {"YES written by hand, no process value", "YES", missing, nullptr, true},
        {"ended normally", "NO", missing, nullptr, false},
        {"NO beside a live id", "NO", "4242", nullptr, false},
        {"never ran", missing, missing, nullptr, false},
        {"unreadable flag", "YES", "4242", ScreenSaverRunningValue, false},
        {"unreadable id: the flag decides", "YES", "777", ScreenSaverProcessValue, true},
        {"letter case of the flag counts", "yes", missing, nullptr, false},
        {"an id that is no number names no process", "YES", "42x", nullptr, false},
        {"a live id with more after it names no process", "YES", "4242x", nullptr, false},
        {"an id beyond 32 bits names no process", "YES", "4294967296", nullptr, false},
        {"an empty id names no process", "YES", "", nullptr, false},
    };
    for (const auto& c : cases) {
        FakeRegistry registry;
        if (c.running) registry.Set(ScreenSaverRunningValue, *c.running);
        if (c.process) registry.Set(ScreenSaverProcessValue, *c.process);
        if (c.unreadable) registry.FailOn(RegistryOperation::ReadText, c.unreadable);
        LiveScreenSaver processes;
        EXPECT_EQ(IsScreenSaverRunning(registry, processes), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace qw
