// The real quillwave.exe's settings commands and the Windows screen-saver
// choice that follows its settings: SCRNSAVE.EXE after start-up, the settings
// dialog from the icon menu and from the task pane, and the preview.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <atomic>
#include <functional>
#include <optional>
#include <thread>

#include "Harness.h"
#include "SettingsFiles.h"
#include "WindowCapture.h"
#include "win32/SettingsWindow.h"

using namespace std::chrono_literals;
using e2e::WaitFor;
using qw::win32::SettingsControlId;

namespace {

const wchar_t* const QuillwaveKey = L"Software\\Quillwave";
const wchar_t* const DesktopKey = L"Control Panel\\Desktop";
const wchar_t* const SaverValue = L"SCRNSAVE.EXE";

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH];
    return std::wstring(folder, GetSystemDirectoryW(folder, MAX_PATH));
}

std::wstring ShortPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH];
    return std::wstring(buffer, GetShortPathNameW(path.c_str(), buffer, MAX_PATH));
}

using e2e::RegisteredSaver;
using e2e::SetRegisteredSaver;

enum class SaverPlace { SystemFolder, BesideProgram, Nowhere };

class Settings : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::DeleteUserKey(QuillwaveKey);
        e2e::RemoveStackFolders();
    }
    void TearDown() override {
        if (!copied_.empty()) DeleteFileW(copied_.c_str());
        SetRegisteredSaver(previousChoice_);
        e2e::DeleteUserKey(QuillwaveKey);
    }

    // A copy of the built screen saver where the case wants it; its path.
    std::wstring PlaceSaver(SaverPlace place) {
        if (place == SaverPlace::Nowhere) return {};
        const std::wstring target = (place == SaverPlace::SystemFolder ? SystemFolder() : app.WidePath()) +
                                    L"\\quillwavess.scr";
        EXPECT_TRUE(CopyFileW((e2e::BinFolder() + L"\\quillwavess.scr").c_str(), target.c_str(), FALSE));
        if (place == SaverPlace::SystemFolder) copied_ = target;
        return target;
    }

    void WriteSettings(const qw::SettingsRecord& record) {
        e2e::WriteFile(app / L"settings.txt", qw::test::SettingsFile(record));
    }

    // Started, with its start-up done (the screen-saver choice comes before
    // the application's folders are made).
    HWND Start(e2e::RunningProgram& program) {
        HWND window = program.MainWindow();
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(WaitFor([&] { return e2e::IsFolder(app / L"desktop"); }, 10s));
        return window;
    }

    // The settings dialog the program shows, once it is there.
    HWND SettingsDialog(const e2e::RunningProgram& program) {
        HWND dialog = nullptr;
        WaitFor(
            [&] {
                for (HWND w : e2e::WindowsOf(program.Id(), qw::win32::SettingsWindowClass))
                    if (IsWindowVisible(w)) dialog = w;
                return dialog != nullptr;
            },
            10s);
        return dialog;
    }

    static int ShownTab(HWND dialog) {
        return static_cast<int>(SendMessageW(GetDlgItem(dialog, qw::win32::IdSettingsTabs), TCM_GETCURSEL, 0, 0));
    }

    // Presses a button of the dialog and waits until the dialog has gone.
    static bool PressAndWaitUntilGone(HWND dialog, int button) {
        PostMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
        return WaitFor([&] { return !IsWindow(dialog); }, 10s);
    }

    e2e::TempFolder app{L"qw settings \u00e9"};
    std::optional<std::wstring> previousChoice_ = RegisteredSaver();
    std::wstring copied_;
};

// The form the system folder's file is registered in: the usual short name
// when Windows gave it that one, else the short form Windows reports.
std::wstring SystemFolderForm(const std::wstring& saver) {
    const std::wstring shortForm = ShortPath(saver);
    const std::wstring name = shortForm.substr(shortForm.find_last_of(L'\\') + 1);
    return _wcsicmp(name.c_str(), L"quillw~1.scr") == 0 ? SystemFolder() + L"\\quillw~1.scr" : shortForm;
}

