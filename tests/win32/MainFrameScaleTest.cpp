// The main window moved to a monitor of another scale: it takes the rectangle
// Windows suggests and puts its controls at their places for that scale.

#include <gtest/gtest.h>

#include <windows.h>

#include "MessagePump.h"
#include "main/MainLayout.h"
#include "main/ThumbnailStrip.h"
#include "win32/main/MainFrame.h"

namespace {

RECT PlaceInParent(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

TEST(MainFrameScale, AMonitorOfAnotherScaleGetsTheScaledPlaces) {
    for (const int dpi : {120, 192, 96}) {
        qw::win32::MainFrame frame(GetModuleHandleW(nullptr));
        const qw::Scale scale{dpi};
        const qw::MainPlaces places = qw::PlacesAt(scale);
        RECT suggested{40, 30, 940, 730};  // within any test screen
        SendMessageW(frame.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        RECT window;
        GetWindowRect(frame.Handle(), &window);
        EXPECT_EQ(window.right - window.left, suggested.right - suggested.left) << dpi;
        EXPECT_EQ(frame.DisplayScale(), scale);
        const int height = frame.ClientHeight();
        const RECT pane = PlaceInParent(FindWindowExW(frame.Handle(), nullptr, L"QuillwaveTaskPane", nullptr));
        EXPECT_EQ(pane.right, places.PaneWidth) << dpi;
        EXPECT_EQ(pane.bottom, height) << dpi;
        HWND stripWindow = FindWindowExW(frame.Handle(), nullptr, L"QuillwaveThumbnailStrip", nullptr);
        const RECT strip = PlaceInParent(stripWindow);
        EXPECT_EQ(strip.left, places.PaneWidth) << dpi;
        EXPECT_EQ(strip.bottom, places.StripHeight) << dpi;
        const RECT bar = PlaceInParent(FindWindowExW(stripWindow, nullptr, L"ScrollBar", nullptr));
        EXPECT_EQ(bar.top, qw::ScrollBarTopAt(scale)) << dpi;
        const RECT preview = PlaceInParent(FindWindowExW(frame.Handle(), nullptr, L"QuillwavePreview", nullptr));
        EXPECT_EQ(preview.left, places.PreviewLeft) << dpi;
        EXPECT_EQ(preview.top, places.PreviewTop) << dpi;
    }
    // The main window ends the program's message loop when it goes.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    qw::test::Pump();
}

}  // namespace
