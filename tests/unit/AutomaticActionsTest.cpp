// The actions run for every received file, as the settings and the screen
// saver's state say, and the two ways an action can fail.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "fakes/CommandsFixture.h"
#include "main/AutomaticActions.h"
#include "shared/RegistryValues.h"

namespace qw {
namespace {

class AutomaticActionsTest : public CommandsFixture {
protected:
    AutomaticActionsTest() { files.AddFolder("D:\\Received"); }

    static SettingsRecord Every(bool on) {
        SettingsRecord s;
        s.ShowQuillwave = s.PrintFile = s.CopyFile = s.EmailFile = s.DesktopBackground = s.AddFileToScreenSaver =
            s.CopyToFolder = on;
        s.CopyToFolderPath = "D:\\Received" + std::string(189, ' ');
        return s;
    }
    // The actions that left a trace for the received file, by number.
    std::string ActionsRun(const std::string& name) const {
        std::string run;
        const auto add = [&](bool ran, const char* number) {
            if (ran) run += run.empty() ? number : std::string(" ") + number;
        };
        add(activation.broughtForward > 0, "1");
        add(!printer.calls.empty(), "2");
        add(!clipboard.put.empty(), "3");
        add(std::count(mailer.attached.begin(), mailer.attached.end(), InInbox(name)) > 0, "4");
        add(!wallpaper.set.empty(), "5");
        add(files.HasFile("C:\\App\\screensaver\\" + name), "6");
        add(files.HasFile("D:\\Received\\" + name), "7");
        return run;
    }
    std::size_t ScreenSaverReads() const {
        const auto& ops = registry.Operations();
        return static_cast<std::size_t>(std::count_if(ops.begin(), ops.end(), [](const auto& op) {
            return op.Operation == RegistryOperation::ReadText && op.Name == ScreenSaverRunningValue;
        }));
    }
};

TEST_F(AutomaticActionsTest, EachActionRunsAsTheSettingsAndTheScreenSaverSay) {
    struct Case {
        const char* Name;
        bool Decodes;  // for images
        bool EverySwitch;
        const char* ScreenSaverRunning;
        const char* Run;
        const char* Process = "4242";  // the slide show's process id beside the flag
    };
    const Case cases[] = {
        {"notes.txt", false, true, "NO", "1 4 7"},
        {"quiet.JPG", true, false, "YES", "6"},
        {"during.JPG", true, true, "YES", "2 3 5 6 7"},
        {"all.jpg", true, true, "NO", "1 2 3 4 5 6 7"},
        // No picture to print, copy or show: those are skipped, the others run.
        {"damaged.jpg", false, true, "NO", "1 4 6 7"},
        // A slide show that died without ending left "YES": it runs no more.
        {"after.jpg", true, true, "YES", "1 2 3 4 5 6 7", "777"},
    };
    slideShows.running = {4242};
    MainPresenter& w = Started();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        activation.broughtForward = 0;
        printer = FakePrinter();
        clipboard = FakeClipboard();
        mailer = FakeMailer();
        wallpaper = FakeWallpaper();
        registry.Set(ScreenSaverRunningValue, c.ScreenSaverRunning);
        registry.Set(ScreenSaverProcessValue, c.Process);
        registry.ClearOperations();
        w.State().CurrentSettings = Every(c.EverySwitch);
        Beam(c.Name, c.Decodes ? 400 : 0, 300);
        w.OnTimer();
        EXPECT_EQ(ActionsRun(c.Name), c.Run);
        EXPECT_EQ(ScreenSaverReads(), 3u);  // asked afresh at each of its three uses
        EXPECT_EQ(w.State().CurrentFile, InInbox(c.Name));
        EXPECT_TRUE(messages.shown.empty());
        // One load serves the thumbnail, the preview and every action.
        if (c.Decodes) {
            EXPECT_EQ(pictures.LoadCount(InInbox(c.Name)), 1);
        }
    }
    // The screen saver gets the file under its own name, the folder lower-cased.
    EXPECT_EQ(files.StoredPath("C:\\App\\screensaver\\during.jpg"), "C:\\App\\screensaver\\during.JPG");
    EXPECT_EQ(files.StoredPath("D:\\Received\\during.jpg"), "D:\\Received\\during.jpg");
}

TEST(CopyDestinationTest, TrimsTheFolderAndAddsOneBackslashAndTheLowerCasedName) {
    const std::string received = "C:\\App\\inbox\\Photo.JPG";
    EXPECT_EQ(CopyDestination("D:\\Received" + std::string(189, ' '), received), "D:\\Received\\photo.jpg");
    EXPECT_EQ(CopyDestination("E:\\" + std::string(197, ' '), received), "E:\\photo.jpg");
    EXPECT_EQ(CopyDestination("  \\\\nas\\photos\\  ", received), "\\\\nas\\photos\\photo.jpg");
    EXPECT_EQ(CopyDestination(std::string(200, ' '), received), "\\photo.jpg");
    EXPECT_EQ(CopyDestination("D:/Received/", received), "D:\\Received\\photo.jpg");
}

// Phones name every photo image.jpg, and the inbox frees a name once its
// file is deleted: the copies keep every photo, and keep a photo sent twice once.
TEST_F(AutomaticActionsTest, CopiesOfReceivedFilesNeverReplaceAnotherPhoto) {
    MainPresenter& w = Started();
    SettingsRecord settings;
    settings.AddFileToScreenSaver = settings.CopyToFolder = true;
    settings.CopyToFolderPath = "D:/Received";  // Windows takes either slash
    w.State().CurrentSettings = settings;
    for (const char* photo : {"first photo", "second photo", "first photo"}) {
        files.AddFile("C:\\BT\\In\\image.jpg", photo);
        pictures.AddPixels(InInbox("image.jpg"), 400, 300);
        w.OnTimer();
        w.RunCommand(Command::DeleteCurrentFile);
    }
    for (const std::string folder : {"D:\\Received", "C:\\App\\screensaver"}) {
        SCOPED_TRACE(folder);
        EXPECT_EQ(files.FilesIn(folder), (std::vector<std::string>{folder + "\\image.jpg", folder + "\\image_1.jpg"}));
        EXPECT_EQ(files.Text(folder + "\\image.jpg"), "first photo");
        EXPECT_EQ(files.Text(folder + "\\image_1.jpg"), "second photo");
    }
    EXPECT_EQ(Paths(w.State().ScreenSaverFiles),
              (std::vector<std::string>{"C:\\App\\screensaver\\image_1.jpg", "C:\\App\\screensaver\\image.jpg"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AutomaticActionsTest, ReportedFailuresLetTheSequenceGoOn) {
    struct Case {
        const char* What;
        std::function<void(SettingsRecord&)> Break;
        std::vector<ShownMessage> Shown;
        bool Copied;
        std::size_t CopiesTried;
    };
    const Case cases[] = {
        {"no printer", [this](SettingsRecord&) { printer.missing = true; },
         {{"Could not print picture", "Print"}}, true, 1},
        {"no Outlook", [this](SettingsRecord&) { mailer.missing = true; },
         {{"Could not start Outlook", "Outlook"}}, true, 1},
        // Not even tried: it would land in the root of whatever drive is current.
        {"no copy folder set", [](SettingsRecord& s) { s.CopyToFolderPath = std::string(200, ' '); },
         {{"Could not save file", "Save File As"}}, false, 0},
        {"copy folder gone", [](SettingsRecord& s) { s.CopyToFolderPath = "D:\\Gone"; },
         {{"Could not save file", "Save File As"}}, false, 1},
    };
    MainPresenter& w = Started();
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        printer = FakePrinter();
        mailer = FakeMailer();
        messages.shown.clear();
        SettingsRecord settings;
        settings.PrintFile = settings.EmailFile = settings.CopyToFolder = true;
        settings.CopyToFolderPath = "D:\\Received";
        c.Break(settings);
        w.State().CurrentSettings = settings;
        const std::string name = "photo" + std::to_string(++n) + ".jpg";
        Beam(name, 400, 300);
        files.ClearOperations();
        w.OnTimer();
        EXPECT_EQ(messages.shown, c.Shown);
        EXPECT_EQ(files.HasFile("D:\\Received\\" + name), c.Copied);
        EXPECT_EQ(files.OperationsOf(FileOperation::CopyFileNoReplace).size(), c.CopiesTried);
    }
}

enum class Fails { Clipboard, DesktopBitmap, WallpaperRefused, ScreenSaver };

struct SilentCase {
    Fails Action;
    const char* Run;  // for the file whose action failed
    int Ticks = 1;    // until the next file is taken: a pass that went on ends its tick
};

class SilentFailureTest : public AutomaticActionsTest, public ::testing::WithParamInterface<SilentCase> {};

TEST_P(SilentFailureTest, EndsOnlyWhatItMustQuietlyAndTheWatcherTakesTheNextFile) {
    switch (GetParam().Action) {
        case Fails::Clipboard: clipboard.fail = true; break;
        case Fails::DesktopBitmap: files.FailOn(FileOperation::ReplaceFileContents, FakeFileSystem::AnyPath); break;
        case Fails::WallpaperRefused: wallpaper.failSetting = true; break;
        case Fails::ScreenSaver:
            files.FailOn(FileOperation::CopyFileNoReplace, "C:\\App\\screensaver\\first.jpg");
            break;
    }
    MainPresenter& w = Started();
    w.State().CurrentSettings = Every(true);
    Beam("first.jpg", 400, 300);
    Beam("second.txt");
    for (int tick = 0; tick < GetParam().Ticks; ++tick) w.OnTimer();
    EXPECT_EQ(ActionsRun("first.jpg"), GetParam().Run);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(w.State().InboxFiles.Contains(InInbox("first.jpg")));
    EXPECT_TRUE(files.HasFile(InInbox("first.jpg")));
    EXPECT_EQ(w.State().CurrentFile, InInbox("second.txt"));
    EXPECT_TRUE(files.HasFile("D:\\Received\\second.txt"));
}

INSTANTIATE_TEST_SUITE_P(Actions, SilentFailureTest,
                         ::testing::Values(SilentCase{Fails::Clipboard, "1 2"}, SilentCase{Fails::DesktopBitmap, "1 2 3 4"},
                                           // Not the file's concern: the sequence goes on.
                                           SilentCase{Fails::WallpaperRefused, "1 2 3 4 6 7", 2},
                                           SilentCase{Fails::ScreenSaver, "1 2 3 4 5"}));

TEST_F(AutomaticActionsTest, APassKeepsItsFilePictureAndSettingsWhileTheUserChangesThem) {
    AddToInbox("older.jpg", 100, 100);
    MainPresenter& w = Started();
    w.State().CurrentSettings = Every(true);
    printer.missing = true;
    // While "Could not print picture" is open the user picks another picture
    // and turns copying off; the pass goes on as it began.
    messages.whileOpen = [&] {
        w.ShowFile(InInbox("older.jpg"));
        w.State().CurrentSettings = Every(false);
    };
    Beam("new.jpg", 400, 300);
    w.OnTimer();
    ASSERT_EQ(clipboard.put.size(), 1u);
    EXPECT_EQ(clipboard.put[0].Width, HimetricOfPixels(400, 300).Width);
    EXPECT_EQ(files.Text("C:\\App\\desktop\\desktop.bmp"), FakeWallpaper::BitmapOf(HimetricOfPixels(400, 300)));
    EXPECT_EQ(mailer.attached, (std::vector<std::string>{InInbox("new.jpg")}));
    EXPECT_TRUE(files.HasFile("C:\\App\\screensaver\\new.jpg"));
    EXPECT_TRUE(files.HasFile("D:\\Received\\new.jpg"));
}

// The user exits while the message of a failed print or e-mail is open.
class ExitDuringAPassTest : public AutomaticActionsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ExitDuringAPassTest, RunsNoFurtherActionAndTakesNoFurtherFile) {
    registry.Set(StackRootValue, "C:\\BT");
    MainPresenter& w = Started();
    w.State().CurrentSettings = Every(true);
    printer.missing = std::string(GetParam()) == "Print";
    mailer.missing = !printer.missing;
    messages.whileOpen = [&] { w.RunCommand(Command::ExitProgram); };
    Beam("last.jpg", 400, 300);
    files.AddFile("C:\\BT\\later.jpg");  // in the root folder, next in this tick
    w.OnTimer();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].Title, GetParam());
    EXPECT_EQ(clipboard.put.empty(), printer.missing);
    EXPECT_TRUE(wallpaper.set.empty());
    EXPECT_FALSE(files.HasFile("C:\\App\\screensaver\\last.jpg"));
    EXPECT_FALSE(files.HasFile("D:\\Received\\last.jpg"));
    EXPECT_TRUE(files.HasFile("C:\\BT\\later.jpg"));
}

