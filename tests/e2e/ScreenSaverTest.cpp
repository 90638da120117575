// The real quillwavess.scr started as Windows starts it: the slide show over
// the screen and what it tells the main program, the switches that show
// nothing, a second start, the preview in another program's window, and a
// beamed photo reaching the running slide show through quillwave.exe.

#include <gtest/gtest.h>

#include <string>

#include "Harness.h"
#include "MessagePump.h"
#include "PictureFiles.h"
#include "WindowCapture.h"
#include "shared/ScreenSaverState.h"
#include "shared/Settings.h"
#include "win32/SettingsWindow.h"
#include "win32/Win32Ansi.h"
#include "win32/Win32Registry.h"
#include "win32/Win32ScreenSaverProcesses.h"

using namespace std::chrono_literals;
using e2e::WaitFor;

namespace {

const wchar_t* const QuillwaveKey = L"Software\\Quillwave";
const wchar_t* const SlideShowClass = L"QuillwaveSlideShow";
constexpr COLORREF kBackground = RGB(0, 0, 96);
constexpr COLORREF kPhoto = RGB(30, 200, 60);

RECT Screen() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }
POINT Middle(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class ScreenSaver : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::DeleteUserKey(QuillwaveKey);
        e2e::WriteUserValue(QuillwaveKey, L"ApplicationPath", app.WidePath());
        CreateDirectoryW((app / L"screensaver").c_str(), nullptr);
        // One cell without the clock: a picture fills the middle of the screen.
        qw::SettingsRecord settings;
        settings.ShowClock = false;
        settings.ResizeImages = true;
        settings.ShowImagesForSeconds = 60;
        settings.BackgroundColor = static_cast<std::int32_t>(kBackground);
        const qw::SettingsBytes bytes = qw::EncodeSettings(settings, qw::win32::Win32Ansi());
        qw::test::WriteBytes(app / L"settings.txt", std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }
    void TearDown() override { e2e::DeleteUserKey(QuillwaveKey); }

    static std::wstring Value(const wchar_t* name) {
        std::wstring value;
        return e2e::ReadUserValue(QuillwaveKey, name, value) ? value : L"(missing)";
    }
    // What the main program concludes from the two values.
    static bool CountsAsRunning() {
        qw::win32::Win32Registry registry;
        qw::win32::Win32ScreenSaverProcesses processes;
        return qw::IsScreenSaverRunning(registry, processes);
    }
    static bool Shows(POINT at, COLORREF colour) { return qw::test::ScreenPixel(at) == colour; }

    e2e::TempFolder app{L"qw saver \u00e9"};
};

TEST_F(ScreenSaver, RunsTopmostOverTheScreenTellsTheMainProgramAndAKeyEndsIt) {
    auto saver = e2e::RunningProgram::Saver(L"/s");
    HWND window = saver.WindowOfClass(SlideShowClass);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitFor([&] { return Shows(Middle(Screen()), kBackground); }, 10s));

    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    EXPECT_STREQ(title, L"Quillwave! Screen Saver");
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    RECT place{};
    GetWindowRect(window, &place);
    const RECT screen = Screen();
    EXPECT_TRUE(EqualRect(&place, &screen));
    EXPECT_EQ(Value(L"ScreenSaverRunning"), L"YES");
    EXPECT_EQ(Value(L"ScreenSaverProcess"), std::to_wstring(saver.Id()));
    EXPECT_TRUE(CountsAsRunning());

    PostMessageW(window, WM_KEYDOWN, 'A', 0);
    // The show is gone with the key: one started at once, while the first
    // process may still be ending, shows.
    auto next = e2e::RunningProgram::Saver(L"/s");
    HWND nextWindow = next.WindowOfClass(SlideShowClass, 15s);
    ASSERT_NE(nextWindow, nullptr);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(nextWindow) != FALSE; }, 10s));
    ASSERT_TRUE(saver.WaitForExit(15s));
    EXPECT_EQ(saver.ExitCode(), 0u);
    EXPECT_FALSE(next.WaitForExit(0ms));
    PostMessageW(nextWindow, WM_KEYDOWN, 'A', 0);
    ASSERT_TRUE(next.WaitForExit(15s));
    EXPECT_EQ(Value(L"ScreenSaverRunning"), L"NO");
    EXPECT_EQ(Value(L"ScreenSaverProcess"), L"(missing)");
}

