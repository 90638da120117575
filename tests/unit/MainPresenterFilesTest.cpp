// The main window with files: the task pane, the current file, the folder on
// show and the strip's events.

#include <gtest/gtest.h>

#include "fakes/MainPresenterFixture.h"

namespace qw {
namespace {

class MainPresenterFilesTest : public MainPresenterFixture {
protected:
    MainPresenterFilesTest() {
        files.AddFolder("C:\\App");
        files.SetTypeName("txt", "Text Document");
        InstallStack();
    }
    void Inbox(const std::string& name, int width = 0, int height = 0) {
        files.AddFile("C:\\App\\inbox\\" + name, "data");
        if (width) pictures.AddPixels("C:\\App\\inbox\\" + name, width, height);
    }
    std::vector<std::string> Strip() const {
        std::vector<std::string> paths;
        for (const auto& f : strip.Files()) paths.push_back(f.Path);
        return paths;
    }
    // The File bar as "key:on/off:colour" with n, s or another value.
    std::string Pane(const std::string& key) const {
        const auto& item = view.Item(key);
        const char* colour = item.Color == FakeMainView::DefaultItemColor ? "n" : item.Color == SilverColor ? "s" : "?";
        return std::string(item.Clickable ? "on " : "off ") + colour;
    }
};

TEST_F(MainPresenterFilesTest, StartUpBuildsThePaneAndShowsTheInboxWithNothingCurrent) {
    Inbox("first.jpg", 640, 480);
    Inbox("second.txt");
    MainPresenter& w = Started();
    EXPECT_EQ(view.paneBars, (std::vector<std::string>{"InboxBar", "ScreenSaverBar", "FileBar"}));
    EXPECT_EQ(view.paneOrder.size(), 14u);
    EXPECT_EQ(view.Item("EmailBarItem").Icon, 10);
    EXPECT_EQ(w.State().ItemTextColor, FakeMainView::DefaultItemColor);
    // Each file is put first, so the file listed last is shown first.
    EXPECT_EQ(Strip(), (std::vector<std::string>{"C:\\App\\inbox\\second.txt", "C:\\App\\inbox\\first.jpg"}));
    EXPECT_EQ(Pane("InboxViewFilesBarItem"), "off s");
    EXPECT_EQ(Pane("ScreenSaverViewFilesBarItem"), "on n");
    for (const char* key : {"FilePrintBarItem", "MoveBarItem", "EmailBarItem", "AddToScreenSaverBarItem"})
        EXPECT_EQ(Pane(key), "off s") << key;
    EXPECT_EQ(w.State().CurrentFile, "");
    EXPECT_FALSE(view.previewVisible);
    EXPECT_EQ(view.paneChangesWhileRedrawOn, 0);  // every batch of item changes is drawn once
}

TEST_F(MainPresenterFilesTest, AClickedPictureIsPreviewedAndEnablesEveryFileCommand) {
    Inbox("photo.jpg", 640, 480);
    MainPresenter& w = Started();
    strip.OnSlotClick(1);
    EXPECT_EQ(w.State().CurrentFile, "C:\\App\\inbox\\photo.jpg");
    EXPECT_TRUE(view.previewVisible);
    EXPECT_FALSE(view.fileInfoVisible);
    EXPECT_EQ(view.previewSize, (PixelSize{432, 324}));
    for (const char* key : {"FilePrintBarItem", "ClipboardBarItem", "DesktopBarItem", "AddToScreenSaverBarItem"})
        EXPECT_EQ(Pane(key), "on n") << key;
}

TEST_F(MainPresenterFilesTest, ADocumentIsDescribedInWordsAndEnablesOnlyItsCommands) {
    files.AddFile("C:\\App\\inbox\\empty.txt");
    MainPresenter& w = Started();
    w.ShowFile("C:\\App\\inbox\\empty.txt");
    EXPECT_FALSE(view.previewVisible);
    EXPECT_TRUE(view.fileInfoVisible);
    EXPECT_EQ(view.fileInfoText, "Text Document\r\nempty.txt\r\n(0 bytes) ");
    EXPECT_EQ(Pane("MoveBarItem"), "on n");
    EXPECT_EQ(Pane("FilePrintBarItem"), "off s");
}

TEST_F(MainPresenterFilesTest, APictureThatCannotBeLoadedIsDescribedInsteadOfShownBroken) {
    Inbox("broken.jpg");
    pictures.Fail("C:\\App\\inbox\\broken.jpg");
    MainPresenter& w = Started();
    w.ShowFile("C:\\App\\inbox\\broken.jpg");
    EXPECT_FALSE(view.previewVisible);
    EXPECT_EQ(view.fileInfoText, "JPG File\r\nbroken.jpg\r\n(4 bytes) ");
    EXPECT_EQ(w.State().CurrentFile, "C:\\App\\inbox\\broken.jpg");
}

TEST_F(MainPresenterFilesTest, WithoutTheStackShowingAFileOnlyHidesThePreview) {
    registry.FailOn(RegistryOperation::ReadText, StackRootValue);
    Inbox("photo.jpg", 100, 100);
    MainPresenter& w = Started();
    view.previewVisible = true;
    strip.OnSlotClick(1);
    EXPECT_FALSE(view.previewVisible);
    EXPECT_EQ(w.State().CurrentFile, "");
    EXPECT_EQ(Pane("MoveBarItem"), "off s");
}

TEST_F(MainPresenterFilesTest, RightClickMakesTheFileCurrentBeforeTheMenuOpens) {
    Inbox("notes.txt");
    Started();
    strip.OnSlotRightButtonUp(1);
    ASSERT_EQ(view.poppedUp.size(), 1u);
    EXPECT_FALSE(view.poppedUpFromIcon.back());
    const Menu& menu = view.poppedUp.back();
    ASSERT_EQ(menu.size(), 9u);
    EXPECT_EQ(menu[0].Caption, "Print...");
    EXPECT_FALSE(menu[0].Enabled);
    EXPECT_TRUE(menu[1].Enabled);  // Move... for a document
    // The preview's right button opens the same menu; the left does nothing.
    window->OnPreviewMouseUp(1);
    EXPECT_EQ(view.poppedUp.size(), 1u);
    window->OnPreviewMouseUp(2);
    EXPECT_EQ(view.poppedUp.size(), 2u);
}

TEST_F(MainPresenterFilesTest, DoubleClickOpensTheFileWithItsProgram) {
    Inbox("notes.txt");
    MainPresenter& w = Started();
    strip.OnSlotClick(1);
    strip.OnSlotDoubleClick(1);
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"C:\\App\\inbox\\notes.txt"}));
    EXPECT_EQ(w.State().CurrentFile, "C:\\App\\inbox\\notes.txt");
}

