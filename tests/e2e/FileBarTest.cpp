// Every item of the File bar of the real quillwave.exe, on a beamed photo and
// on a beamed text file, and "Add Image From File", clicked as the user would
// and answered in their dialogs from the keyboard; where Windows has no printer or no mail program
// the command's message is shown. Pictures of the steps for people to look at
// go where qw::test::SaveShot puts them.

#include <gtest/gtest.h>

#include <thread>

#include "BeamFixture.h"
#include "MailRegistrations.h"
#include "OwnWindows.h"
#include "SettingsFiles.h"
#include "WindowCapture.h"

using namespace std::chrono_literals;
using e2e::WaitFor;
using qw::test::SaveShot;

namespace {

using Names = std::vector<std::wstring>;

// The size of the bitmap on the clipboard, or 0 x 0.
SIZE ClipboardBitmapSize() {
    SIZE size{};
    if (!OpenClipboard(nullptr)) return size;
    if (HANDLE data = GetClipboardData(CF_DIB)) {
        if (const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(data))) {
            size = {header->biWidth, header->biHeight};
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return size;
}

std::string TextOfFile(const std::wstring& path) { return qw::test::ReadText(path); }

// Whether the window shows the file: its picture in the preview, or its name
// in the file's description.
bool Shows(HWND window, const std::wstring& name, bool picture) {
    if (picture) return IsWindowVisible(e2e::ChildOfClass(window, L"QuillwavePreview")) != FALSE;
    for (HWND label = nullptr; (label = FindWindowExW(window, label, L"Static", nullptr));)
        if (IsWindowVisible(label) && qw::test::TextOf(label).find(name) != std::wstring::npos) return true;
    return false;
}

class FileBar : public e2e::BeamFixture {
protected:
    void SetUp() override {
        BeamFixture::SetUp();
        PhotoOnThePhone(L"Photo.JPG", 640, 480);
        PhotoOnThePhone(L"Other.jpg", 320, 240);
        e2e::WriteFile(phone / L"notes.txt", "milk, eggs");
        e2e::WriteFile(phone / L"old.txt", "to be deleted");
        qw::SettingsRecord settings;  // no automatic action but the window's own
        settings.ShowQuillwave = false;
        settings.UseScreenSaver = false;
        e2e::WriteFile(app / L"settings.txt", qw::test::SettingsFile(settings));
        // The mail stand-in, once registered, writes what it received here.
        SetEnvironmentVariableW(L"QW_MAIL_LOG", mailLog.c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"QW_MAIL_LOG", nullptr);
        BeamFixture::TearDown();
    }

    // Beams a file and waits until it is the current one.
    void BeamAndShow(const std::wstring& name, bool picture) {
        ASSERT_EQ(e2e::Beam(stackInbox, {phone / name}), 0u);
        ASSERT_TRUE(WaitFor([&] { return e2e::Exists(app / (L"inbox\\" + name)); }, 15s));
        ASSERT_TRUE(WaitFor([&] { return Shows(window, name, picture); }, 10s));
        std::this_thread::sleep_for(500ms);  // the File bar follows the new file
    }
    // Clicks an item and reads the message box that answers it, closing it.
    std::wstring MessageAfter(const char* item, const std::wstring& title, const wchar_t* shot) {
        pane->Click(item);
        if (!qw::test::WaitForWindowOf(program->Id(), title, L"#32770", 15s)) return L"(no message box)";
        std::this_thread::sleep_for(300ms);
        SaveShot(qw::test::CaptureScreen(), shot);
        const auto seen = qw::test::AnswerMessageBox(title, 5s, program->Id());
        return seen ? seen->Text : L"(no message box)";
    }
    // Clicks Save As or Move, waits for its dialog and answers it: a name
    // typed into a save dialog, Enter on the folder the picker opens with.
    bool AnswerDialog(const char* item, const std::wstring& title, const std::wstring& typed, const wchar_t* shot) {
        pane->Click(item);
        HWND dialog = qw::test::WaitForWindowOf(program->Id(), title, L"#32770", 20s);
        if (!dialog) return false;
        std::this_thread::sleep_for(1s);  // the dialog fills its views
        SaveShot(qw::test::CaptureScreen(), shot);
        if (!typed.empty()) qw::test::Type(qw::test::FileNameBox(dialog), typed);
        qw::test::PostKey(dialog, VK_RETURN);
        return WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 10s);
    }
    // No dialog or message box opens after a click on a greyed item.
    bool NothingAfter(const char* item) {
        pane->Click(item);
        return !WaitFor([&] { return !e2e::WindowsOf(program->Id(), L"#32770").empty(); }, 1500ms);
    }

    e2e::TempFolder app{L"qw file bar \u00e9"};
    e2e::TempFolder copies{L"qw saved"};
    std::wstring mailLog = phone / L"mail.log";
    std::unique_ptr<e2e::RunningProgram> program;
    HWND window = nullptr;
    std::unique_ptr<e2e::TaskPaneClicks> pane;
};

TEST_F(FileBar, EveryItemDoesItsWorkOnAPhotoAndOnATextFile) {
    qw::test::MailRegistrations mail;
    mail.NoMailProgram();
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    program = std::make_unique<e2e::RunningProgram>(app.WidePath());
    window = program->MainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitFor([&] { return e2e::IsFolder(app / L"desktop"); }, 10s));
    ASSERT_TRUE(e2e::ChooseFromIconMenu(*program, window, 1));
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }, 10s));
    pane = std::make_unique<e2e::TaskPaneClicks>(e2e::ChildOfClass(window, L"QuillwaveTaskPane"));
    const std::wstring inboxPhoto = app / L"inbox\\Photo.JPG";

    // ---- The photo.
    BeamAndShow(L"Photo.JPG", true);
    SaveShot(qw::test::CaptureScreen(), L"file-bar-1-photo.bmp");
    EXPECT_EQ(MessageAfter("FilePrintBarItem", L"Print", L"file-bar-2-no-printer.bmp"), L"Could not print picture");

    pane->Click("ClipboardBarItem");
    EXPECT_TRUE(WaitFor([] { return ClipboardBitmapSize().cx == 640 && ClipboardBitmapSize().cy == 480; }, 10s));

    pane->Click("DesktopBarItem");
    const std::wstring wallpaper = app / L"desktop\\desktop.bmp";
    std::wstring stored;
    EXPECT_TRUE(WaitFor(
        [&] { return e2e::ReadUserValue(L"Control Panel\\Desktop", L"Wallpaper", stored) && stored == wallpaper; },
        10s));
    EXPECT_GT(qw::test::ReadAll(qw::win32::Narrow(wallpaper)).size(), 640u * 480u * 3u);

    // No Outlook and no default mail program; then a mail program's library.
    EXPECT_EQ(MessageAfter("EmailBarItem", L"Outlook", L"file-bar-3-no-mail-program.bmp"), L"Could not start Outlook");
    mail.UserMailProgram(e2e::BinFolder() + L"\\qwmaildouble.dll");
    pane->Click("EmailBarItem");
    EXPECT_TRUE(WaitFor([&] { return TextOfFile(mailLog).find("Photo.JPG|-1]") != std::string::npos; }, 10s));
    EXPECT_EQ(TextOfFile(mailLog),
              "MAPISendMailW flags 13 recipients 0 files 1 [" + qw::win32::Narrow(inboxPhoto) + "|Photo.JPG|-1]\n");

    pane->Click("AddToScreenSaverBarItem");
    EXPECT_TRUE(WaitFor([&] { return e2e::FilesIn(app / L"screensaver") == Names{L"Photo.JPG"}; }, 10s));

    // Save As proposes the lower-cased name in the application folder; the
    // folder saved into is where Move then starts.
    EXPECT_TRUE(AnswerDialog("SaveAsBarItem", L"Save As", copies / L"saved.jpg", L"file-bar-4-save-as.bmp"));
    EXPECT_TRUE(WaitFor([&] { return e2e::Exists(copies / L"saved.jpg"); }, 10s));
    EXPECT_TRUE(AnswerDialog("MoveBarItem", L"Select Folder", L"", L"file-bar-5-move.bmp"));
    EXPECT_TRUE(WaitFor([&] { return e2e::Exists(copies / L"photo.jpg"); }, 10s));
    EXPECT_FALSE(e2e::Exists(inboxPhoto));
    EXPECT_EQ(qw::test::ReadAll(qw::win32::Narrow(copies / L"photo.jpg")),
              qw::test::ReadAll(qw::win32::Narrow(phone / L"Photo.JPG")));

    BeamAndShow(L"Other.jpg", true);
    pane->Click("DeleteBarItem");
    EXPECT_TRUE(WaitFor([&] { return !e2e::Exists(app / L"inbox\\Other.jpg"); }, 10s));

    // ---- The text file: the picture items are grey and do nothing.
    BeamAndShow(L"notes.txt", false);
    SaveShot(qw::test::CaptureScreen(), L"file-bar-6-text-file.bmp");
    for (const char* item : {"FilePrintBarItem", "ClipboardBarItem", "DesktopBarItem", "AddToScreenSaverBarItem"})
        EXPECT_TRUE(NothingAfter(item)) << item;
    EXPECT_EQ(e2e::FilesIn(app / L"screensaver"), Names{L"Photo.JPG"});

    pane->Click("EmailBarItem");
    EXPECT_TRUE(WaitFor([&] { return TextOfFile(mailLog).find("notes.txt|-1]") != std::string::npos; }, 10s));
    EXPECT_TRUE(AnswerDialog("SaveAsBarItem", L"Save As", copies / L"notes copy.txt", L"file-bar-7-save-as-text.bmp"));
    EXPECT_TRUE(WaitFor([&] { return e2e::Exists(copies / L"notes copy.txt"); }, 10s));
    EXPECT_TRUE(AnswerDialog("MoveBarItem", L"Select Folder", L"", L"file-bar-8-move-text.bmp"));
    EXPECT_TRUE(WaitFor([&] { return e2e::Exists(copies / L"notes.txt"); }, 10s));
    EXPECT_EQ(TextOfFile(copies / L"notes.txt"), "milk, eggs");

    BeamAndShow(L"old.txt", false);
    pane->Click("DeleteBarItem");
    EXPECT_TRUE(WaitFor([&] { return !e2e::Exists(app / L"inbox\\old.txt"); }, 10s));
    EXPECT_TRUE(e2e::FilesIn(app / L"inbox").empty());
    SaveShot(qw::test::CaptureScreen(), L"file-bar-9-empty.bmp");

    // ---- A picture from elsewhere joins the screen saver, which is then on show.
    EXPECT_TRUE(AnswerDialog("AddImageToScreenSaverFromFileScreenSaverBarItem", L"Open", phone / L"Other.jpg",
                             L"file-bar-10-add-image.bmp"));
    EXPECT_TRUE(WaitFor([&] { return e2e::FilesIn(app / L"screensaver") == Names{L"Other.jpg", L"Photo.JPG"}; }, 10s));
    std::this_thread::sleep_for(1s);  // the window repaints where the dialog was
    SaveShot(qw::test::CaptureScreen(), L"file-bar-11-screen-saver-files.bmp");
}