TEST_F(ScreenSaver, KilledItLeavesYesThatNoLongerCountsAsRunning) {
    auto saver = e2e::RunningProgram::Saver(L"/s");
    ASSERT_NE(saver.WindowOfClass(SlideShowClass), nullptr);
    ASSERT_TRUE(WaitFor([&] { return Value(L"ScreenSaverRunning") == L"YES"; }, 10s));
    EXPECT_TRUE(CountsAsRunning());

    saver.Kill();
    EXPECT_EQ(Value(L"ScreenSaverRunning"), L"YES");
    EXPECT_EQ(Value(L"ScreenSaverProcess"), std::to_wstring(saver.Id()));
    EXPECT_FALSE(CountsAsRunning());
}

TEST_F(ScreenSaver, SwitchesThatShowNothingEndAtOnceWithoutAWindow) {
    ASSERT_FALSE(IsWindow(reinterpret_cast<HWND>(1234)));
    for (const wchar_t* arguments : {L"/p 1234", L"/P:1234", L"/p", L"/x", L"-s"}) {
        auto saver = e2e::RunningProgram::Saver(arguments);
        bool sawWindow = false;
        const bool ended = WaitFor(
            [&] {
                sawWindow = sawWindow || saver.WindowOfClass(SlideShowClass, 0ms) != nullptr;
                return saver.WaitForExit(0ms);
            },
            10s);
        EXPECT_TRUE(ended) << arguments;
        EXPECT_FALSE(sawWindow) << arguments;
        EXPECT_EQ(saver.ExitCode(), 0u) << arguments;
        EXPECT_EQ(Value(L"ScreenSaverRunning"), L"(missing)") << arguments;
    }
}

TEST_F(ScreenSaver, ASecondStartEndsAtOnceAndLeavesTheFirstRunning) {
    auto first = e2e::RunningProgram::Saver(L"/s");
    HWND window = first.WindowOfClass(SlideShowClass);
    ASSERT_NE(window, nullptr);

    auto second = e2e::RunningProgram::Saver(L"/s");
    EXPECT_TRUE(second.WaitForExit(10s));
    EXPECT_FALSE(first.WaitForExit(0ms));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(Value(L"ScreenSaverRunning"), L"YES");
    EXPECT_EQ(Value(L"ScreenSaverProcess"), std::to_wstring(first.Id()));

    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_TRUE(first.WaitForExit(15s));
}

TEST_F(ScreenSaver, PreviewFillsTheGivenWindowAndEndsWithIt) {
    qw::test::WriteBytes(app / L"screensaver\\photo.bmp", qw::test::SolidBmp(160, 120, kPhoto));
    auto host = std::make_unique<qw::test::HostWindow>(320, 240);
    const auto handle = reinterpret_cast<std::uintptr_t>(host->Handle());
    auto saver = e2e::RunningProgram::Saver(L"/p " + std::to_wstring(handle));

    // The host belongs to this thread, which must answer while the child is made.
    HWND child = nullptr;
    ASSERT_TRUE(qw::test::PumpUntil([&] { return (child = e2e::ChildOfClass(host->Handle(), SlideShowClass)); }, 15s));
    const RECT place = e2e::PlaceInParent(child), filled{0, 0, 320, 240};
    EXPECT_TRUE(EqualRect(&place, &filled));
    // Wine shows nothing that a window of another process paints into this
    // one, so the pixels are checked where the window runs in the test's own
    // process (SlideShowWindowTest); here it must at least have painted.
    EXPECT_TRUE(qw::test::PumpUntil([&] { return !GetUpdateRect(child, nullptr, FALSE); }, 10s));
    EXPECT_EQ(Value(L"ScreenSaverRunning"), L"(missing)");

    // Input on the preview ends nothing.
    PostMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_FALSE(qw::test::PumpUntil([&] { return saver.WaitForExit(0ms); }, 500ms));

    host.reset();
    EXPECT_TRUE(saver.WaitForExit(10s));
}