using Choice = std::optional<std::wstring>;
// A registry value given the screen-saver file the case placed.
using ChoiceOf = std::function<Choice(const std::wstring& saver)>;

const ChoiceOf None = [](const std::wstring&) { return Choice(); };
const ChoiceOf Other = [](const std::wstring&) { return Choice(L"C:\\windows\\system32\\other.scr"); };

struct StartCase {
    const char* Name;
    SaverPlace Place;
    bool UseScreenSaver;
    ChoiceOf Before;
    ChoiceOf After;
};

const StartCase StartCases[] = {
    {"SaverInTheSystemFolder", SaverPlace::SystemFolder, true, None, SystemFolderForm},
    {"SaverBesideTheProgram", SaverPlace::BesideProgram, true, Other,
     [](const std::wstring& saver) { return Choice(ShortPath(saver)); }},
    {"SaverNowhere", SaverPlace::Nowhere, true, None,
     [](const std::wstring&) { return Choice(SystemFolder() + L"\\quillw~1.scr"); }},
    {"UntickedTakesBackItsOwnChoiceInAnyLetterCase", SaverPlace::SystemFolder, false,
     [](const std::wstring& saver) {
         std::wstring ours = SystemFolderForm(saver);
         CharUpperW(ours.data());
         return Choice(ours);
     },
     None},
    {"UntickedLeavesAnotherSaver", SaverPlace::SystemFolder, false, Other, Other},
    {"UntickedWithoutAChoiceIsSilent", SaverPlace::SystemFolder, false, None, None},
};

class ScreenSaverChoice : public Settings, public ::testing::WithParamInterface<StartCase> {};

TEST_P(ScreenSaverChoice, FollowsTheSettingsAtStartUp) {
    const StartCase& c = GetParam();
    const std::wstring saver = PlaceSaver(c.Place);
    qw::SettingsRecord settings;
    settings.UseScreenSaver = c.UseScreenSaver;
    WriteSettings(settings);
    SetRegisteredSaver(c.Before(saver));

    e2e::RunningProgram program(app.WidePath());
    Start(program);
    const std::optional<std::wstring> after = c.After(saver);
    EXPECT_EQ(RegisteredSaver(), after);
    if (after && c.UseScreenSaver && c.Place != SaverPlace::Nowhere) {
        EXPECT_TRUE(e2e::Exists(*after)) << "Windows could not find the registered screen saver";
    }
    EXPECT_TRUE(e2e::WindowsOf(program.Id(), L"#32770").empty()) << "a message was shown";
}

INSTANTIATE_TEST_SUITE_P(Cases, ScreenSaverChoice, ::testing::ValuesIn(StartCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Settings, IconMenuOpensTheDialogOnItsTabAndOkSavesTheChoice) {
    e2e::RunningProgram program(app.WidePath());
    HWND window = Start(program);
    ASSERT_TRUE(RegisteredSaver().has_value()) << "a first start makes this the screen saver";

    // "Screen Saver Settings...": untick the screen saver and press OK.
    ASSERT_TRUE(e2e::ChooseFromIconMenu(program, window, 3));
    HWND dialog = SettingsDialog(program);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ShownTab(dialog), 1);
    SendMessageW(GetDlgItem(dialog, SettingsControlId(qw::SettingsControl::UseScreenSaverBox)), BM_CLICK, 0, 0);
    // As the program shows it, in the system's visual style (for people to look at).
    std::this_thread::sleep_for(500ms);
    RECT place;
    GetWindowRect(dialog, &place);
    qw::test::SaveShot(qw::test::CaptureScreen(place), L"quillwave-settings-in-the-program.bmp");
    ASSERT_TRUE(PressAndWaitUntilGone(dialog, IDOK));
    qw::SettingsRecord expected;
    expected.UseScreenSaver = false;
    EXPECT_TRUE(WaitFor([&] { return !RegisteredSaver().has_value(); }, 10s));
    EXPECT_EQ(qw::test::ReadText(app / L"settings.txt"), qw::test::SettingsFile(expected));

    // "Inbox Settings...": Cancel changes nothing.
    ASSERT_TRUE(e2e::ChooseFromIconMenu(program, window, 2));
    dialog = SettingsDialog(program);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ShownTab(dialog), 0);
    SendMessageW(GetDlgItem(dialog, SettingsControlId(qw::SettingsControl::PrintBox)), BM_CLICK, 0, 0);
    ASSERT_TRUE(PressAndWaitUntilGone(dialog, IDCANCEL));
    EXPECT_EQ(qw::test::ReadText(app / L"settings.txt"), qw::test::SettingsFile(expected));
    EXPECT_FALSE(RegisteredSaver().has_value());
}

