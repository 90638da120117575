// The notification-area routing, the icon menu and bringing the window forward.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/Menus.h"
#include "main/TrayRouting.h"
#include "main/WindowActivation.h"

namespace qw {
namespace {

struct RouteCase {
    bool routed;
    unsigned message;
    std::intptr_t lParam;
    TrayRoute expected;
};

TEST(TrayRouting, TheIconsLeftReleaseAndRightPressOpenTheMenuAndABalloonClickIsItsOwn) {
    const RouteCase cases[] = {
        {true, 0x205, 0x202, TrayRoute::PopUpMenu},   // left button released over the icon
        {true, 0x205, 0x204, TrayRoute::PopUpMenu},   // right button pressed
        {true, 0x205, 0x205, TrayRoute::PassOn},      // right button released
        {true, 0x205, 0x203, TrayRoute::PassOn},      // left double click
        {true, 0x205, 0x206, TrayRoute::PassOn},      // right double click
        {true, 0x205, 0x200, TrayRoute::PassOn},      // mouse moved over the icon
        {true, 0x205, 0x201, TrayRoute::PassOn},      // left button pressed
        {true, 0x205, 0x405, TrayRoute::BalloonClick},  // the balloon clicked
        {true, 0x205, 0x404, TrayRoute::PassOn},      // the balloon timed out
        {true, 0x205, 0x403, TrayRoute::PassOn},      // the balloon hidden
        {true, 0x202, 0x202, TrayRoute::PassOn},      // another message with the same lParam
        {true, 0x010, 0x204, TrayRoute::PassOn},      // WM_CLOSE
        {false, 0x205, 0x202, TrayRoute::NotRouted},  // before the routing
    };
    for (const auto& c : cases)
        EXPECT_EQ(RouteWindowMessage(c.routed, c.message, c.lParam), c.expected)
            << std::hex << "message 0x" << c.message << " lParam 0x" << c.lParam;
}

TEST(Menus, IconMenuOffersShowTheSettingsAndExitAllEnabled) {
    std::vector<std::pair<std::string, Command>> entries;
    for (const auto& entry : TrayPopUpMenu()) {
        entries.emplace_back(entry.Caption, entry.Command);
        EXPECT_TRUE(entry.Enabled);
    }
    EXPECT_EQ(entries, (std::vector<std::pair<std::string, Command>>{
                           {"Show Quillwave!...", Command::ShowWindow},
                           {"-", Command::None},
                           {"Inbox Settings...", Command::ShowInboxSettings},
                           {"Screen Saver Settings...", Command::ShowScreenSaverSettings},
                           {"-", Command::None},
                           {"Exit Quillwave!", Command::ExitProgram}}));
}

// Records the calls; windows 1 (ours) and 2 (another program's) are known.
class FakeActivation : public WindowActivation {
public:
    WindowId foreground = 2;
    std::uint32_t ourThread = 10, otherThread = 20;
    bool iconic = false;
    std::vector<std::string> calls;

    WindowId ForegroundWindow() override { return foreground; }
    std::uint32_t ThreadOfWindow(WindowId w) override { return w == 1 ? ourThread : otherThread; }
    void AttachThreadInput(std::uint32_t from, std::uint32_t to, bool attach) override {
        calls.push_back((attach ? "attach " : "detach ") + std::to_string(from) + ">" + std::to_string(to));
    }
    void SetForegroundWindow(WindowId w) override { calls.push_back("foreground " + std::to_string(w)); }
    bool IsIconic(WindowId) override { return iconic; }
    void ShowWindow(WindowId w, ShowCommand c) override {
        calls.push_back("show " + std::to_string(w) + " " + std::to_string(static_cast<int>(c)));
    }
};

TEST(BringToFront, BorrowsTheForegroundThreadsInputAroundTheSwitch) {
    FakeActivation activation;
    BringToFront(activation, 1);
    EXPECT_EQ(activation.calls,
              (std::vector<std::string>{"attach 20>10", "foreground 1", "detach 20>10", "show 1 5"}));
}

TEST(BringToFront, RestoresAMinimisedWindow) {
    FakeActivation activation;
    activation.iconic = true;
    activation.otherThread = activation.ourThread;  // the foreground window is on our own thread
    BringToFront(activation, 1);
    EXPECT_EQ(activation.calls, (std::vector<std::string>{"foreground 1", "show 1 9"}));
}

TEST(BringToFront, LeavesTheForegroundWindowAloneEvenWhenMinimised) {
    FakeActivation activation;
    activation.foreground = 1;
    activation.iconic = true;
    BringToFront(activation, 1);
    EXPECT_TRUE(activation.calls.empty());
}

}  // namespace
}  // namespace qw
