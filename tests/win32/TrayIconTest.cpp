// The notification-area icon on a real window: it comes back when the
// taskbar restarts, never twice, and its clicks reach the menu.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "MessagePump.h"
#include "TrayIcons.h"
#include "WindowCapture.h"
#include "main/TrayRouting.h"
#include "win32/main/TrayIcon.h"

namespace {

using namespace std::chrono_literals;
using qw::test::PumpUntil;
using qw::test::TrayIconCount;

// A window that hands its messages to its icon first, as the main window does.
class TrayHost : public qw::test::HostWindow {
public:
    TrayHost() : HostWindow(100, 100) {}
    qw::win32::TrayIcon tray;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (const auto answer = tray.OnWindowMessage(message, lParam)) return *answer;
        return Default(message, wParam, lParam);
    }
};

TEST(TrayIcon, ComesBackWhenTheTaskbarRestartsAndNeverTwice) {
    TrayHost host;
    qw::win32::TrayIcon& tray = host.tray;
    int menus = 0;
    tray.Route([&] { ++menus; });
    const int others = TrayIconCount();
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    const auto shows = [&](int icons) { return PumpUntil([&] { return TrayIconCount() == others + icons; }, 5s); };

    tray.Add(host.Handle(), 7, LoadIconW(nullptr, IDI_APPLICATION), L"Quillwave!");
    ASSERT_TRUE(shows(1));

    // Explorer restarting forgets every icon, then announces itself.
    NOTIFYICONDATAW forgotten{};
    forgotten.cbSize = NOTIFYICONDATAW_V1_SIZE;
    forgotten.hWnd = host.Handle();
    forgotten.uID = 7;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &forgotten));
    ASSERT_TRUE(shows(0));
    SendMessageW(host.Handle(), taskbarCreated, 0, 0);
    EXPECT_TRUE(shows(1)) << "the icon is added again";

    // An announcement while the icon is there leaves one icon.
    SendMessageW(host.Handle(), taskbarCreated, 0, 0);
    qw::test::PumpUntil([] { return false; }, 300ms);
    EXPECT_EQ(TrayIconCount(), others + 1);

    SendMessageW(host.Handle(), qw::TrayCallbackMessage, 7, qw::TrayLeftButtonUp);
    EXPECT_EQ(menus, 1) << "the re-added icon still opens the menu";

    // An icon the program removed stays removed.
    tray.Remove();
    ASSERT_TRUE(shows(0));
    SendMessageW(host.Handle(), taskbarCreated, 0, 0);
    qw::test::PumpUntil([] { return false; }, 300ms);
    EXPECT_EQ(TrayIconCount(), others);
}

using qw::test::VisibleBalloons;

TEST(TrayIcon, ShowsABalloonWhoseClickReachesTheProgramAndARestartDoesNotShowItAgain) {
    TrayHost host;
    qw::win32::TrayIcon& tray = host.tray;
    int menus = 0, balloonClicks = 0;
    tray.Route([&] { ++menus; }, [&] { ++balloonClicks; });
    tray.ShowBalloon(L"Quillwave!", L"early.jpg received");  // no icon yet: nothing
    tray.Add(host.Handle(), 8, LoadIconW(nullptr, IDI_APPLICATION), L"Quillwave!");
    ASSERT_TRUE(PumpUntil([&] { return TrayIconCount() >= 1; }, 5s));
    EXPECT_FALSE(PumpUntil([] { return VisibleBalloons() > 0; }, 500ms)) << "no balloon before one is asked for";

    tray.ShowBalloon(L"Quillwave!", L"Photo.JPG received");
    EXPECT_TRUE(PumpUntil([] { return VisibleBalloons() > 0; }, 5s));
    qw::test::SaveShot(qw::test::CaptureScreen(), L"quillwave-balloon.bmp");

    SendMessageW(host.Handle(), qw::TrayCallbackMessage, 8, qw::TrayBalloonClick);
    EXPECT_EQ(balloonClicks, 1);
    EXPECT_EQ(menus, 0) << "a balloon click is no icon click";

    // Explorer restarting takes icon and balloon away; the icon comes back alone.
    NOTIFYICONDATAW forgotten{};
    forgotten.cbSize = NOTIFYICONDATAW_V1_SIZE;
    forgotten.hWnd = host.Handle();
    forgotten.uID = 8;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &forgotten));
    ASSERT_TRUE(PumpUntil([] { return VisibleBalloons() == 0; }, 5s));
    SendMessageW(host.Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return TrayIconCount() >= 1; }, 5s));
    EXPECT_FALSE(PumpUntil([] { return VisibleBalloons() > 0; }, 1s)) << "the last balloon is not shown again";
    tray.Remove();
}

}  // namespace
