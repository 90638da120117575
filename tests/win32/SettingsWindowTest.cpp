// The settings dialog as a real window, run by EditSettings and worked from a
// second thread as a user would: clicks, typing, keys, OK and Cancel; then
// the settings file it leaves, byte by byte.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "OwnWindows.h"
#include "SettingsFiles.h"
#include "TempFolder.h"
#include "WindowCapture.h"
#include "shared/SettingsDialog.h"
#include "win32/CommonDialogs.h"
#include "win32/SettingsWindow.h"
#include "win32/Win32Ansi.h"
#include "win32/Win32FileSystem.h"
#include "shared/RegistryValues.h"
#include "win32/Win32Registry.h"
#include "win32/Win32System.h"
#include "win32/Win32SystemFolders.h"

namespace {

using namespace std::chrono_literals;
using qw::SettingsRecord;
using qw::SettingsTab;
using enum qw::SettingsControl;
using qw::test::WaitFor;
using qw::win32::SettingsControlId;

// ---- Working the dialog from the driving thread.

HWND Item(HWND dialog, qw::SettingsControl control) { return GetDlgItem(dialog, SettingsControlId(control)); }
HWND Tabs(HWND dialog) { return GetDlgItem(dialog, qw::win32::IdSettingsTabs); }
int CurrentTab(HWND dialog) { return TabCtrl_GetCurSel(Tabs(dialog)); }
bool Ticked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }
void Click(HWND dialog, qw::SettingsControl control) { Click(Item(dialog, control)); }
// A click that opens something modal must not wait for it.
void PostClick(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void Type(HWND dialog, qw::SettingsControl box, const std::wstring& text) { qw::test::Type(Item(dialog, box), text); }

// A click on the tab's title.
void ChooseTab(HWND dialog, int tab) {
    RECT r{};
    TabCtrl_GetItemRect(Tabs(dialog), tab, &r);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(Tabs(dialog), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(Tabs(dialog), WM_LBUTTONUP, 0, at);
}

bool Shows(HWND control) { return IsWindowVisible(control) != FALSE; }

// Stretches the images, types the three numbers and flips the clock.
void ChangeScreenSaverPage(HWND dialog, const wchar_t* wide, const wchar_t* tall, const wchar_t* seconds) {
    Click(dialog, ResizeOption);
    Type(dialog, ColumnsText, wide);
    Type(dialog, RowsText, tall);
    Type(dialog, SecondsText, seconds);
    Click(dialog, ShowClockBox);
}

SettingsRecord Before() {
    SettingsRecord r;
    r.EmailFile = true;
    r.CopyToFolder = true;
    r.CopyToFolderPath = "C:\\Old photos";
    r.ShowImagesForSeconds = 12;
    r.BackgroundColor = 0x00804020;
    r.ClockColor = 0x0040E0FF;
    r.NoOfImagesX = 2;
    r.NoOfImagesY = 3;
    return r;
}

class SettingsDialog : public testing::Test {
protected:
    // Runs EditSettings while `script` works the dialog.
    void Edit(SettingsTab tab, bool hideInbox, std::function<void(HWND)> script) {
        qw::test::DialogDriver driver(L"Settings", qw::win32::SettingsWindowClass, std::move(script));
        editor_.EditSettings(tab, hideInbox, file_, record_);
    }
    void StartWith(const SettingsRecord& record) {
        record_ = record;
        qw::test::WriteText(file_, qw::test::SettingsFile(record));
    }

    qw::test::TempFolder folder_;
    std::string file_ = folder_ / "settings.txt";
    SettingsRecord record_;
    qw::win32::Win32FileSystem files_;
    qw::win32::Win32Ansi ansi_;
    qw::win32::Win32MessageBoxes messages_;
    qw::win32::Win32FolderPicker folders_;
    qw::win32::Win32ColorPicker colors_;
    qw::win32::Win32Clock clock_;
    qw::win32::Win32ShortPaths shortPaths_;
    qw::win32::Win32Registry registry_;
    qw::win32::Win32SystemFolders system_;
    qw::SettingsDialogEditor editor_{qw::win32::SettingsWindow::Maker(GetModuleHandleW(nullptr), nullptr), files_, {messages_, folders_, colors_, clock_, shortPaths_, ansi_},
                                     qw::ReceivedFolderPorts{registry_, system_, folder_ / "app"}};
    // The folder of received files, shown and stored by the dialog.
    const std::string received_ = folder_ / "from phone";
    struct Forget {
        ~Forget() {
            try {
                qw::win32::Win32Registry().DeleteValue(qw::ReceivedFilesFolderValue);
            } catch (const std::exception&) {
            }
        }
    } forget_;
};

struct EditCase {
    const char* Name;
    SettingsTab StartTab;
    bool FileBefore;  // else no settings file yet, and the defaults
    std::function<void(HWND)> Script;
    std::function<void(SettingsRecord&)> Saved;  // nullptr: nothing may change
};

const EditCase EditCases[] = {
    {"TicksTypingAndMnemonicsThenOk", SettingsTab::Inbox, false,
     [](HWND d) {
         EXPECT_EQ(CurrentTab(d), 0);
         EXPECT_TRUE(Shows(Item(d, ShowWindowBox)));
         EXPECT_FALSE(Shows(Item(d, UseScreenSaverBox)));
         EXPECT_FALSE(IsWindowEnabled(Item(d, CopyFolderText)));
         // The keyboard starts on the first box, and Tab goes on to the next.
         EXPECT_EQ(qw::test::FocusIn(d), Item(d, ShowWindowBox));
         qw::test::PostKey(d, VK_TAB);
         EXPECT_TRUE(WaitFor([&] { return qw::test::FocusIn(d) == Item(d, PrintBox); }, 5s));
         qw::test::PostAltKey(d, L'p');  // "&Print the file ..."
         EXPECT_TRUE(WaitFor([&] { return Ticked(Item(d, PrintBox)); }, 5s));
         Click(d, ShowWindowBox);
         Click(d, CopyToFolderBox);
         EXPECT_TRUE(IsWindowEnabled(Item(d, CopyFolderText)));
         EXPECT_TRUE(IsWindowEnabled(Item(d, BrowseCopyFolder)));
         Type(d, CopyFolderText, L"C:\\Photos   ");
         ChooseTab(d, 1);
         EXPECT_TRUE(Shows(Item(d, UseScreenSaverBox)));
         EXPECT_FALSE(Shows(Item(d, ShowWindowBox)));
         ChangeScreenSaverPage(d, L"3", L"2", L"7.5");
         PostClick(d, IDOK);
     },
     [](SettingsRecord& r) {
         r.ShowQuillwave = false;
         r.PrintFile = true;
         r.CopyToFolder = true;
         r.CopyToFolderPath = "C:\\Photos";
         r.ResizeImages = true;
         r.NoOfImagesX = 3;
         r.NoOfImagesY = 2;
         r.ShowImagesForSeconds = 8;
         r.ShowClock = false;
     }},
    {"EnterInATextBoxIsOk", SettingsTab::ScreenSaver, true,
     [](HWND d) {
         EXPECT_EQ(CurrentTab(d), 1);
         EXPECT_TRUE(Shows(Item(d, SecondsText)));
         EXPECT_FALSE(Shows(Item(d, ShowWindowBox)));
         qw::test::PostAltKey(d, L'f');  // "Show each image &for" leads to its text box
         EXPECT_TRUE(WaitFor([&] { return qw::test::FocusIn(d) == Item(d, SecondsText); }, 5s));
         Type(d, SecondsText, L"60.4");
         qw::test::PostKey(d, VK_RETURN);
     },
     [](SettingsRecord& r) { r.ShowImagesForSeconds = 60; }},
    {"CancelAfterChangingEverything", SettingsTab::Inbox, true,
     [](HWND d) {
         for (const auto box : {ShowWindowBox, PrintBox, ClipboardBox, EmailBox, WallpaperBox,
                                AddToScreenSaverBox, CopyToFolderBox})
             Click(d, box);
         Type(d, CopyFolderText, L"D:\\Elsewhere");
         ChooseTab(d, 1);
         ChangeScreenSaverPage(d, L"5", L"5", L"5");
         Click(d, UseScreenSaverBox);
         PostClick(d, IDCANCEL);
         EXPECT_TRUE(WaitFor([&] { return !Shows(d); }, 5s));
     },
     nullptr},
    {"EscapeIsCancel", SettingsTab::Inbox, true,
     [](HWND d) {
         Click(d, PrintBox);
         qw::test::PostKey(d, VK_ESCAPE);
         EXPECT_TRUE(WaitFor([&] { return !Shows(d); }, 5s));
     },
     nullptr},
    {"CloseBoxIsCancel", SettingsTab::ScreenSaver, true,
     [](HWND d) {
         Type(d, ColumnsText, L"9");
         PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0);
         EXPECT_TRUE(WaitFor([&] { return !Shows(d); }, 5s));
     },
     nullptr},
};

class SettingsDialogEdits : public SettingsDialog, public testing::WithParamInterface<EditCase> {};

TEST_P(SettingsDialogEdits, SaveExactlyWhatOkConfirms) {
    const EditCase& c = GetParam();
    SettingsRecord expected = c.FileBefore ? Before() : SettingsRecord{};
    if (c.FileBefore) StartWith(expected);
    Edit(c.StartTab, false, c.Script);
    if (c.Saved) c.Saved(expected);
    if (c.Saved || c.FileBefore) {
        const std::string bytes = qw::test::ReadText(file_);
        EXPECT_EQ(bytes.size(), 238u);
        EXPECT_EQ(bytes, qw::test::SettingsFile(expected));
    } else {
        EXPECT_FALSE(qw::test::Exists(file_));
    }
    EXPECT_EQ(qw::test::SettingsFile(record_), qw::test::SettingsFile(expected));
    EXPECT_EQ(qw::test::FindOwnWindow(L"Settings"), nullptr) << "the dialog is gone";
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsDialogEdits, testing::ValuesIn(EditCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SettingsDialog, RefusedNumbersAreToldOneAtATimeAndTheDialogStays) {
    StartWith(Before());
    std::vector<qw::test::MessageBoxSeen> boxes;
    Edit(SettingsTab::ScreenSaver, false, [&](HWND d) {
        Type(d, SecondsText, L"0");
        Type(d, ColumnsText, L"0");
        PostClick(d, IDOK);
        if (const auto box = qw::test::AnswerMessageBox(L"Screen Saver")) boxes.push_back(*box);
        EXPECT_TRUE(Shows(d));
        Type(d, SecondsText, L"60.4");
        PostClick(d, IDOK);
        if (const auto box = qw::test::AnswerMessageBox(L"Screen Saver")) boxes.push_back(*box);
        EXPECT_TRUE(Shows(d));
        Type(d, ColumnsText, L"50");
        PostClick(d, IDOK);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(d) || !Shows(d); }, 5s));
    });
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Text, L"Images used in the screen saver must be shown for at least one second.");
    EXPECT_EQ(boxes[1].Text, L"At least one image wide must be shown.");
    for (const auto& box : boxes) EXPECT_EQ(box.Icon, LoadIconW(nullptr, IDI_INFORMATION));
    SettingsRecord expected = Before();
    expected.ShowImagesForSeconds = 60;
    expected.NoOfImagesX = 50;
    EXPECT_EQ(qw::test::ReadText(file_), qw::test::SettingsFile(expected));
}