// The icon menu still works while a command's dialog is open; its exit ends
// the program at once, and the dialog's command does nothing more.
TEST_F(FileBar, ExitWhileACommandsDialogIsOpenEndsTheProgram) {
    struct Case {
        const char* Item;
        const wchar_t* Dialog;
    };
    const Case cases[] = {{"SaveAsBarItem", L"Save As"}, {"MoveBarItem", L"Select Folder"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Item);
        e2e::TempFolder folder{L"qw exit"};
        program = std::make_unique<e2e::RunningProgram>(folder.WidePath());
        window = program->MainWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WaitFor([&] { return e2e::IsFolder(folder / L"desktop"); }, 10s));
        ASSERT_TRUE(e2e::ChooseFromIconMenu(*program, window, 1));
        pane = std::make_unique<e2e::TaskPaneClicks>(e2e::ChildOfClass(window, L"QuillwaveTaskPane"));
        ASSERT_EQ(e2e::Beam(stackInbox, {phone / L"notes.txt"}), 0u);
        ASSERT_TRUE(WaitFor([&] { return Shows(window, L"notes.txt", false); }, 15s));
        std::this_thread::sleep_for(500ms);

        pane->Click(c.Item);
        ASSERT_NE(qw::test::WaitForWindowOf(program->Id(), c.Dialog, L"#32770", 20s), nullptr);
        ASSERT_TRUE(e2e::ChooseFromIconMenu(*program, window, 4));  // "Exit Quillwave!"
        EXPECT_TRUE(program->WaitForExit(10s));
        EXPECT_EQ(e2e::FilesIn(folder / L"inbox"), Names{L"notes.txt"}) << "nothing moved or saved";
        program.reset();
    }
}

}  // namespace
