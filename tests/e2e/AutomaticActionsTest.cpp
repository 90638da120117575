// What the real quillwave.exe does with a beamed photo as its settings.txt
// and the screen saver's running flag say: where the file lands, and whether
// the hidden window comes forward.

#include <gtest/gtest.h>

#include <thread>

#include "BeamFixture.h"
#include "SettingsFiles.h"
#include "TrayIcons.h"
#include "WindowCapture.h"
#include "main/TrayRouting.h"

using namespace std::chrono_literals;
using e2e::WaitFor;

namespace {

using Names = std::vector<std::wstring>;

class AutomaticActions : public e2e::BeamFixture {
protected:
    void SetUp() override {
        BeamFixture::SetUp();
        PhotoOnThePhone(L"Photo.JPG", 64, 48);
    }
};

TEST_F(AutomaticActions, ABeamedPhotoGoesWhereTheSettingsSay) {
    struct Case {
        const char* What;
        bool ShowQuillwave, AddFileToScreenSaver, CopyToFolder;
        bool SaverRunning;
        Names InScreenSaver, InCopies;  // after the pass
        bool WindowShown;
    };
    const Case cases[] = {
        // The copy takes the lower-cased name; the screen saver's copy keeps the file's own.
        {"copy and screen saver on", false, true, true, false, {L"Photo.JPG"}, {L"photo.jpg"}, false},
        // Images received during the slide show join it whatever the settings say,
        // and the window stays where it is.
        {"slide show running, every switch off", false, false, false, true, {L"Photo.JPG"}, {}, false},
        {"slide show running, show on", true, false, false, true, {L"Photo.JPG"}, {}, false},
        {"show on, no slide show", true, false, false, false, {}, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        e2e::TempFolder app{L"qw actions \u00e9"};
        e2e::TempFolder copies{L"qw copies"};
        qw::SettingsRecord settings;
        settings.ShowQuillwave = c.ShowQuillwave;
        settings.AddFileToScreenSaver = c.AddFileToScreenSaver;
        settings.CopyToFolder = c.CopyToFolder;
        settings.CopyToFolderPath = copies.Path();
        settings.UseScreenSaver = false;
        e2e::WriteFile(app / L"settings.txt", qw::test::SettingsFile(settings));
        e2e::WriteUserValue(QuillwaveKey, L"ScreenSaverRunning", c.SaverRunning ? L"YES" : L"NO");

        e2e::RunningProgram program(app.WidePath());
        HWND window = program.MainWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WaitFor([&] { return e2e::IsFolder(app / L"screensaver"); }, 10s));
        ASSERT_FALSE(IsWindowVisible(window));
        ASSERT_EQ(e2e::Beam(stackInbox, {phone / L"Photo.JPG"}), 0u);

        // The pass ends with the last action the settings call for.
        const std::wstring last = !c.InCopies.empty()        ? copies / c.InCopies.back()
                                  : !c.InScreenSaver.empty() ? app / (L"screensaver\\" + c.InScreenSaver.back())
                                                             : app / L"inbox\\Photo.JPG";
        ASSERT_TRUE(WaitFor([&] { return e2e::Exists(last); }, 20s));
        if (c.WindowShown) {
            EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }, 10s));
        }
        // What must not happen has had the rest of the pass and a tick's more to happen in.
        std::this_thread::sleep_for(1500ms);
        EXPECT_EQ(e2e::FilesIn(app / L"inbox"), Names{L"Photo.JPG"});
        EXPECT_EQ(e2e::FilesIn(app / L"screensaver"), c.InScreenSaver);
        EXPECT_EQ(e2e::FilesIn(copies.WidePath()), c.InCopies);
        EXPECT_EQ(IsWindowVisible(window) != FALSE, c.WindowShown);
        EXPECT_EQ(qw::test::ReadAll(qw::win32::Narrow(app / L"inbox\\Photo.JPG")),
                  qw::test::ReadAll(qw::win32::Narrow(phone / L"Photo.JPG")));
    }
}

// With "Show Quillwave!" off, a beamed photo gets a notice at the icon, and
// the notice's click brings the window up with that photo current.
TEST_F(AutomaticActions, APhotoArrivingUnseenGetsANoticeWhoseClickShowsIt) {
    e2e::TempFolder app{L"qw notice"};
    qw::SettingsRecord settings;
    settings.ShowQuillwave = false;
    settings.UseScreenSaver = false;
    e2e::WriteFile(app / L"settings.txt", qw::test::SettingsFile(settings));
    e2e::RunningProgram program(app.WidePath());
    HWND window = program.MainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitFor([&] { return e2e::TrayIconCount() == 1; }, 10s));
    EXPECT_EQ(qw::test::VisibleBalloons(program.Id()), 0);

    ASSERT_EQ(e2e::Beam(stackInbox, {phone / L"Photo.JPG"}), 0u);
    ASSERT_TRUE(WaitFor([&] { return e2e::Exists(app / L"inbox\\Photo.JPG"); }, 20s));
    EXPECT_TRUE(WaitFor([&] { return qw::test::VisibleBalloons(program.Id()) > 0; }, 10s));
    qw::test::SaveShot(qw::test::CaptureScreen(), L"quillwave-notice.bmp");
    EXPECT_FALSE(IsWindowVisible(window));

    PostMessageW(window, qw::TrayCallbackMessage, 0, qw::TrayBalloonClick);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }, 10s));
    // The photo is current: the preview shows it.
    HWND preview = e2e::ChildOfClass(window, L"QuillwavePreview");
    EXPECT_TRUE(WaitFor([&] { return preview && IsWindowVisible(preview); }, 10s));
}

}  // namespace