// The pixels of a control of the dialog, as the screen shows them.
qw::test::Capture ScreenOf(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    return qw::test::CaptureScreen(r);
}

int CountIn(const qw::test::Capture& shot, COLORREF colour) {
    return shot.Count({0, 0, shot.width, shot.height}, colour);
}

TEST_F(SettingsDialog, EachTabOnTheScreenWithTheChosenColours) {
    StartWith(Before());
    registry_.WriteText(qw::ReceivedFilesFolderValue, "C:\\Users\\Ann\\Received from phone");  // shown only
    const COLORREF background = RGB(0x20, 0x40, 0x80), clockText = RGB(0xFF, 0xE0, 0x40);
    Edit(SettingsTab::Inbox, false, [&](HWND d) {
        const wchar_t* const shots[] = {L"quillwave-settings-inbox.bmp", L"quillwave-settings-screensaver.bmp",
                                        L"quillwave-settings-about.bmp"};
        HWND swatch = GetDlgItem(d, qw::win32::IdBackgroundColorSwatch);
        HWND clock = GetDlgItem(d, qw::win32::IdClockPreview);
        for (int tab = 0; tab < 3; ++tab) {
            ChooseTab(d, tab);
            if (tab == 1) {
                // The swatch is all background colour inside its edge; the
                // clock shows the time in its colours.
                EXPECT_TRUE(WaitFor(
                    [&] {
                        const auto shot = ScreenOf(swatch);
                        return CountIn(shot, background) >= (shot.width - 4) * (shot.height - 4);
                    },
                    5s));
                EXPECT_TRUE(WaitFor([&] { return CountIn(ScreenOf(clock), clockText) > 10; }, 5s));
                const auto clockShot = ScreenOf(clock);
                EXPECT_GT(CountIn(clockShot, background), clockShot.width * clockShot.height / 2);
            } else {
                std::this_thread::sleep_for(300ms);
            }
            RECT r;
            GetWindowRect(d, &r);
            qw::test::SaveShot(qw::test::CaptureScreen(r), shots[tab]);
        }
        PostClick(d, IDCANCEL);
    });
}

