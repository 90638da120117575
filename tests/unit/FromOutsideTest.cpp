#include <gtest/gtest.h>

#include <functional>

#include "fakes/CommandsFixture.h"
#include "main/FromOutside.h"

namespace qw {
namespace {

TEST(FromOutsideTest, CountsTheTypesThatCanRunCode) {
    RecordingShell shell;
    shell.dangerous = {".xyz"};  // the system's own list adds to the usual one
    const std::pair<const char*, bool> cases[] = {
        {"C:\\in\\run me.bat", true},     {"C:\\in\\SETUP.EXE", true},       {"C:\\in\\holiday.jpg.exe", true},
        {"C:\\in\\page.hta", true},       {"C:\\in\\app.appref-ms", true},   {"C:\\in\\custom.xyz", true},
        {"C:\\in\\trick.bat. . ", true},  {"C:\\in\\photo.jpg", false},      {"C:\\in\\notes.txt", false},
        {"C:\\in\\exe", false},           {"C:\\my.bat\\readme", false},     {"C:\\in\\setup.bat.zip", false},
    };
    for (const auto& [path, expected] : cases) EXPECT_EQ(CanRunCode(shell, path), expected) << path;
}

TEST(FromOutsideTest, ShowsDirectionMarksAsVisibleMarks) {
    const std::pair<const char*, const char*> cases[] = {
        {"photo.jpg", "photo.jpg"},
        {"\u202Egpj.exe", "\uFFFDgpj.exe"},
        {"a\u202A\u202B\u202C\u202D\u202Eb", "a\uFFFD\uFFFD\uFFFD\uFFFD\uFFFDb"},
        {"\u2066x\u2067\u2068\u2069\u200E\u200F", "\uFFFDx\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
        // Neighbours of those characters, and bytes that are no UTF-8, stay.
        {"\u2065\u202F\u200D\u0645.txt", "\u2065\u202F\u200D\u0645.txt"},
        {"bad\xFF\xE2\x80.txt", "bad\xFF\xE2\x80.txt"},
    };
    for (const auto& [name, shown] : cases) EXPECT_EQ(ShownName(name), shown) << name;
}

class FromOutsideWindowTest : public CommandsFixture {};

TEST_F(FromOutsideWindowTest, MarksEveryReceivedFileAndEveryCopyOfOne) {
    struct Case {
        const char* What;
        std::function<void(MainWindow&)> Do;
        std::vector<std::string> Marked;
    };
    const std::string photo = InInbox("photo.jpg");
    const Case cases[] = {
        {"taken over", [&](MainWindow& w) { Beam("new.jpg", 40, 30), w.OnTimer(); }, {InInbox("new.jpg")}},
        {"saved as", [&](MainWindow& w) { w.RunCommand(Command::SaveCurrentFileAs); }, {"D:\\Saved\\photo.jpg"}},
        {"added to the screen saver", [&](MainWindow& w) { w.RunCommand(Command::AddCurrentFileToScreenSaver); },
         {"C:\\App\\screensaver\\photo.jpg"}},
        {"copied by the actions",
         [&](MainWindow& w) {
             w.State().CurrentSettings.AddFileToScreenSaver = w.State().CurrentSettings.CopyToFolder = true;
             w.State().CurrentSettings.CopyToFolderPath = "D:\\Received";
             Beam("auto.jpg", 40, 30), w.OnTimer();
         },
         {InInbox("auto.jpg"), "C:\\App\\screensaver\\auto.jpg", "D:\\Received\\auto.jpg"}},
        // The user's own picture, and a move, which keeps the file's own mark.
        {"added from a file",
         [&](MainWindow& w) {
             fileDialogs.answer = "D:\\Mine\\own.jpg";
             w.RunCommand(Command::AddImageFromFile);
         },
         {}},
        {"moved", [&](MainWindow& w) { w.RunCommand(Command::MoveCurrentFile); }, {}},
    };
    for (const char* folder : {"D:\\Saved", "D:\\Received", "D:\\Moved", "D:\\Mine"}) files.AddFolder(folder);
    files.AddFile("D:\\Mine\\own.jpg");
    AddToInbox("photo.jpg", 40, 30);
    MainWindow& w = Started();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        marks.marked.clear();
        w.ShowFile(photo);
        fileDialogs.answer = "D:\\Saved\\photo.jpg";
        folderPicker.answer = "D:\\Moved";
        c.Do(w);
        EXPECT_EQ(marks.marked, c.Marked);
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST_F(FromOutsideWindowTest, AFailingMarkKeepsTheFileAndARefusedFileIsGone) {
    struct Case {
        const char* Name;
        bool Fails, Refused, ScannerDeletes, Kept;
    };
    const Case cases[] = {
        {"unmarked.jpg", true, false, false, true},
        {"infected.jpg", false, true, true, false},
        {"blocked.jpg", false, true, false, false},
    };
    MainWindow& w = Started();
    w.State().CurrentSettings.CopyToFolder = true;
    w.State().CurrentSettings.CopyToFolderPath = "D:\\Received";
    files.AddFolder("D:\\Received");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        marks.fails = c.Fails;
        marks.refused = c.Refused ? std::vector<std::string>{InInbox(c.Name)} : std::vector<std::string>{};
        marks.scannerDeletes = c.ScannerDeletes;
        Beam(c.Name, 40, 30);
        w.OnTimer();
        EXPECT_EQ(files.HasFile(InInbox(c.Name)), c.Kept);
        EXPECT_EQ(w.State().InboxFiles.Contains(InInbox(c.Name)), c.Kept);
        EXPECT_EQ(files.HasFile(std::string("D:\\Received\\") + c.Name), c.Kept);  // no action ran
    }
    // A copy the scanner refuses is no copy.
    marks.fails = false;
    marks.refused = {"D:\\Received\\unmarked.jpg"};
    files.DeleteFile("D:\\Received\\unmarked.jpg");
    fileDialogs.answer = "D:\\Received\\unmarked.jpg";
    w.ShowFile(InInbox("unmarked.jpg"));
    w.RunCommand(Command::SaveCurrentFileAs);
    EXPECT_FALSE(files.HasFile("D:\\Received\\unmarked.jpg"));
    EXPECT_EQ(messages.shown,
              (std::vector<ShownMessage>{{"Could not save file", "Save File As", MessageIcon::Critical}}));
}

TEST_F(FromOutsideWindowTest, AsksBeforeOpeningAFileThatCanRunCodeAndShowsNamesThatCannotLie) {
    struct Case {
        const char* Name;
        bool Yes, Asked, Opened;
    };
    const Case cases[] = {
        {"run me.bat", false, true, false},
        {"run me_1.bat", true, true, true},
        {"notes.txt", false, false, true},
    };
    MainWindow& w = Started();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        questions.asked.clear();
        shell.opened.clear();
        questions.answer = c.Yes;
        Beam(c.Name), w.OnTimer();
        strip.OnSlotDoubleClick(1);
        EXPECT_EQ(questions.asked.size(), c.Asked ? 1u : 0u);
        EXPECT_EQ(shell.opened.size(), c.Opened ? 1u : 0u);
    }
    // The name on disk stays; what is shown of it does not hide the extension.
    w.State().CurrentSettings.ShowQuillwave = false;
    Beam("\u202Egpj.exe"), w.OnTimer();
    strip.OnSlotDoubleClick(1);
    const std::string shown = "\uFFFDgpj.exe";
    EXPECT_TRUE(w.State().InboxFiles.Contains(InInbox("\u202Egpj.exe")));
    EXPECT_EQ(questions.asked.back(), shown + " can run a program on this computer. Open it only if you trust the "
                                              "device it came from. Open it?");
    EXPECT_EQ(view.notices.back(), "Quillwave!: " + shown + " received");
    EXPECT_EQ(view.fileInfoText.find(shown), view.fileInfoText.find('\n') + 1);
    EXPECT_EQ(stripView.Slot(1).ToolTip.rfind(shown + " (", 0), 0u);
}

}  // namespace
}  // namespace qw
