// The main window as a screen reader and a keyboard user meet it: the task
// pane's and the strip's accessible objects, read in this process (under
// Wine they cannot be read from another), and real key messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "MessagePump.h"
#include "OwnWindows.h"
#include "PictureFiles.h"
#include "ScreenReader.h"
#include "TempFolder.h"
#include "WindowCapture.h"
#include "fakes/FakeCommandPorts.h"
#include "fakes/FakeScreenSaverPlatform.h"
#include "fakes/FakeSystemFolders.h"
#include "main/MainPresenter.h"
#include "win32/Win32FileSystem.h"
#include "win32/WicPictures.h"
#include "win32/main/Activation.h"
#include "win32/main/MainWindow.h"
#include "win32/main/ThumbnailControl.h"

namespace qw::test {
namespace {

class MapRegistry : public Registry {
public:
    std::map<std::string, std::string> values;
    std::string ReadText(const std::string& name) override { return values.count(name) ? values[name] : ""; }
    void WriteText(const std::string& name, const std::string& text) override { values[name] = text; }
    void DeleteValue(const std::string& name) override { values.erase(name); }
};
class OpeningShell : public Shell {
public:
    std::vector<std::string> opened;
    void Open(const std::string& path) override { opened.push_back(path); }
    bool IsDangerousType(const std::string&) override { return false; }
};
class NoSettings : public SettingsEditor {
public:
    void EditSettings(SettingsTab, bool, const std::string&, SettingsRecord&) override {}
};
class NoSlideShows : public ScreenSaverProcesses {
public:
    bool IsScreenSaverProcess(std::uint32_t) override { return false; }
};

// The focus and selection events of this process: event, window, part.
std::vector<std::tuple<DWORD, HWND, LONG>> heard;
void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG part, DWORD, DWORD) {
    if (object == OBJID_CLIENT) heard.emplace_back(event, window, part);
}
struct Listening {
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr, Hear,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    Listening() { heard.clear(); }
    ~Listening() { UnhookWinEvent(hook); }
    static bool Heard(DWORD event, HWND window, LONG part) {
        return std::find(heard.begin(), heard.end(), std::make_tuple(event, window, part)) != heard.end();
    }
};

// One part of an accessible object as a screen reader reads it.
struct PartSeen {
    std::wstring name;
    long role = 0;
    long state = 0;
};

class MainWindowKeyboard : public testing::Test {
protected:
    void SetUp() override {
        com_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        CreateDirectoryW((app / L"inbox").c_str(), nullptr);
        WriteText(app / std::string("inbox\\notes.txt"), "notes");
        WriteText(app / std::string("inbox\\invoice\xE2\x80\xAEtxt.exe"), "code");  // a right-to-left override
        frame_ = std::make_unique<win32::MainWindow>(GetModuleHandleW(nullptr));
        strip_ = std::make_unique<ThumbnailStrip>(frame_->StripControl(), files_, pictures_);
        screenSaver_ = std::make_unique<ScreenSaverRegistration>(
            ScreenSaverPorts{registry_, files_, platform_, platform_, messages_}, app.Path());
        presenter_ = std::make_unique<MainPresenter>(
            *frame_, *strip_,
            MainPorts{files_, registry_, ansi_, activation_, pictures_, shell_, questions_, settings_, *screenSaver_,
                      slideShows_, systemFolders_,
                      {messages_, folderPicker_, fileDialogs_, printer_, clipboard_, wallpaper_, mailer_, marks_}},
            app.Path());
        frame_->Attach(presenter_.get(), strip_.get());
        presenter_->Load();
        presenter_->RunCommand(Command::ShowWindow);
        Pump();
        pane_ = FindWindowExW(frame_->Handle(), nullptr, L"QuillwaveTaskPane", nullptr);
    }
    void TearDown() override {
        presenter_.reset();
        frame_.reset();
        Pump();  // takes the quit message the window posted as it went
        if (com_) CoUninitialize();
    }

    // Every child, or the object itself (CHILDID_SELF) as its only part.
    static std::vector<PartSeen> Parts(HWND control, bool self = false) {
        const auto object = ReaderOf(control);
        EXPECT_TRUE(object);
        std::vector<PartSeen> parts;
        long count = 0;
        if (object) object->get_accChildCount(&count);
        for (long i = self ? CHILDID_SELF : 1; object && i <= (self ? CHILDID_SELF : count); ++i) {
            PartSeen seen;
            BSTR name = nullptr;
            if (object->get_accName(Part(i), &name) == S_OK && name) seen.name = name;
            SysFreeString(name);
            VARIANT v{};
            if (object->get_accRole(Part(i), &v) == S_OK) seen.role = v.lVal;
            if (object->get_accState(Part(i), &v) == S_OK) seen.state = v.lVal;
            parts.push_back(seen);
        }
        return parts;
    }
    static void DefaultAction(HWND control, long part) {
        const auto object = ReaderOf(control);
        ASSERT_TRUE(object);
        EXPECT_EQ(object->accDoDefaultAction(Part(part)), S_OK);
        Pump();
    }
    HWND Strip() const { return frame_->StripControl().Handle(); }
    // The window as the screen shows it, for people to look at.
    Capture Shown() const {
        RECT r;
        GetWindowRect(frame_->Handle(), &r);
        UpdateWindow(frame_->Handle());
        PumpUntil([] { return false; }, std::chrono::milliseconds(300));
        return CaptureScreen(r);
    }