TEST_F(SettingsDialog, AnUnavailableInboxTabIsGreyAndCannotBeChosen) {
    StartWith(Before());
    Edit(SettingsTab::ScreenSaver, true, [&](HWND d) {
        EXPECT_EQ(CurrentTab(d), 1);
        ChooseTab(d, 0);
        EXPECT_EQ(CurrentTab(d), 1);
        EXPECT_FALSE(Shows(Item(d, ShowWindowBox)));
        EXPECT_TRUE(Shows(Item(d, UseScreenSaverBox)));
        RECT inbox{}, screenSaver{};
        TabCtrl_GetItemRect(Tabs(d), 0, &inbox);
        TabCtrl_GetItemRect(Tabs(d), 1, &screenSaver);
        MapWindowPoints(Tabs(d), nullptr, reinterpret_cast<POINT*>(&inbox), 2);
        MapWindowPoints(Tabs(d), nullptr, reinterpret_cast<POINT*>(&screenSaver), 2);
        EXPECT_TRUE(WaitFor([&] { return CountIn(qw::test::CaptureScreen(inbox), GetSysColor(COLOR_GRAYTEXT)) > 10; },
                            5s));
        EXPECT_EQ(CountIn(qw::test::CaptureScreen(inbox), GetSysColor(COLOR_BTNTEXT)), 0);
        EXPECT_GT(CountIn(qw::test::CaptureScreen(screenSaver), GetSysColor(COLOR_BTNTEXT)), 10);
        RECT r;
        GetWindowRect(d, &r);
        qw::test::SaveShot(qw::test::CaptureScreen(r), L"quillwave-settings-without-inbox.bmp");
        // Ctrl+Tab goes round the pages that can be chosen.
        for (const int next : {2, 1, 2}) {
            qw::test::PressKeys({VK_CONTROL, VK_TAB});
            EXPECT_TRUE(WaitFor([&] { return CurrentTab(d) == next; }, 5s)) << "expected page " << next;
        }
        PostClick(d, IDCANCEL);
    });
}

