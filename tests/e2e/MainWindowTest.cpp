// The real main window, shown through the icon menu with a few files in the
// inbox: its controls' places, the strip and the thumbnail menu.

#include <gtest/gtest.h>

#include "Harness.h"
#include "PictureFiles.h"
#include "WindowCapture.h"
#include "main/MainLayout.h"
#include "main/ThumbnailStrip.h"
#include "win32/kit/Display.h"

using namespace std::chrono_literals;
using e2e::WaitFor;

namespace {

COLORREF ScreenColor(HWND window, int x, int y) {
    POINT at{x, y};
    ClientToScreen(window, &at);
    return GetPixel(qw::win32::ClientDC().Get(), at.x, at.y);
}

class MainWindowShown : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::DeleteUserKey(L"Software\\Quillwave");
        CreateDirectoryW(stackInbox.c_str(), nullptr);
        e2e::SetStackFolders(stackInbox, stackInbox);
        CreateDirectoryW((app / L"inbox").c_str(), nullptr);
        qw::test::WriteBytes(app / L"inbox\\wide.bmp", qw::test::SolidBmp(640, 480, 0x3050E0));
        qw::test::WriteBytes(app / L"inbox\\tall.bmp", qw::test::SolidBmp(480, 640, 0x30A050));
        qw::test::WriteBytes(app / L"inbox\\small.bmp", qw::test::SolidBmp(100, 50, 0xA03030));
        e2e::WriteFile(app / L"inbox\\notes.txt", "beamed notes");
    }
    void TearDown() override {
        e2e::RemoveStackFolders();
        e2e::DeleteUserKey(L"Software\\Quillwave");
    }

    // Chooses the icon menu's first entry, "Show Quillwave!...".
    void ShowThroughIconMenu(e2e::RunningProgram& program, HWND window) {
        ASSERT_TRUE(e2e::ChooseFromIconMenu(program, window, 1));
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }, 10s));
    }

    static void Click(HWND control, int x, int y, UINT down, UINT up) {
        const LPARAM at = MAKELPARAM(x, y);
        PostMessageW(control, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, at);
        PostMessageW(control, up, 0, at);
    }

    // Right-clicks slot 1 and reads the entries of the menu that opens.
    std::vector<bool> MenuAfterRightClick(e2e::RunningProgram& program, HWND strip,
                                          std::function<bool()> readyForScreenshot = nullptr,
                                          const wchar_t* shot = L"quillwave-main-window.bmp") {
        Click(strip, scale(70), scale(55), WM_RBUTTONDOWN, WM_RBUTTONUP);
        std::vector<HWND> menus;
        if (!WaitFor([&] { return !(menus = e2e::MenuWindows(program.Id())).empty(); }, 10s)) return {};
        // Let the menu finish drawing before its pixels are read.
        std::vector<bool> entries;
        WaitFor([&] { return (entries = e2e::MenuEntriesEnabled(menus.front())).size() == 8; }, 5s);
        if (readyForScreenshot) {
            WaitFor(readyForScreenshot, 5s);  // the picture for people to look at, not a check
            qw::test::SaveShot(qw::test::CaptureScreen(), shot);
        }
        PostMessageW(menus.front(), WM_KEYDOWN, VK_ESCAPE, 0);
        WaitFor([&] { return e2e::MenuWindows(program.Id()).empty(); }, 5s);
        return entries;
    }

    // The window's places are 96-dpi pixels scaled to the screen's resolution.
    const qw::Scale scale{qw::win32::ScreenResolution().DpiX};
    e2e::TempFolder app{L"qw main \u00e9"};
    e2e::TempFolder stack{L"qw stack"};
    std::wstring stackInbox = stack.WidePath() + L"\\in";
};

void ExpectPlace(HWND control, RECT expected, const char* what) {
    ASSERT_NE(control, nullptr) << what;
    const RECT r = e2e::PlaceInParent(control);
    EXPECT_EQ(r.left, expected.left) << what;
    EXPECT_EQ(r.top, expected.top) << what;
    EXPECT_EQ(r.right - r.left, expected.right) << what << " width";
    EXPECT_EQ(r.bottom - r.top, expected.bottom) << what << " height";
}