TEST_F(ScreenSaver, AnImageCopiedIntoItsFolderWhileItRunsIsDrawnWithinASecond) {
    auto saver = e2e::RunningProgram::Saver(L"/s");
    ASSERT_NE(saver.WindowOfClass(SlideShowClass), nullptr);
    ASSERT_TRUE(WaitFor([&] { return Shows(Middle(Screen()), kBackground); }, 10s));

    // Written beside the folder and moved in whole, as a finished copy arrives.
    qw::test::WriteBytes(app / L"photo.bmp", qw::test::SolidBmp(160, 120, kPhoto));
    const auto copied = std::chrono::steady_clock::now();
    ASSERT_TRUE(MoveFileW((app / L"photo.bmp").c_str(), (app / L"screensaver\\photo.bmp").c_str()));
    EXPECT_TRUE(WaitFor([&] { return Shows(Middle(Screen()), kPhoto); }, 1000ms));
    EXPECT_LT(std::chrono::steady_clock::now() - copied, 1000ms);
}

// Configuration mode opens the settings dialog shared with the main program
// on its Screen Saver tab; OK saves the settings and Windows' choice follows
// them. Before the main program ever ran there is nowhere to save: the user
// is told, and no file is made.
TEST_F(ScreenSaver, ConfigurationOpensTheSettingsOnTheScreenSaverTab) {
    const struct {
        bool MainProgramRan;
        const wchar_t* Arguments;
    } cases[] = {{true, L"/c:1234"}, {false, L"/C"}};
    const auto settingsFile = [&] { return app / L"settings.txt"; };
    const std::string before = qw::test::ReadText(settingsFile());
    const std::optional<std::wstring> windowsChoice = e2e::RegisteredSaver();  // OK changes it
    struct Restore {
        std::optional<std::wstring> choice;
        ~Restore() { e2e::SetRegisteredSaver(choice); }
    } restore{windowsChoice};
    std::string saved;
    for (const auto& c : cases) {
        if (!c.MainProgramRan) e2e::DeleteUserKey(QuillwaveKey);
        auto saver = e2e::RunningProgram::Saver(c.Arguments);
        HWND dialog = saver.WindowOfClass(qw::win32::SettingsWindowClass, 10s);
        ASSERT_NE(dialog, nullptr) << c.Arguments;
        // It is made first, then put on its tab and filled, then shown.
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }, 10s)) << c.Arguments;
        EXPECT_EQ(SendMessageW(GetDlgItem(dialog, qw::win32::IdSettingsTabs), TCM_GETCURSEL, 0, 0), 1);
        const auto control = [&](qw::SettingsControl id) { return GetDlgItem(dialog, qw::win32::SettingsControlId(id)); };
        SendMessageW(control(qw::SettingsControl::ShowClockBox), BM_CLICK, 0, 0);
        PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        if (c.MainProgramRan) {
            EXPECT_TRUE(saver.WaitForExit(10s));
            qw::SettingsRecord expected = qw::DecodeSettings(
                [&] {
                    qw::SettingsBytes bytes{};
                    std::copy_n(before.begin(), bytes.size(), bytes.begin());
                    return bytes;
                }(),
                qw::win32::Win32Ansi());
            expected.ShowClock = !expected.ShowClock;
            const qw::SettingsBytes bytes = qw::EncodeSettings(expected, qw::win32::Win32Ansi());
            saved = qw::test::ReadText(settingsFile());
            EXPECT_EQ(saved, std::string(bytes.begin(), bytes.end()));
        } else {
            HWND box = nullptr;
            ASSERT_TRUE(WaitFor(
                [&] {
                    for (HWND w : e2e::WindowsOf(saver.Id(), L"#32770"))
                        if (IsWindowVisible(w)) box = w;
                    return box != nullptr;
                },
                10s));
            wchar_t title[64] = {}, text[256] = {};
            GetWindowTextW(box, title, 64);
            GetWindowTextW(GetDlgItem(box, 0xFFFF), text, 256);
            EXPECT_STREQ(title, L"Screen Saver");
            EXPECT_STREQ(text, L"The settings cannot be saved until Quillwave! has been started once.");
            PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
            EXPECT_TRUE(saver.WaitForExit(10s));
            EXPECT_EQ(qw::test::ReadText(settingsFile()), saved) << "nothing saved";
        }
    }
}