// Browse opens the system's folder picker on the folder shown, here one gone
// meanwhile, so at its parent; OK stores the folder chosen.
TEST_F(SettingsDialog, BrowseAndOkStoreTheFolderOfReceivedFiles) {
    ASSERT_TRUE(CreateDirectoryW(qw::win32::Widen(received_).c_str(), nullptr));
    registry_.WriteText(qw::ReceivedFilesFolderValue, received_ + "\\gone");
    StartWith(Before());
    Edit(SettingsTab::Inbox, false, [&](HWND d) {
        EXPECT_TRUE(Ticked(Item(d, ReceivedFolderBox)));
        PostClick(d, SettingsControlId(BrowseReceivedFolder));
        const HWND picker = qw::test::WaitForOwnWindow(L"Select Folder", L"#32770");
        ASSERT_NE(picker, nullptr);
        std::this_thread::sleep_for(500ms);  // the picker fills its views first
        qw::test::PostKey(picker, VK_RETURN);
        EXPECT_TRUE(WaitFor(
            [&] { return qw::test::TextOf(Item(d, ReceivedFolderText)) == qw::win32::Widen(received_); }, 10s));
        PostClick(d, IDOK);
    });
    EXPECT_EQ(registry_.ReadText(qw::ReceivedFilesFolderValue), received_);
}

}  // namespace
