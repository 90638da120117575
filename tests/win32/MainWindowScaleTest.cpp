// The main window moved to a monitor of another scale takes the rectangle
// Windows suggests and puts its controls at their places for that scale.

#include <gtest/gtest.h>

#include <array>

#include "ScreenReader.h"
#include "main/MainLayout.h"
#include "main/ThumbnailStrip.h"
#include "win32/main/MainWindow.h"
#include "win32/main/ThumbnailControl.h"

TEST(MainWindowScale, AMonitorOfAnotherScaleGetsTheScaledPlaces) {
    const qw::win32::ComScope com;
    for (const int dpi : {120, 192, 96}) {
        qw::win32::MainWindow frame(GetModuleHandleW(nullptr));
        RECT suggested{40, 30, 940, 730}, r;  // within any test screen
        SendMessageW(frame.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        GetWindowRect(frame.Handle(), &r);
        EXPECT_TRUE(EqualRect(&r, &suggested)) << dpi;
        const qw::Scale scale{dpi};
        const qw::MainPlaces places = qw::PlacesAt(scale);
        // Each control's corner and far edge in the client area.
        const auto place = [&](HWND parent, const wchar_t* className) {
            HWND control = FindWindowExW(parent, nullptr, className, nullptr);
            GetWindowRect(control, &r);
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
            return std::pair{control, r};
        };
        EXPECT_EQ(place(frame.Handle(), L"QuillwaveTaskPane").second.right, places.PaneWidth) << dpi;
        const auto [strip, stripRect] = place(frame.Handle(), L"QuillwaveThumbnailStrip");
        EXPECT_EQ(stripRect.left, places.PaneWidth) << dpi;
        EXPECT_EQ(stripRect.bottom, places.StripHeight) << dpi;
        EXPECT_EQ(place(strip, L"ScrollBar").second.top, qw::ScrollBarTopAt(scale)) << dpi;
        const RECT preview = place(frame.Handle(), L"QuillwavePreview").second;
        EXPECT_EQ(preview.left, places.PreviewLeft) << dpi;
        EXPECT_EQ(preview.top, places.PreviewTop) << dpi;

        // A screen reader finds a thumbnail where it is drawn at this scale.
        frame.StripControl().ShowIcon(2, 0, qw::PlaceInCell(2, {32, 32}, scale), "a.txt");
        const auto reader = qw::test::ReaderOf(strip);
        ASSERT_TRUE(reader) << dpi;
        std::array<long, 4> found{};
        EXPECT_EQ(reader->accLocation(&found[0], &found[1], &found[2], &found[3], qw::test::Part(1)), S_OK) << dpi;
        const qw::SlotRect cell = qw::FrameOf(2, scale);
        POINT corner{cell.Left, cell.Top};
        ClientToScreen(strip, &corner);
        EXPECT_EQ(found, (std::array<long, 4>{corner.x, corner.y, cell.Width, cell.Height})) << dpi;
    }
    // The main window ends the program's message loop as it goes; no test after this one sees that.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}
