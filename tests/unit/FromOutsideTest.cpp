#include <gtest/gtest.h>

#include "fakes/CommandsFixture.h"
#include "main/FromOutside.h"

namespace qw {
namespace {

TEST(FromOutsideTest, CountsTheTypesThatCanRunCodeAndShowsNamesThatCannotLie) {
    RecordingShell shell;
    shell.dangerous = {".xyz"};  // the system's own list adds to the usual one
    for (const auto& [path, code] : std::initializer_list<std::pair<const char*, bool>>{
             {"C:\\in\\run me.bat", true}, {"C:\\in\\a.jpg.EXE", true}, {"C:\\in\\app.appref-ms", true},
             {"C:\\in\\b.xyz", true}, {"C:\\in\\c.bat. . ", true}, {"C:\\in\\a.jpg", false}, {"C:\\in\\exe", false},
             {"C:\\my.bat\\d", false}, {"C:\\in\\e.bat.zip", false}})
        EXPECT_EQ(CanRunCode(shell, path), code) << path;
    for (const auto& [name, shown] : std::initializer_list<std::pair<const char*, const char*>>{
             {"\u202Egpj.exe", "\uFFFDgpj.exe"},
             {"\u202A\u202B\u202C\u202D\u2066\u2067\u2068\u2069\u200E\u200F.", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"
                                                                               "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD."},
             {"\u2065\u202F\u200D\u0645.txt", "\u2065\u202F\u200D\u0645.txt"},  // their neighbours stay
             {"bad\xFF\xE2\x80.txt", "bad\xFF\xE2\x80.txt"}})                   // and so do broken bytes
        EXPECT_EQ(ShownName(name), shown) << name;
}

class FromOutsideWindowTest : public CommandsFixture {
protected:
    MainWindow& StartedCopyingTo(const std::string& folder) {
        files.AddFolder(folder);
        MainWindow& w = Started();
        w.State().CurrentSettings.AddFileToScreenSaver = w.State().CurrentSettings.CopyToFolder = true;
        w.State().CurrentSettings.CopyToFolderPath = folder;
        return w;
    }
};

TEST_F(FromOutsideWindowTest, MarksEveryReceivedFileAndEveryCopyOfOneAsFromTheInternet) {
    files.AddFile("D:\\Mine\\own.jpg");
    MainWindow& w = StartedCopyingTo("D:\\Received");
    const std::string in = "about:internet ";
    Beam("new.jpg", 40, 30), w.OnTimer();
    EXPECT_EQ(marks.marked, (std::vector<std::string>{in + InInbox("new.jpg"), in + "C:\\App\\screensaver\\new.jpg",
                                                      in + "D:\\Received\\new.jpg"}));
    for (const auto& [command, chosen, marked] : std::initializer_list<std::tuple<Command, const char*, bool>>{
             {Command::SaveCurrentFileAs, "D:\\Received\\saved.jpg", true},
             {Command::AddImageFromFile, "D:\\Mine\\own.jpg", false},  // the user's own picture
             {Command::MoveCurrentFile, "", false}}) {                  // keeps the file's own mark
        marks.marked.clear();
        fileDialogs.answer = chosen;
        folderPicker.answer = "D:\\Mine";
        w.ShowFile(InInbox("new.jpg"));
        w.RunCommand(command);
        EXPECT_EQ(marks.marked, marked ? std::vector<std::string>{in + chosen} : std::vector<std::string>{}) << chosen;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FromOutsideWindowTest, KeepsAFileWhoseMarkFailsAndForgetsOneTheScannerRefuses) {
    MainWindow& w = StartedCopyingTo("D:\\Received");
    // name, the mark fails, the scanner refuses the file, and removes it itself
    for (const auto& [name, fails, refused, removes] : std::initializer_list<std::tuple<const char*, bool, bool, bool>>{
             {"unmarked.jpg", true, false, false}, {"infected.jpg", false, true, true},
             {"blocked.jpg", false, true, false}}) {
        std::tie(marks.fails, marks.removes) = std::tie(fails, removes);
        marks.refused = {refused ? InInbox(name) : ""};
        Beam(name, 40, 30), w.OnTimer();
        EXPECT_EQ(files.HasFile(InInbox(name)), !refused) << name;
        EXPECT_EQ(w.State().InboxFiles.Contains(InInbox(name)), !refused) << name;
        EXPECT_EQ(files.HasFile(std::string("D:\\Received\\") + name), !refused) << name;  // no action ran
    }
    marks.fails = false;  // a copy the scanner refuses is no copy
    marks.refused = {fileDialogs.answer.emplace("D:\\Received\\saved.jpg")};
    w.RunCommand(Command::SaveCurrentFileAs);
    EXPECT_FALSE(files.HasFile("D:\\Received\\saved.jpg"));
    EXPECT_EQ(messages.shown.at(0).Text, "Could not save file");
}

TEST_F(FromOutsideWindowTest, AsksBeforeOpeningCodeAndShowsNoNameThatHidesItsType) {
    MainWindow& w = Started();
    w.State().CurrentSettings.ShowQuillwave = false;
    for (const char* name : {"notes.txt", "\u202Egpj.exe"}) Beam(name), w.OnTimer(), strip.OnSlotDoubleClick(1);
    const std::string shown = "\uFFFDgpj.exe";
    EXPECT_EQ(shell.opened, (std::vector<std::string>{InInbox("notes.txt")}));  // the answer was No
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].rfind(shown + " can run a program on this computer.", 0), 0u);
    EXPECT_EQ(view.notices.back(), "Quillwave!: 2 files received, the last: " + shown);
    EXPECT_NE(view.fileInfoText.find("\n" + shown + "\r"), std::string::npos);
    EXPECT_EQ(stripView.Slot(1).ToolTip.rfind(shown + " (", 0), 0u);
}

}  // namespace
}  // namespace qw
