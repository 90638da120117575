#include <gtest/gtest.h>

#include <algorithm>

#include "SettingsFiles.h"
#include "fakes/MainPresenterFixture.h"
#include "shared/RegistryValues.h"

namespace qw {
namespace {

using MainPresenterTest = MainPresenterFixture;

TEST_F(MainPresenterTest, FirstStartInAnEmptyFolderMakesTheFoldersAndStaysAnIcon) {
    InstallStack();
    MainPresenter& w = Started();
    // The icon's messages routed before the icon, and the window hidden before anything is loaded.
    ASSERT_GE(view.calls.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(view.calls.begin(), view.calls.begin() + 3),
              (std::vector<std::string>{"route icon", "tray Quillwave!", "hide"}));
    EXPECT_FALSE(view.visible);
    EXPECT_EQ(registry.Value(ApplicationPathValue), "C:\\App");
    for (const char* folder : {"C:\\App\\inbox", "C:\\App\\screensaver", "C:\\App\\desktop"})
        EXPECT_TRUE(files.HasFolder(folder)) << folder;
    // The settings file is created empty and the defaults are used.
    EXPECT_TRUE(files.HasFile("C:\\App\\settings.txt"));
    EXPECT_TRUE(files.Bytes("C:\\App\\settings.txt").empty());
    EXPECT_TRUE(w.State().CurrentSettings.UseScreenSaver);
    EXPECT_TRUE(w.State().InboxFiles.Empty());
    EXPECT_EQ(w.State().LastFolder, "C:\\App");
    EXPECT_TRUE(w.State().BluetoothFound);
    EXPECT_EQ(w.State().BluetoothInboxFolder, "C:\\BT\\In");
    EXPECT_EQ(view.timerInterval, 1000u);
    EXPECT_EQ(view.caption, "Quillwave!");
    EXPECT_EQ(view.statusText, "");
    EXPECT_FALSE(view.statusVisible);
}

TEST_F(MainPresenterTest, WithoutTheStackTheStatusSaysSoAndNoTimerRuns) {
    MainPresenter& w = Started();
    EXPECT_FALSE(w.State().BluetoothFound);
    EXPECT_EQ(w.State().BluetoothInboxFolder, "");
    EXPECT_EQ(view.timerInterval, 0u);
    EXPECT_EQ(view.statusText, "No Compatible Bluetooth Hardware Was Detected");
    EXPECT_TRUE(view.statusVisible);
}

TEST_F(MainPresenterTest, ListsTheFoldersAlreadyThereAndLeavesThemAlone) {
    files.AddFile("C:\\App\\inbox\\one.jpg");
    files.AddFile("C:\\App\\inbox\\two.txt");
    files.AddFile("C:\\App\\screensaver\\slide.jpg");
    files.AddFolder("C:\\App\\desktop");
    MainPresenter& w = Started();
    ASSERT_EQ(w.State().InboxFiles.Count(), 2u);
    EXPECT_EQ(w.State().InboxFiles.At(1).Path, "C:\\App\\inbox\\one.jpg");
    EXPECT_EQ(w.State().ScreenSaverFiles.Count(), 1u);
    EXPECT_EQ(files.CountOf(FileOperation::CreateFolder), 0u);
    // Listed once, not read again file by file for the strip: a large inbox starts fast.
    EXPECT_EQ(files.CountOf(FileOperation::GetFile), 0u);
    EXPECT_EQ(strip.NoOfFiles(), 2);
}

TEST_F(MainPresenterTest, AnApplicationFolderAtADriveRootGivesDoubledBackslashes) {
    MainPresenter& w = Started("D:\\");
    EXPECT_TRUE(files.HasFolder("D:\\\\inbox"));
    EXPECT_EQ(registry.Value(ApplicationPathValue), "D:\\");
    EXPECT_EQ(w.Folders().SettingsFile(), "D:\\\\settings.txt");
}

TEST_F(MainPresenterTest, StartUpGoesOnWhenTheRegistryOrTheSettingsFileFail) {
    InstallStack();
    registry.FailOn(RegistryOperation::WriteText, ApplicationPathValue);
    files.FailOn(FileOperation::FileExists, "C:\\App\\settings.txt", FailureTimes::Always);
    MainPresenter& w = Started();
    EXPECT_TRUE(files.HasFolder("C:\\App\\inbox"));
    EXPECT_TRUE(w.State().BluetoothFound);
    EXPECT_TRUE(w.State().CurrentSettings.ShowQuillwave);
}

TEST_F(MainPresenterTest, ReadsStoredSettings) {
    std::array<std::uint8_t, 238> bytes = EncodeSettings(SettingsRecord{}, ansi);
    bytes[214] = bytes[215] = 0;  // UseScreenSaver off
    files.AddFile("C:\\App\\settings.txt", std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    MainPresenter& w = Started();
    EXPECT_FALSE(w.State().CurrentSettings.UseScreenSaver);
}

TEST_F(MainPresenterTest, TheTimerTakesReceivedFilesOver) {
    InstallStack();
    files.AddFile("C:\\BT\\In\\photo.jpg");
    MainPresenter& w = Started();
    w.OnTimer();
    EXPECT_TRUE(files.HasFile("C:\\App\\inbox\\photo.jpg"));
    EXPECT_EQ(w.State().InboxFiles.At(1).Path, "C:\\App\\inbox\\photo.jpg");
}

TEST_F(MainPresenterTest, TheCloseBoxHidesWhileOtherUnloadsEndTheWindow) {
    MainPresenter& w = Started();
    view.Show();
    EXPECT_TRUE(w.OnQueryUnload(UnloadMode::UserClose));
    EXPECT_FALSE(view.visible);
    EXPECT_FALSE(w.OnQueryUnload(UnloadMode::ProgramUnload));
    EXPECT_FALSE(w.OnQueryUnload(UnloadMode::SystemShutdown));
}

TEST_F(MainPresenterTest, IconMenuShowsTheWindowOrEndsTheProgram) {
    MainPresenter& w = Started();
    view.calls.clear();
    view.nextChoice = Command::ShowWindow;
    w.OnTrayIconClick();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"menu", "show"}));
    EXPECT_TRUE(view.poppedUpFromIcon.back());
    EXPECT_EQ(view.poppedUp.back().front().Caption, "Show Quillwave!...");