INSTANTIATE_TEST_SUITE_P(Messages, ExitDuringAPassTest, ::testing::Values("Print", "Outlook"));

// A file that arrives while the window stays hidden gets a notice; its click
// brings the window up on that file, in the inbox.
TEST_F(AutomaticActionsTest, AFileArrivingUnseenGetsANoticeWhoseClickShowsIt) {
    MainPresenter& w = Started();
    w.State().CurrentSettings = Every(false);
    registry.Set(ScreenSaverRunningValue, "NO");
    Beam("one.jpg", 400, 300);
    w.OnTimer();
    Beam("two.txt");
    w.OnTimer();
    EXPECT_EQ(view.notices, (std::vector<std::string>{"Quillwave!: one.jpg received",
                                                      "Quillwave!: 2 files received, the last: two.txt"}));
    w.State().CurrentSettings.ShowQuillwave = true;
    Beam("three.jpg", 400, 300);
    w.OnTimer();
    EXPECT_EQ(view.notices.size(), 2u) << "the window came forward for it";

    w.ShowScreenSaverImages();
    view.calls.clear();
    w.OnNoticeClick();
    EXPECT_EQ(view.calls.front(), "show");
    EXPECT_TRUE(w.State().InboxShown);
    EXPECT_EQ(w.State().CurrentFile, InInbox("two.txt"));
}

}  // namespace
}  // namespace qw
