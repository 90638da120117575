// Save As, Move, Delete and the screen saver's folder, started by the user.

#include <gtest/gtest.h>

#include "fakes/CommandsFixture.h"

namespace qw {
namespace {

using FileCommandsTest = CommandsFixture;
using Messages = std::vector<ShownMessage>;
const ShownMessage CouldNotSave{"Could not save file", "Save File As"};
const ShownMessage CouldNotMove{"Could not move file", "Move"};

TEST_F(FileCommandsTest, SaveAsProposesTheLowerCasedNameAndRemembersTheFolderSavedInto) {
    struct Case {
        const char* What;
        std::optional<std::string> Answer;
        bool DialogFails;
        std::string Proposal, LastFolder;  // proposed by this Save As; remembered after it
        Messages Shown;
    };
    const Case cases[] = {
        {"saved", "D:\\Pics\\holiday.jpg", false, "C:\\App\\photo_1.jpg", "d:\\pics", {}},
        {"onto a drive root", "E:\\Holiday.jpg", false, "d:\\pics\\photo_1.jpg", "e:", {}},
        {"cancelled", std::nullopt, false, "e:\\photo_1.jpg", "e:", {}},
        {"dialog fails", std::nullopt, true, "e:\\photo_1.jpg", "e:", {CouldNotSave}},
        // The folder is remembered even though the copy failed.
        {"folder missing", "F:\\Gone\\x.jpg", false, "e:\\photo_1.jpg", "f:\\gone", {CouldNotSave}},
        // A copy into the inbox is listed and shown like any file there.
        {"into the inbox", "C:\\App\\inbox\\Copy.jpg", false, "f:\\gone\\photo_1.jpg", "c:\\app\\inbox", {}},
    };
    files.AddFolder("D:\\Pics");
    AddToInbox("Photo_1.JPG", 40, 30);
    MainPresenter& w = StartedWith(InInbox("Photo_1.JPG"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        fileDialogs.answer = c.Answer;
        fileDialogs.fail = c.DialogFails;
        messages.shown.clear();
        w.RunCommand(Command::SaveCurrentFileAs);
        ASSERT_TRUE(fileDialogs.shown.back().Save);
        EXPECT_EQ(fileDialogs.shown.back().Options.FileName, c.Proposal);
        EXPECT_EQ(fileDialogs.shown.back().Options.Filter, "All Files (*.*)|*.*");
        EXPECT_EQ(fileDialogs.shown.back().Options.Flags, 2u);
        EXPECT_EQ(w.State().LastFolder, c.LastFolder);
        EXPECT_EQ(messages.shown, c.Shown);
    }
    EXPECT_EQ(files.Text("D:\\Pics\\holiday.jpg"), "data of Photo_1.JPG");
    EXPECT_EQ(files.Text("E:\\Holiday.jpg"), "data of Photo_1.JPG");
    EXPECT_EQ(w.State().CurrentFile, InInbox("Photo_1.JPG"));  // a copy leaves the file where it is
    EXPECT_EQ(Paths(w.State().InboxFiles), (std::vector<std::string>{InInbox("Copy.jpg"), InInbox("Photo_1.JPG")}));
    EXPECT_EQ(Strip(), Paths(w.State().InboxFiles));
}

TEST_F(FileCommandsTest, MoveTakesTheLowerCasedNameAndStartsTheNextPickerAtTheParent) {
    struct Case {
        const char* Name;
        std::optional<std::string> Folder;
        std::string MovedTo, LastFolder;  // empty MovedTo: the file stays
        Messages Shown;
    };
    const Case cases[] = {
        {"One.JPG", "C:\\Pictures", "C:\\Pictures\\one.jpg", "c:", {}},
        {"Two.JPG", "E:\\", "E:\\two.jpg", "e:", {}},
        {"Three.JPG", "D:\\Pics\\2024", "D:\\Pics\\2024\\three.jpg", "d:\\pics", {}},
        // Into the screen-saver folder: listed there.
        {"Four.JPG", "C:\\App\\screensaver", "C:\\App\\screensaver\\four.jpg", "c:\\app", {}},
        // Its own folder: Windows would only lower its letters.
        {"Five.JPG", "C:\\App\\inbox", "", "c:\\app", {CouldNotMove}},
        {"Photo.JPG", std::nullopt, "", "c:\\app", {}},
        // D:\Pics already holds photo.jpg: nothing is replaced.
        {"Photo.JPG", "D:\\Pics", "", "c:\\app", {CouldNotMove}},
    };
    files.AddFolder("C:\\Pictures");
    files.AddFile("D:\\Pics\\photo.jpg", "someone else's");
    files.AddFolder("D:\\Pics\\2024");
    for (const Case& c : cases) AddToInbox(c.Name);
    MainPresenter& w = Started();
    std::string startFolder = "C:\\App";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string file = InInbox(c.Name);
        w.ShowFile(file);
        folderPicker.answer = c.Folder;
        messages.shown.clear();
        w.RunCommand(Command::MoveCurrentFile);
        EXPECT_EQ(folderPicker.startFolders.back(), startFolder);
        startFolder = c.LastFolder;
        EXPECT_EQ(w.State().LastFolder, c.LastFolder);
        EXPECT_EQ(messages.shown, c.Shown);
        const bool moved = !c.MovedTo.empty();
        EXPECT_EQ(files.StoredPath(moved ? c.MovedTo : file), moved ? c.MovedTo : file);
        EXPECT_EQ(files.HasFile(file), !moved);
        EXPECT_EQ(w.State().InboxFiles.Contains(file), !moved);
        EXPECT_EQ(strip.Files().Contains(file), !moved);
        EXPECT_EQ(w.State().CurrentFile, moved ? "" : file);
    }
    EXPECT_EQ(files.Text("D:\\Pics\\photo.jpg"), "someone else's");
    EXPECT_EQ(Paths(w.State().ScreenSaverFiles), (std::vector<std::string>{"C:\\App\\screensaver\\four.jpg"}));
}

TEST_F(FileCommandsTest, DeleteAsksNothingAndKeepsTheListsInStepWithTheDisk) {
    struct Case {
        const char* What;
        bool ScreenSaverShown, ReadOnly, Vanished;
        bool Listed;  // afterwards, in its list, the strip and as current file
        Messages Shown;
    };
    const Case cases[] = {
        {"inbox", false, false, false, false, {}},
        {"screen-saver folder", true, false, false, false, {}},
        {"read-only", false, true, false, true, {{"Could not delete file", "Delete"}}},
        {"deleted behind our back", true, false, true, false, {{"Could not delete file", "Delete"}}},
    };
    for (const Case& c : cases) {
        const std::string name = std::string(c.What) + ".txt";
        files.AddFile((c.ScreenSaverShown ? "C:\\App\\screensaver\\" : "C:\\App\\inbox\\") + name);
    }
    MainPresenter& w = Started();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const std::string name = std::string(c.What) + ".txt";
        const std::string file = (c.ScreenSaverShown ? "C:\\App\\screensaver\\" : "C:\\App\\inbox\\") + name;
        if (c.ScreenSaverShown) w.ShowScreenSaverImages(); else w.ShowInbox();
        w.ShowFile(file);
        files.SetReadOnly(file, c.ReadOnly);
        if (c.Vanished) files.DeleteFile(file);
        messages.shown.clear();
        w.RunCommand(Command::DeleteCurrentFile);
        const FileList& list = c.ScreenSaverShown ? w.State().ScreenSaverFiles : w.State().InboxFiles;
        EXPECT_EQ(files.HasFile(file), c.Listed);
        EXPECT_EQ(list.Contains(file), c.Listed);
        EXPECT_EQ(strip.Files().Contains(file), c.Listed);
        EXPECT_EQ(w.State().CurrentFile, c.Listed ? file : "");
        EXPECT_EQ(messages.shown, c.Shown);
    }
}

// Phones send every photo as image.jpg: a different file of a taken name
// gets the next free one, the same bytes are not copied twice.
TEST_F(FileCommandsTest, AddToScreenSaverNeverOverwritesAndKeepsOneCopyOfEachFile) {
    AddToInbox("Photo.JPG", 40, 30);
    files.AddFile("C:\\App\\screensaver\\slide.jpg", "old slide");
    files.AddFile("D:\\Pics\\Slide.JPG", "new slide");
    MainPresenter& w = StartedWith(InInbox("Photo.JPG"));
    const struct {
        const char* What;
        std::optional<std::string> FromFile;  // Add Image From File; else the current file
    } steps[] = {
        {"the current file", std::nullopt},
        {"the same again", std::nullopt},
        {"a different file of a listed name", "D:\\Pics\\Slide.JPG"},
        {"that file again", "D:\\Pics\\Slide.JPG"},
        {"a file of the folder itself, in other letters", "c:\\app\\screensaver\\photo.jpg"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.What);
        fileDialogs.answer = step.FromFile;
        w.RunCommand(step.FromFile ? Command::AddImageFromFile : Command::AddCurrentFileToScreenSaver);
        if (step.FromFile) w.ShowInbox();
        w.ShowFile(InInbox("Photo.JPG"));
    }
    EXPECT_EQ(files.CountOf(FileOperation::CopyFileNoReplace), 2u);
    EXPECT_EQ(files.CountOf(FileOperation::CopyFile), 0u);
    EXPECT_EQ(Paths(w.State().ScreenSaverFiles),
              (std::vector<std::string>{"C:\\App\\screensaver\\Slide_1.JPG", "C:\\App\\screensaver\\Photo.JPG",
                                        "C:\\App\\screensaver\\slide.jpg"}));
    EXPECT_EQ(files.Text("C:\\App\\screensaver\\slide.jpg"), "old slide");
    EXPECT_EQ(files.Text("C:\\App\\screensaver\\Slide_1.JPG"), "new slide");
    EXPECT_EQ(files.FilesIn("C:\\App\\screensaver").size(), 3u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FileCommandsTest, AddImageFromFileStartsFromTheDialogsLastNameAndShowsTheScreenSaverFolder) {
    struct Case {
        const char* What;
        std::optional<std::string> Answer;
        bool DialogFails;
        std::string OpensWith;
        Messages Shown;
    };
    const Case cases[] = {
        // Save As below left its chosen name in the shared dialog.
        {"png", "D:\\Pics\\shot.png", false, "D:\\Pics\\holiday.jpg",
         {{"You have not selected a valid image file!", "Add Image To Screen Saver From File"}}},
        {"cancelled", std::nullopt, false, "D:\\Pics\\shot.png", {}},
        {"dialog fails", std::nullopt, true, "D:\\Pics\\shot.png", {{"Could not add file", "Open"}}},
        {"missing", "D:\\Gone\\gone.jpg", false, "D:\\Pics\\shot.png", {{"Could not add file", "Open"}}},
    };
    files.AddFile("D:\\Pics\\shot.png");
    AddToInbox("photo.jpg", 40, 30);
    fileDialogs.answer = "D:\\Pics\\holiday.jpg";
    MainPresenter& w = StartedWith(InInbox("photo.jpg"));
    w.RunCommand(Command::SaveCurrentFileAs);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        fileDialogs.answer = c.Answer;
        fileDialogs.fail = c.DialogFails;
        messages.shown.clear();
        w.RunCommand(Command::AddImageFromFile);
        ASSERT_FALSE(fileDialogs.shown.back().Save);
        EXPECT_EQ(fileDialogs.shown.back().Options.FileName, c.OpensWith);
        EXPECT_EQ(messages.shown, c.Shown);
        EXPECT_TRUE(w.State().InboxShown);
        EXPECT_EQ(w.State().LastFolder, "d:\\pics");
    }
    fileDialogs.fail = false;
    fileDialogs.answer = "C:\\App\\inbox\\PHOTO.JPG";
    w.RunCommand(Command::AddImageFromFile);
    EXPECT_EQ(fileDialogs.shown.back().Options.Filter, "Images |*.jpg;*.bmp;*.ico;*.jpeg;*.gif");
    EXPECT_EQ(fileDialogs.shown.back().Options.Flags, 4096u);
    EXPECT_FALSE(w.State().InboxShown);
    EXPECT_EQ(Strip(), (std::vector<std::string>{"C:\\App\\screensaver\\PHOTO.JPG"}));
    EXPECT_EQ(w.State().LastFolder, "c:\\app\\inbox");
}

}  // namespace
}  // namespace qw
