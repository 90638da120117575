// A command keeps the file it was started for while its dialog is open and
// files keep arriving; it stops when the program exits meanwhile, and is not
// opened a second time.

#include <gtest/gtest.h>

#include "fakes/CommandsFixture.h"
#include "shared/Paths.h"

namespace qw {
namespace {

using CommandTargetTest = CommandsFixture;

TEST_F(CommandTargetTest, CommandsConfirmedAfterAnArrivalActOnTheirOwnFile) {
    struct Case {
        const char* What;
        Command Run;
        std::string File;  // current when the command started
        bool FromMenu;     // chosen from the thumbnail menu, the arrival coming while it is open
    };
    const Case cases[] = {
        {"move from the inbox", Command::MoveCurrentFile, InInbox("one.jpg"), false},
        {"move from the screen-saver folder", Command::MoveCurrentFile, "C:\\App\\screensaver\\slide.jpg", false},
        {"save as", Command::SaveCurrentFileAs, InInbox("two.jpg"), false},
        {"delete from the menu", Command::DeleteCurrentFile, InInbox("three.jpg"), true},
    };
    files.AddFolder("D:\\Pics");
    files.AddFile("C:\\App\\screensaver\\slide.jpg", "data of slide.jpg");
    for (const char* name : {"one.jpg", "two.jpg", "three.jpg"}) AddToInbox(name, 40, 30);
    MainPresenter& w = Started();
    int arrivals = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const bool inInbox = c.File.find("inbox") != std::string::npos;
        if (!inInbox) w.ShowScreenSaverImages();
        w.ShowFile(c.File);
        const std::string arrival = "new" + std::to_string(++arrivals) + ".jpg";
        Beam(arrival, 40, 30);
        // The arrival becomes current (and brings the inbox back into view).
        folderPicker.whileOpen = fileDialogs.whileOpen = view.whileMenuOpen = [&] { w.OnTimer(); };
        folderPicker.answer = "D:\\Pics";
        const std::string kept = "D:\\Pics\\" + ExtractFileName(c.File);
        fileDialogs.answer = kept;
        view.nextChoice = c.Run;
        if (c.FromMenu) w.OnPreviewMouseUp(2); else w.RunCommand(c.Run);
        const bool gone = c.Run != Command::SaveCurrentFileAs;
        if (c.Run != Command::DeleteCurrentFile) {
            EXPECT_EQ(files.Text(kept), "data of " + ExtractFileName(c.File));
        }
        EXPECT_EQ(w.State().CurrentFile, InInbox(arrival));
        EXPECT_TRUE(w.State().InboxFiles.Contains(InInbox(arrival)));
        EXPECT_TRUE(strip.Files().Contains(InInbox(arrival)));
        EXPECT_EQ((inInbox ? w.State().InboxFiles : w.State().ScreenSaverFiles).Contains(c.File), !gone);
        EXPECT_EQ(files.HasFile(c.File), !gone);
        EXPECT_EQ(strip.Files().Contains(c.File), inInbox && !gone);
    }
    EXPECT_TRUE(messages.shown.empty());
}

class ExitWhileOpenTest : public CommandsFixture, public ::testing::WithParamInterface<Command> {};

TEST_P(ExitWhileOpenTest, EndsWithoutActingAskingOrTakingFilesOver) {
    AddToInbox("photo.jpg", 40, 30);
    files.AddFolder("D:\\Pics");
    Beam("waiting.jpg");
    MainPresenter& w = StartedWith(InInbox("photo.jpg"));
    const auto exit = [&] { w.RunCommand(Command::ExitProgram); };
    folderPicker.whileOpen = exit;
    fileDialogs.whileOpen = exit;
    // Even an answer that comes back after the exit is not acted on.
    folderPicker.answer = "D:\\Pics";
    fileDialogs.answer = "D:\\Pics\\photo.jpg";
    files.ClearOperations();
    w.RunCommand(GetParam());
    EXPECT_EQ(files.CountOf(FileOperation::MoveFile) + files.CountOf(FileOperation::CopyFile), 0u);
    EXPECT_EQ(view.calls.back(), "unload");
    EXPECT_TRUE(messages.shown.empty());
    w.OnTimer();  // a tick that was already queued
    EXPECT_TRUE(files.HasFile("C:\\BT\\In\\waiting.jpg"));
}

INSTANTIATE_TEST_SUITE_P(Dialogs, ExitWhileOpenTest,
                         ::testing::Values(Command::MoveCurrentFile, Command::SaveCurrentFileAs,
                                           Command::AddImageFromFile));

TEST_F(CommandTargetTest, ACommandStartedAgainWhileItsDialogIsOpenOpensNoSecondOne) {
    AddToInbox("photo.jpg", 40, 30);
    files.AddFolder("D:\\Pics");
    MainPresenter& w = StartedWith(InInbox("photo.jpg"));
    // Save As and Add Image From File share one dialog.
    fileDialogs.whileOpen = [&] {
        w.RunCommand(Command::AddImageFromFile);
        w.RunCommand(Command::SaveCurrentFileAs);
    };
    w.RunCommand(Command::SaveCurrentFileAs);
    EXPECT_EQ(fileDialogs.shown.size(), 1u);
    w.RunCommand(Command::AddImageFromFile);  // closed again: it opens
    EXPECT_EQ(fileDialogs.shown.size(), 2u);

    folderPicker.whileOpen = [&] { w.RunCommand(Command::MoveCurrentFile); };
    folderPicker.answer = "D:\\Pics";
    w.RunCommand(Command::MoveCurrentFile);
    EXPECT_EQ(folderPicker.startFolders.size(), 1u);
    EXPECT_TRUE(files.HasFile("D:\\Pics\\photo.jpg"));
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace qw