TEST_F(Settings, ExitFromTheIconMenuWhileTheDialogIsOpenEndsTheProgramUnsaved) {
    e2e::RunningProgram program(app.WidePath());
    HWND window = Start(program);
    ASSERT_TRUE(e2e::ChooseFromIconMenu(program, window, 2));
    HWND dialog = SettingsDialog(program);
    ASSERT_NE(dialog, nullptr);
    SendMessageW(GetDlgItem(dialog, SettingsControlId(qw::SettingsControl::PrintBox)), BM_CLICK, 0, 0);
    ASSERT_TRUE(e2e::ChooseFromIconMenu(program, window, 4));  // "Exit Quillwave!"
    EXPECT_TRUE(program.WaitForExit(10s));
    EXPECT_EQ(qw::test::ReadText(app / L"settings.txt"), "") << "nothing saved";
}

// The processes started by `parent` from the file name given.
std::vector<DWORD> ChildProcesses(DWORD parent, const wchar_t* exeName) {
    std::vector<DWORD> found;
    const qw::win32::KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry))
        if (entry.th32ParentProcessID == parent && _wcsicmp(entry.szExeFile, exeName) == 0)
            found.push_back(entry.th32ProcessID);
    return found;
}

TEST_F(Settings, TaskPaneOpensBothTabsAndPreviewStartsTheScreenSaver) {
    PlaceSaver(SaverPlace::BesideProgram);
    e2e::RunningProgram program(app.WidePath());
    HWND window = Start(program);
    ASSERT_TRUE(e2e::ChooseFromIconMenu(program, window, 1));
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }, 10s));
    HWND paneWindow = e2e::ChildOfClass(window, L"QuillwaveTaskPane");
    ASSERT_NE(paneWindow, nullptr);

    const e2e::TaskPaneClicks pane(paneWindow);
    const auto click = [&](const char* item) { pane.Click(item); };

    for (const auto& [item, tab] : {std::pair{"InboxSettingsBarItem", 0}, std::pair{"ScreenSaverSettingsBarItem", 1}}) {
        click(item);
        HWND dialog = SettingsDialog(program);
        ASSERT_NE(dialog, nullptr) << item;
        EXPECT_EQ(ShownTab(dialog), tab) << item;
        EXPECT_TRUE(PressAndWaitUntilGone(dialog, IDCANCEL)) << item;
    }

    // The screen saver starts as a process of its own; it is watched for
    // from before the click, since it may end quickly.
    std::atomic<DWORD> started{0};
    std::atomic<bool> watching{true};
    std::thread watcher([&] {
        while (watching && !started) {
            const auto found = ChildProcesses(program.Id(), L"quillwavess.scr");
            if (!found.empty()) started = found.front();
        }
    });
    click("PreviewScreenSaverBarItem");
    const bool seen = WaitFor([&] { return started != 0; }, 15s);
    watching = false;
    watcher.join();
    ASSERT_TRUE(seen) << "no quillwavess.scr was started";
    const qw::win32::KernelHandle saver(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, started));
    if (saver && WaitForSingleObject(saver.Get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(saver.Get(), 0);
        WaitForSingleObject(saver.Get(), 5000);
    }
}

}  // namespace