TEST_F(MainWindowShown, LaysOutItsControlsAndFollowsTheCurrentFile) {
    e2e::RunningProgram program(app.WidePath());
    HWND window = program.MainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitFor([&] { return e2e::IsFolder(app / L"desktop"); }, 10s));
    ShowThroughIconMenu(program, window);

    RECT client;
    GetClientRect(window, &client);
    const qw::MainPlaces places = qw::PlacesAt(scale);
    EXPECT_EQ(client.right, places.DesignedClient.Width);
    EXPECT_EQ(client.bottom, places.DesignedClient.Height);
    const int stripWidth = client.right - places.PaneWidth;
    HWND pane = e2e::ChildOfClass(window, L"QuillwaveTaskPane");
    HWND strip = e2e::ChildOfClass(window, L"QuillwaveThumbnailStrip");
    HWND preview = e2e::ChildOfClass(window, L"QuillwavePreview");
    ExpectPlace(pane, {0, 0, places.PaneWidth, client.bottom}, "task pane");
    ExpectPlace(strip, {places.PaneWidth, 0, stripWidth, places.StripHeight}, "thumbnail strip");
    HWND scrollBar = e2e::ChildOfClass(strip, L"ScrollBar");
    ExpectPlace(scrollBar, {0, qw::ScrollBarTopAt(scale), stripWidth, qw::ScrollBarHeightAt(scale)}, "scroll bar");
    // Four files in three slots: there is something to scroll to.
    EXPECT_TRUE(IsWindowEnabled(scrollBar));
    EXPECT_FALSE(IsWindowVisible(preview));

    // A beamed document arrives in slot 1 and becomes current; its menu
    // offers Move, Save As, Delete and Email only.
    e2e::WriteFile(stack / L"list.txt", "milk");
    ASSERT_EQ(e2e::Beam(stackInbox, {stack / L"list.txt"}), 0u);
    ASSERT_TRUE(WaitFor([&] { return e2e::Exists(app / L"inbox\\list.txt"); }, 15s));
    EXPECT_EQ(MenuAfterRightClick(program, strip, [] { return true; }, L"quillwave-main-window-text.bmp"),
              (std::vector<bool>{false, true, true, true, false, false, true, false}));
    EXPECT_FALSE(IsWindowVisible(preview));

    // A beamed picture: everything is on, and the preview shows it fitted.
    qw::test::WriteBytes(stack / L"photo.bmp", qw::test::SolidBmp(640, 480, 0x2080F0));
    ASSERT_EQ(e2e::Beam(stackInbox, {stack / L"photo.bmp"}), 0u);
    // Shown first at 0 x 0, then given its size.
    ASSERT_TRUE(WaitFor(
        [&] { return IsWindowVisible(preview) && e2e::PlaceInParent(preview).right > places.PreviewLeft; }, 15s));
    // 640 x 480 at 96 dpi, reduced to the lower rectangle: 432 x 324 at 100 %.
    const qw::PixelSize box = qw::PreviewBox(client.right, client.bottom, scale);
    const qw::PixelSize shown = qw::GetSize(scale(640), scale(480), box.Width, box.Height, qw::FitMode::ShrinkOnly);
    ExpectPlace(preview, {places.PreviewLeft, places.PreviewTop, shown.Width, shown.Height}, "preview");
    // And the picture really is on the screen, in the preview and in slot 1.
    const int x = places.PreviewLeft + shown.Width / 2, y = places.PreviewTop + shown.Height / 2;
    EXPECT_TRUE(WaitFor([&] { return ScreenColor(window, x, y) == RGB(0xF0, 0x80, 0x20); }, 10s));
    EXPECT_TRUE(WaitFor(
        [&] { return ScreenColor(window, places.PaneWidth + scale(70), scale(55)) == RGB(0xF0, 0x80, 0x20); }, 10s));
    EXPECT_EQ(MenuAfterRightClick(program, strip, [&] { return ScreenColor(window, x, y) == RGB(0xF0, 0x80, 0x20); }),
              std::vector<bool>(8, true));
}

}  // namespace