// The setup program's "QuillwaveExit" ends the screen saver in every mode:
// the slide show as on input, the preview, and the settings dialog unsaved.
TEST_F(ScreenSaver, EndsInEveryModeWhenTheSetupProgramAsks) {
    const std::optional<std::wstring> windowsChoice = e2e::RegisteredSaver();  // configuration applies it
    qw::test::HostWindow host(320, 240);
    const std::wstring preview = L"/p " + std::to_wstring(reinterpret_cast<std::uintptr_t>(host.Handle()));
    const struct {
        std::wstring arguments;
        const wchar_t* window;  // of the saver's process, to wait for
        const wchar_t* running;  // nothing: left as it was
    } cases[] = {
        {L"/s", SlideShowClass, L"NO"},
        {preview, nullptr, nullptr},
        {L"/c", qw::win32::SettingsWindowClass, nullptr},
    };
    const std::string settings = qw::test::ReadText(app / L"settings.txt");
    for (const auto& c : cases) {
        const std::wstring running = Value(L"ScreenSaverRunning");
        auto saver = e2e::RunningProgram::Saver(c.arguments);
        if (c.window)
            ASSERT_NE(saver.WindowOfClass(c.window, 15s), nullptr) << c.arguments;
        else
            ASSERT_TRUE(qw::test::PumpUntil([&] { return e2e::ChildOfClass(host.Handle(), SlideShowClass); }, 15s));
        PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"QuillwaveExit"), 0, 0);
        EXPECT_TRUE(qw::test::PumpUntil([&] { return saver.WaitForExit(0ms); }, 15s)) << c.arguments;
        EXPECT_EQ(Value(L"ScreenSaverRunning"), c.running ? c.running : running) << c.arguments;
    }
    EXPECT_EQ(qw::test::ReadText(app / L"settings.txt"), settings) << "the dialog closed unsaved";
    e2e::SetRegisteredSaver(windowsChoice);
}

TEST(ScreenSaverFile, CarriesTheDescriptionWindowsListsItBy) {
    const std::wstring file = e2e::BinFolder() + L"\\quillwavess.scr";
    const HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    wchar_t text[128] = {};
    LoadStringW(module, 1, text, 128);
    FreeLibrary(module);
    EXPECT_STREQ(text, L"Quillwave! Screen Saver");
}

// Needs the main program's automatic actions, which copy every received
// image into the screen-saver folder while a slide show runs.
TEST_F(ScreenSaver, ABeamedPhotoAppearsOnTheRunningSlideShowAndTheMainWindowStaysHidden) {
    e2e::TempFolder stack{L"qw stack"};
    const std::wstring stackInbox = stack / L"in";
    CreateDirectoryW(stackInbox.c_str(), nullptr);
    e2e::SetStackFolders(stackInbox, stackInbox);
    e2e::RunningProgram program(app.WidePath());
    HWND mainWindow = program.MainWindow();
    ASSERT_NE(mainWindow, nullptr);
    ASSERT_TRUE(WaitFor([&] { return e2e::IsFolder(app / L"desktop"); }, 10s));

    auto saver = e2e::RunningProgram::Saver(L"/s");
    ASSERT_NE(saver.WindowOfClass(SlideShowClass), nullptr);
    ASSERT_TRUE(WaitFor([&] { return Shows(Middle(Screen()), kBackground); }, 10s));

    qw::test::WriteBytes(stack / L"photo.bmp", qw::test::SolidBmp(160, 120, kPhoto));
    ASSERT_EQ(e2e::Beam(stackInbox, {stack / L"photo.bmp"}), 0u);
    ASSERT_TRUE(WaitFor([&] { return e2e::Exists(app / L"inbox\\photo.bmp"); }, 15s));
    EXPECT_TRUE(WaitFor([&] { return Shows(Middle(Screen()), kPhoto); }, 3s));
    EXPECT_FALSE(IsWindowVisible(mainWindow));
    e2e::RemoveStackFolders();
}

}  // namespace