TEST_F(MainPresenterFilesTest, SwitchingViewsClearsTheFileAndShowsTheOtherFolder) {
    Inbox("photo.jpg", 100, 100);
    files.AddFile("C:\\App\\screensaver\\slide.jpg");
    pictures.AddPixels("C:\\App\\screensaver\\slide.jpg", 100, 100);
    MainPresenter& w = Started();
    strip.OnSlotClick(1);
    w.OnPaneItemClick("ScreenSaverViewFilesBarItem");
    EXPECT_FALSE(w.State().InboxShown);
    EXPECT_EQ(Strip(), (std::vector<std::string>{"C:\\App\\screensaver\\slide.jpg"}));
    EXPECT_EQ(w.State().CurrentFile, "");
    EXPECT_EQ(Pane("ScreenSaverViewFilesBarItem"), "off s");
    EXPECT_EQ(Pane("InboxViewFilesBarItem"), "on n");
    // An image while the screen-saver folder is shown: all but "Add To Screen Saver".
    strip.OnSlotClick(1);
    EXPECT_EQ(Pane("DesktopBarItem"), "on n");
    EXPECT_EQ(Pane("AddToScreenSaverBarItem"), "off s");
    w.OnPaneItemClick("InboxViewFilesBarItem");
    EXPECT_TRUE(w.State().InboxShown);
    EXPECT_EQ(Strip(), (std::vector<std::string>{"C:\\App\\inbox\\photo.jpg"}));
}

TEST_F(MainPresenterFilesTest, AReceivedFileGoesToTheFrontAndBecomesCurrent) {
    Inbox("old.jpg", 100, 100);
    files.AddFile("C:\\BT\\In\\new.jpg");
    pictures.AddPixels("C:\\App\\inbox\\new.jpg", 300, 200);
    MainPresenter& w = Started();
    w.OnTimer();
    EXPECT_EQ(Strip().front(), "C:\\App\\inbox\\new.jpg");
    EXPECT_EQ(w.State().CurrentFile, "C:\\App\\inbox\\new.jpg");
    EXPECT_EQ(view.previewSize, (PixelSize{300, 200}));
}

TEST_F(MainPresenterFilesTest, AFileReceivedWhileTheScreenSaverFolderIsShownSwitchesToTheInbox) {
    files.AddFile("C:\\BT\\In\\new.txt");
    MainPresenter& w = Started();
    w.OnPaneItemClick("ScreenSaverViewFilesBarItem");
    w.OnTimer();
    EXPECT_TRUE(w.State().InboxShown);
    EXPECT_EQ(Strip(), (std::vector<std::string>{"C:\\App\\inbox\\new.txt"}));
    EXPECT_EQ(w.State().CurrentFile, "C:\\App\\inbox\\new.txt");
}

TEST_F(MainPresenterFilesTest, ResizingRefitsThePreviewAndCollapsesSmallWindows) {
    Inbox("photo.jpg", 640, 480);
    MainPresenter& w = Started();
    strip.OnSlotClick(1);
    view.clientWidth = 1000;
    view.clientHeight = 800;
    w.OnResize(1000, 800);
    EXPECT_EQ(view.stripWidth, 780);
    EXPECT_EQ(view.previewSize, (PixelSize{640, 480}));
    EXPECT_EQ(view.paneHeight, 800);
    view.clientWidth = 200;
    view.clientHeight = 100;
    w.OnResize(200, 100);
    EXPECT_EQ(view.stripWidth, 780);  // too narrow: kept
    EXPECT_EQ(view.previewSize, (PixelSize{0, 0}));
    EXPECT_EQ(view.fileInfoSize, (PixelSize{0, 0}));
    EXPECT_EQ(view.infoSize, (PixelSize{0, 0}));
}

TEST_F(MainPresenterFilesTest, ItemKeysThatMatchNothingDoNothing) {
    Inbox("photo.jpg", 100, 100);
    MainPresenter& w = Started();
    strip.OnSlotClick(1);
    w.OnPaneItemClick("NoSuchItem");
    w.OnPaneItemClick("inboxviewfilesbaritem");
    EXPECT_EQ(w.State().CurrentFile, "C:\\App\\inbox\\photo.jpg");
}

}  // namespace
}  // namespace qw
