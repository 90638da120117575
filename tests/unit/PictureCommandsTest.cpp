// Clipboard, desktop background, e-mail and Add To Screen Saver started by
// the user: what reaches the service, and what the user is told when it fails.

#include <gtest/gtest.h>

#include <functional>

#include "fakes/CommandsFixture.h"

namespace qw {
namespace {

using PictureCommandsTest = CommandsFixture;

TEST_F(PictureCommandsTest, EachCommandHandsOverTheCurrentFileOrItsPicture) {
    AddToInbox("photo.jpg", 400, 300);
    MainPresenter& w = StartedWith(InInbox("photo.jpg"));
    const HimetricSize size = HimetricOfPixels(400, 300);
    for (Command c : {Command::CopyPictureToClipboard, Command::UseAsDesktopBackground, Command::EmailCurrentFile,
                      Command::AddCurrentFileToScreenSaver})
        w.RunCommand(c);
    ASSERT_EQ(clipboard.put.size(), 1u);
    EXPECT_EQ(clipboard.put[0].Width, size.Width);
    EXPECT_EQ(files.Text("C:\\App\\desktop\\desktop.bmp"), FakeWallpaper::BitmapOf(size));
    EXPECT_EQ(files.CountOf(FileOperation::ReplaceFileContents), 1u);  // through a temporary file
    EXPECT_EQ(wallpaper.set, (std::vector<std::string>{"C:\\App\\desktop\\desktop.bmp"}));
    EXPECT_EQ(mailer.attached, (std::vector<std::string>{InInbox("photo.jpg")}));
    EXPECT_TRUE(files.HasFile("C:\\App\\screensaver\\photo.jpg"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PictureCommandsTest, AFailureIsNamedAndChangesNothingElse) {
    struct Case {
        const char* What;
        Command Run;
        std::function<void()> Break;
        std::vector<ShownMessage> Shown;
        bool BitmapWritten = false;
    };
    const ShownMessage clipboardFailed{"Could not copy picture to clipboard", "Copy To Clipboard"};
    const ShownMessage wallpaperFailed{"Could not set desktop background", "Use As Desktop Background"};
    const auto showBroken = [this] { window->ShowFile(InInbox("broken.jpg")); };
    const Case cases[] = {
        {"clipboard held", Command::CopyPictureToClipboard, [this] { clipboard.fail = true; }, {clipboardFailed}},
        {"no picture for the clipboard", Command::CopyPictureToClipboard, showBroken, {clipboardFailed}},
        {"bitmap not made", Command::UseAsDesktopBackground, [this] { wallpaper.failEncoding = true; },
         {wallpaperFailed}},
        {"bitmap not written", Command::UseAsDesktopBackground,
         [this] { files.FailOn(FileOperation::ReplaceFileContents, FakeFileSystem::AnyPath); }, {wallpaperFailed}},
        {"no picture for the wallpaper", Command::UseAsDesktopBackground, showBroken, {wallpaperFailed}},
        {"Windows refuses the wallpaper", Command::UseAsDesktopBackground, [this] { wallpaper.failSetting = true; },
         {wallpaperFailed}, true},
        {"no mail program", Command::EmailCurrentFile, [this] { mailer.missing = true; },
         {{"Could not start Outlook", "Outlook"}}},
        {"mail cancelled by the user", Command::EmailCurrentFile, [this] { mailer.result = MailResult::Cancelled; },
         {}},
        {"screen-saver copy fails", Command::AddCurrentFileToScreenSaver,
         [this] { files.FailOn(FileOperation::CopyFileNoReplace, FakeFileSystem::AnyPath); },
         {{"Could not add file to screen saver", "Add To Screen Saver"}}},
    };
    AddToInbox("photo.jpg", 400, 300);
    AddToInbox("broken.jpg");
    pictures.Fail(InInbox("broken.jpg"));
    files.AddFile("C:\\App\\desktop\\desktop.bmp", "earlier");
    MainPresenter& w = Started();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        clipboard = FakeClipboard();
        wallpaper = FakeWallpaper();
        mailer = FakeMailer();
        files.ClearFailures();
        messages.shown.clear();
        w.ShowFile(InInbox("photo.jpg"));
        c.Break();
        const std::string current = w.State().CurrentFile;
        w.RunCommand(c.Run);
        EXPECT_EQ(messages.shown, c.Shown);
        EXPECT_TRUE(clipboard.put.empty());
        EXPECT_TRUE(wallpaper.set.empty());
        EXPECT_EQ(files.Text("C:\\App\\desktop\\desktop.bmp"),
                  c.BitmapWritten ? FakeWallpaper::BitmapOf(HimetricOfPixels(400, 300)) : "earlier");
        files.AddFile("C:\\App\\desktop\\desktop.bmp", "earlier");
        EXPECT_TRUE(w.State().ScreenSaverFiles.Empty());
        EXPECT_EQ(w.State().CurrentFile, current);
    }
}

}  // namespace
}  // namespace qw
