// The main window moved to a monitor of another scale takes the rectangle
// Windows suggests and puts its controls at their places for that scale.

#include <gtest/gtest.h>

#include "main/MainLayout.h"
#include "main/ThumbnailStrip.h"
#include "win32/main/MainWindow.h"

TEST(MainWindowScale, AMonitorOfAnotherScaleGetsTheScaledPlaces) {
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
    }
    // The main window ends the program's message loop as it goes; no test after this one sees that.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}
