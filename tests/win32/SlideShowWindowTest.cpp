// The slide-show window driven by the real presenter over real files: what
// the screen shows where the presenter put the cells and the clock, files
// that arrive while it runs, a grid of 50 x 50, input, the preview in another
// window and the covers of other monitors.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <memory>
#include <set>
#include <string>

#include "MessagePump.h"
#include "PictureFiles.h"
#include "RecordingSlideShowView.h"
#include "WindowCapture.h"
#include "saver/SlideShow.h"
#include "win32/WicPictures.h"
#include "win32/Win32System.h"
#include "win32/Win32FileSystem.h"
#include "win32/saver/MonitorCover.h"
#include "win32/saver/SlideShowWindow.h"

namespace {

using namespace std::chrono_literals;
using qw::test::Capture;
using qw::test::Pump;
using qw::test::PumpUntil;
using qw::test::ScreenPixel;

constexpr COLORREF kBackground = RGB(0, 0, 96);
constexpr COLORREF kClock = RGB(255, 255, 0);
// Picture colours, none of them the background's or the clock's.
constexpr COLORREF kColours[] = {RGB(200, 30, 30),  RGB(30, 200, 30), RGB(30, 30, 200),
                                 RGB(220, 120, 0),  RGB(0, 180, 180), RGB(180, 0, 180),
                                 RGB(240, 240, 240)};

RECT ToRect(const qw::ScreenRect& r) { return {r.Left, r.Top, r.Left + r.Width, r.Top + r.Height}; }

int Area(const RECT& r, const Capture& within) {
    const int width = std::min<int>(r.right, within.width) - std::max<int>(r.left, 0);
    const int height = std::min<int>(r.bottom, within.height) - std::max<int>(r.top, 0);
    return width > 0 && height > 0 ? width * height : 0;
}

RECT Grown(RECT r, int by) { return {r.left - by, r.top - by, r.right + by, r.bottom + by}; }

POINT CentreOf(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

RECT Screen() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

class SlideShowWindowTest : public testing::Test {
protected:
    void TearDown() override {
        show.reset();
        window.Close();
    }

    // A solid picture put into the folder whole at once, as a finished copy arrives.
    void Write(const std::string& name, COLORREF colour, int width = 160, int height = 120) {
        qw::test::WriteBytes(outside / name, qw::test::SolidBmp(width, height, colour));
        ASSERT_TRUE(MoveFileW(qw::win32::Widen(outside / name).c_str(), qw::win32::Widen(folder / name).c_str()));
    }

    qw::SlideShowSettings Settings(int columns, int rows, bool clockShown) const {
        // Slides only when the test asks: the interval is far longer than any test.
        return {columns, rows, 60000, qw::FitMode::Fit, clockShown, kBackground, kClock};
    }

    void StartFullScreen(int columns, int rows, bool clockShown = true) {
        show = std::make_unique<qw::SlideShow>(view, qw::SlideShowPorts{files, pictures, clock},
                                               Settings(columns, rows, clockShown), folder.Path(),
                                               [this] { ++ends; });
        window.OpenFullScreen(L"Quillwave! Screen Saver", kBackground, Screen());
        show->Opened();
        show->SetUp();
        Pump();
    }

    qw::win32::WicPictureLoader pictures;  // first: it initialises COM, which the encoders need too
    qw::win32::Win32FileSystem files;
    qw::win32::Win32Clock clock;
    qw::test::TempFolder folder{L"qw slides "};
    qw::test::TempFolder outside{L"qw phone "};
    qw::win32::SlideShowWindow window{GetModuleHandleW(nullptr), [this] { return show.get(); },
                                      [this] { ++closed; }};
    qw::test::RecordingSlideShowView view{window};
    std::unique_ptr<qw::SlideShow> show;
    int ends = 0;
    int closed = 0;
};

TEST_F(SlideShowWindowTest, CellsAndTheClockAreDrawnWhereThePresenterPutThem) {
    for (int i = 0; i < 6; ++i) Write("slide" + std::to_string(i) + ".bmp", kColours[i]);
    StartFullScreen(3, 2);
    for (int slide = 2; slide <= 6; ++slide) show->ShowNextImage();
    Pump();
    const Capture shot = qw::test::CaptureScreen();
    qw::test::SaveShot(shot, L"quillwave-slideshow.bmp");

    ASSERT_EQ(view.cells.size(), 6u);
    std::set<COLORREF> shown;
    for (const auto& [cell, place] : view.cells) {
        const RECT r = ToRect(place);
        const COLORREF colour = shot.At(r.left, r.top);
        // The whole rectangle is the picture, and the picture stops at its edge.
        EXPECT_EQ(shot.Count(r, colour), Area(r, shot)) << "cell " << cell;
        EXPECT_EQ(shot.Count(Grown(r, 1), kBackground), Area(Grown(r, 1), shot) - Area(r, shot)) << "cell " << cell;
        EXPECT_LE(r.bottom, view.clock.Top) << "the grid ends above the clock";
        shown.insert(colour);
    }
    EXPECT_EQ(shown, std::set<COLORREF>(std::begin(kColours), std::begin(kColours) + 6)) << "every file once";

    // The clock: its text inside its label, the label in the lower right
    // corner, and nothing else below the grid.
    const RECT label = ToRect(view.clock);
    const RECT screen = Screen();
    EXPECT_FALSE(view.clockText.empty());
    EXPECT_GT(shot.Count(label, kClock), 0);
    const RECT belowGrid{0, view.clock.Top, screen.right, screen.bottom};
    EXPECT_EQ(shot.Count(belowGrid, kBackground), Area(belowGrid, shot) - Area(label, shot) + shot.Count(label, kBackground));
    EXPECT_NEAR(label.right, screen.right, 1);
    EXPECT_NEAR(label.bottom, screen.bottom, 1);
}

TEST_F(SlideShowWindowTest, AnImageCopiedIntoTheFolderAppearsWithinASecondInTheNextCell) {
    Write("a.bmp", kColours[0]);
    Write("b.bmp", kColours[1]);
    StartFullScreen(3, 2);
    show->ShowNextImage();
    ASSERT_EQ(view.lastCell, 2);

    const auto copied = std::chrono::steady_clock::now();
    Write("arrived.bmp", kColours[6]);
    ASSERT_TRUE(PumpUntil(
        [&] { return view.lastCell == 3 && ScreenPixel(CentreOf(ToRect(view.cells.at(3)))) == kColours[6]; },
        1000ms));
    EXPECT_LT(std::chrono::steady_clock::now() - copied, 1000ms);
    // Cell 2 still shows what it showed.
    EXPECT_EQ(ScreenPixel(CentreOf(ToRect(view.cells.at(2)))), kColours[1]);
}

TEST_F(SlideShowWindowTest, FiftyByFiftyCellsAreDrawnInOneWindowAndASlideRepaintsOnlyItsCell) {
    Write("a.bmp", kColours[0]);
    Write("b.txt", kColours[1]);  // no picture by its name: its turns leave the background
    Write("c.bmp", kColours[2]);
    StartFullScreen(50, 50, false);
    EXPECT_EQ(FindWindowExW(window.Handle(), nullptr, nullptr, nullptr), nullptr) << "no window per cell";

    for (int slide = 2; slide <= 60; ++slide) {
        const int before = view.lastCell;
        show->ShowNextImage();
        RECT update{};
        const bool dirty = GetUpdateRect(window.Handle(), &update, FALSE);
        if (view.lastCell != before) {
            EXPECT_TRUE(dirty) << slide;
            const RECT cell = ToRect(view.cells.at(view.lastCell));
            EXPECT_TRUE(EqualRect(&update, &cell)) << "slide " << slide;
        } else {
            EXPECT_FALSE(dirty) << "an empty cell that stays empty is not repainted";
        }
        UpdateWindow(window.Handle());
    }
    // What a window paints reaches the screen once its thread's queue runs
    // idle; until then the screen still shows what was there before, such
    // as the slide show of an earlier test.
    Pump();
    const Capture shot = qw::test::CaptureScreen();
    ASSERT_EQ(view.cells.size(), 40u);  // two of every three slides
    for (const auto& [cell, place] : view.cells) {
        const POINT centre = CentreOf(ToRect(place));
        const COLORREF colour = shot.At(centre.x, centre.y);
        EXPECT_TRUE(colour == kColours[0] || colour == kColours[2]) << "cell " << cell;
    }
}

TEST_F(SlideShowWindowTest, InputOnTheSlideShowAndOnACoverEndsTheShowButNotASingleMove) {
    StartFullScreen(2, 2);
    const RECT coverArea{100, 100, 300, 200};
    qw::win32::MonitorCover cover(GetModuleHandleW(nullptr), coverArea, kBackground, [this] { return show.get(); });
    EXPECT_EQ(GetForegroundWindow(), window.Handle()) << "the cover never takes the focus";
    EXPECT_EQ(SendMessageW(cover.Handle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(cover.Handle()),
                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    EXPECT_TRUE(GetWindowLongW(cover.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    const Capture painted = qw::test::CaptureClient(cover.Handle());
    EXPECT_EQ(painted.Count({0, 0, 200, 100}, kBackground), 200 * 100);

    const struct {
        const char* what;
        HWND window;
        UINT message;
        WPARAM wParam;
        int ends;
    } cases[] = {
        {"key", window.Handle(), WM_KEYDOWN, 'A', 1},
        {"character", window.Handle(), WM_CHAR, 'a', 1},
        {"Alt", window.Handle(), WM_SYSKEYDOWN, VK_MENU, 1},
        {"left button", window.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 1},
        {"right button", window.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, 1},
        {"middle button", window.Handle(), WM_MBUTTONDOWN, MK_MBUTTON, 1},
        {"one move", window.Handle(), WM_MOUSEMOVE, 0, 0},
        {"button on a cover", cover.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 1},
        {"right button on a cover", cover.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, 1},
        {"one move on a cover", cover.Handle(), WM_MOUSEMOVE, 0, 0},
    };
    for (const auto& c : cases) {
        ends = 0;
        SendMessageW(c.window, c.message, c.wParam, MAKELPARAM(20, 30));
        EXPECT_EQ(ends, c.ends) << c.what;
    }
    // Moves on the slide show and on a cover count together, in screen
    // coordinates: eleven to one place, shown by either window, do not end
    // the show; one more that changes both coordinates does.
    show->OnTimer(qw::SlideShowTimer::ResetMouseCounter);
    ends = 0;
    for (int move = 0; move < 11; ++move) {
        if (move % 2)
            SendMessageW(cover.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));  // 100 + 5 on the screen
        else
            SendMessageW(window.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(105, 105));
    }
    EXPECT_EQ(ends, 0);
    SendMessageW(window.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(106, 106));
    EXPECT_EQ(ends, 1);
}

TEST_F(SlideShowWindowTest, ThePreviewFillsItsParentWithoutTheFocusAndGoesWithIt) {
    Write("a.bmp", kColours[3]);
    auto host = std::make_unique<qw::test::HostWindow>(320, 240);
    SetForegroundWindow(host->Handle());
    show = std::make_unique<qw::SlideShow>(view, qw::SlideShowPorts{files, pictures, clock}, Settings(2, 2, true),
                                           folder.Path(), nullptr);
    window.OpenPreview(host->Handle(), kBackground);
    show->Opened();
    show->SetUp();
    Pump();

    EXPECT_EQ(GetParent(window.Handle()), host->Handle());
    RECT client{};
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);
    EXPECT_NE(GetFocus(), window.Handle());
    ASSERT_EQ(view.cells.count(1), 1u);
    POINT centre = CentreOf(ToRect(view.cells.at(1)));
    ClientToScreen(window.Handle(), &centre);
    EXPECT_EQ(ScreenPixel(centre), kColours[3]);

    host.reset();
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(window.Handle(), nullptr);
}

}  // namespace
