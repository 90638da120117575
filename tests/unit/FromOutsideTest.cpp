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

TEST_F(CommandsFixture, MarksEveryReceivedFileAndEveryCopyOfOneAsFromTheInternet) {
    using V = ZoneMarker::Verdict;
    files.AddFolder("D:\\Received");
    MainPresenter& w = Started();
    w.State().CurrentSettings.AddFileToScreenSaver = w.State().CurrentSettings.CopyToFolder = true;
    w.State().CurrentSettings.CopyToFolderPath = "D:\\Received";
    const std::string in = "about:internet ";
    // A mark that fails keeps the file; one the scanner refuses, or removes
    // itself, is gone, and no action runs on it.
    using Verdict = std::function<V(const std::string&)>;
    for (const auto& [name, verdict, kept] : std::initializer_list<std::tuple<const char*, Verdict, bool>>{
             {"new.jpg", [](const std::string&) { return V::Kept; }, true},
             {"unmarked.jpg", [](const std::string&) -> V { throw std::runtime_error("no mark"); }, true},
             {"blocked.jpg", [](const std::string&) { return V::Refused; }, false},
             {"infected.jpg", [&](const std::string& path) { return files.DeleteFile(path), V::Refused; }, false}}) {
        marks.marked.clear();
        marks.verdict = [&, v = verdict](const std::string& path) { return path == InInbox(name) ? v(path) : V::Kept; };
        Beam(name, 40, 30), w.OnTimer();
        EXPECT_EQ(files.HasFile(InInbox(name)), kept) << name;
        EXPECT_EQ(w.State().InboxFiles.Contains(InInbox(name)), kept) << name;
        std::vector<std::string> marked{in + InInbox(name)};
        if (kept) marked.insert(marked.end(), {in + "C:\\App\\screensaver\\" + name, in + "D:\\Received\\" + name});
        EXPECT_EQ(marks.marked, marked);
    }
    // Save As marks its copy, and a copy the scanner refuses is no copy; the
    // user's own picture and a moved file keep what they carry.
    files.AddFile("D:\\Mine.jpg");
    files.AddFolder("D:\\Moved");
    for (const auto& [command, chosen, verdict] : std::initializer_list<std::tuple<Command, const char*, V>>{
             {Command::SaveCurrentFileAs, "D:\\Received\\kept.jpg", V::Kept},
             {Command::SaveCurrentFileAs, "D:\\Received\\refused.jpg", V::Refused},
             {Command::AddImageFromFile, "D:\\Mine.jpg", V::Kept}, {Command::MoveCurrentFile, "", V::Kept}}) {
        marks.marked.clear();
        marks.verdict = [v = verdict](const std::string&) { return v; };
        fileDialogs.answer = chosen;
        folderPicker.answer = "D:\\Moved";
        w.ShowFile(InInbox("new.jpg"));
        w.RunCommand(command);
        const bool copied = command == Command::SaveCurrentFileAs;
        EXPECT_EQ(marks.marked, copied ? std::vector<std::string>{in + chosen} : std::vector<std::string>{});
        if (copied) {
            EXPECT_EQ(files.HasFile(chosen), verdict == V::Kept) << chosen;
        }
    }
    EXPECT_EQ(messages.shown.size(), 1u);  // "Could not save file"
}

TEST_F(CommandsFixture, AsksBeforeOpeningCodeAndShowsNoNameThatHidesItsType) {
    MainPresenter& w = Started();
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