    view.calls.clear();
    view.nextChoice = Command::None;  // dismissed
    w.OnTrayIconClick();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"menu"}));

    view.calls.clear();
    view.nextChoice = Command::ExitProgram;
    w.OnTrayIconClick();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"menu", "untray", "unload"}));
}

// The program runs for weeks: of the files that keep arriving it holds the
// pictures on show only (the strip's slots and the preview), whether the
// window comes forward for each file or a notice tells of it.
class ArrivalsTest : public MainPresenterFixture, public ::testing::WithParamInterface<bool> {};

TEST_P(ArrivalsTest, PicturesOfEarlierArrivalsAreLetGo) {
    InstallStack();
    SettingsRecord settings;
    settings.ShowQuillwave = GetParam();
    settings.AddFileToScreenSaver = true;
    files.AddFile("C:\\App\\settings.txt", test::SettingsFile(settings));
    MainPresenter& w = Started();
    const int before = FakePicture::live;
    int afterFirst = 0;
    for (int n = 1; n <= 60; ++n) {
        const std::string name = "IMG_" + std::to_string(1000 + n) + ".jpg";
        files.AddFile("C:\\BT\\In\\" + name, "jpeg");
        for (const char* folder : {"C:\\App\\inbox\\", "C:\\App\\screensaver\\"})
            pictures.AddPixels(folder + name, 1600, 1200);
        w.OnTimer();
        ASSERT_EQ(w.State().InboxFiles.Count(), static_cast<std::size_t>(n));
        if (n == 10) afterFirst = FakePicture::live;
    }
    EXPECT_EQ(w.State().ScreenSaverFiles.Count(), 60u);
    EXPECT_LE(FakePicture::live - before, SlotCount + 1);
    EXPECT_EQ(FakePicture::live, afterFirst);
}

INSTANTIATE_TEST_SUITE_P(WindowShownOrHidden, ArrivalsTest, ::testing::Bool());

}  // namespace
}  // namespace qw