    TempFolder app{L"qw keys "};
    bool com_ = false;
    win32::Win32FileSystem files_;
    win32::WicPictureLoader pictures_;
    MapRegistry registry_;
    Windows1252 ansi_;
    win32::Activation activation_;
    OpeningShell shell_;
    RecordingQuestions questions_;
    NoSettings settings_;
    FakeScreenSaverPlatform platform_;
    NoSlideShows slideShows_;
    FakeSystemFolders systemFolders_;
    RecordingMessageBoxes messages_;
    FakeFolderPicker folderPicker_;
    FakeFileDialogs fileDialogs_;
    FakePrinter printer_;
    FakeClipboard clipboard_;
    FakeWallpaper wallpaper_;
    FakeMailer mailer_;
    RecordingMarks marks_;
    std::unique_ptr<win32::MainWindow> frame_;
    std::unique_ptr<ThumbnailStrip> strip_;
    std::unique_ptr<ScreenSaverRegistration> screenSaver_;
    std::unique_ptr<MainPresenter> presenter_;
    HWND pane_ = nullptr;
};

TEST_F(MainWindowKeyboard, AScreenReaderReadsThePaneAndTheStripAndRunsTheirParts) {
    const std::vector<PartSeen> pane = Parts(pane_);
    ASSERT_EQ(pane.size(), 17u);  // three titles and fourteen items
    struct Row {
        size_t part;
        const wchar_t* name;
        long role;
        bool unavailable;
    };
    const Row rows[] = {{1, L"Inbox", ROLE_SYSTEM_STATICTEXT, false},
                        {2, L"View Files", ROLE_SYSTEM_PUSHBUTTON, true},  // the folder on show
                        {5, L"View Files", ROLE_SYSTEM_PUSHBUTTON, false},
                        {9, L"File", ROLE_SYSTEM_STATICTEXT, false},
                        {10, L"Print", ROLE_SYSTEM_PUSHBUTTON, true}};  // no current file
    for (const Row& row : rows) {
        EXPECT_EQ(pane[row.part - 1].name, row.name) << row.part;
        EXPECT_EQ(pane[row.part - 1].role, row.role) << row.part;
        EXPECT_EQ((pane[row.part - 1].state & STATE_SYSTEM_UNAVAILABLE) != 0, row.unavailable) << row.part;
    }

    // The names show the direction mark, as the tool tips do; the first
    // file is made current, and so selected, with the mouse.
    strip_->OnSlotClick(1);
    std::vector<PartSeen> strip = Parts(Strip());
    ASSERT_EQ(strip.size(), 2u);
    std::vector<std::wstring> names{strip[0].name, strip[1].name};
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"invoice\uFFFDtxt.exe", L"notes.txt"}));
    for (const PartSeen& part : strip) EXPECT_EQ(part.role, ROLE_SYSTEM_LISTITEM);
    EXPECT_TRUE(strip[0].state & STATE_SYSTEM_SELECTED);
    EXPECT_FALSE(strip[1].state & STATE_SYSTEM_SELECTED);

    // The preview's description of a file that is no picture is a static
    // control, whose text the system's own object reads out.
    frame_->SetFileInfoText("Text Document\r\nnotes.txt");
    HWND label = FindWindowExW(frame_->Handle(), nullptr, L"Static", L"Text Document\r\nnotes.txt");
    EXPECT_EQ(Parts(label, true).at(0).name, L"Text Document\r\nnotes.txt");

    DefaultAction(Strip(), 2);
    EXPECT_EQ(shell_.opened.size() + questions_.asked.size(), 1u);  // opened, or asked about first
    DefaultAction(pane_, 5);
    EXPECT_FALSE(presenter_->State().InboxShown);
    EXPECT_EQ(Parts(Strip()).size(), 0u);
}

TEST_F(MainWindowKeyboard, TabDownAndEnterRunTheScreenSaversViewFiles) {
    EXPECT_EQ(GetFocus(), Strip());  // shown with files: the strip has the focus
    const Listening screenReader;
    PostKey(frame_->Handle(), VK_RIGHT);
    Pump();
    SaveShot(Shown(), L"keyboard-strip");
    PostKey(frame_->Handle(), VK_TAB);
    Pump();
    ASSERT_EQ(GetFocus(), pane_);
    SaveShot(Shown(), L"keyboard-pane");
    EXPECT_EQ(presenter_->Keyboard().PaneFocus(), "InboxSettingsBarItem");
    // A screen reader heard the first thumbnail selected and the item focused (the bar's title is part 1).
    EXPECT_TRUE(Listening::Heard(EVENT_OBJECT_SELECTION, Strip(), 1));
    EXPECT_TRUE(Listening::Heard(EVENT_OBJECT_FOCUS, pane_, 3));
    PostKey(frame_->Handle(), VK_DOWN);
    PostKey(frame_->Handle(), VK_RETURN);
    Pump();
    EXPECT_EQ(presenter_->Keyboard().PaneFocus(), "ScreenSaverViewFilesBarItem");
    EXPECT_FALSE(presenter_->State().InboxShown);
}

}  // namespace
}  // namespace qw::test
