#include "win32/saver/MonitorCover.h"

#include <windowsx.h>

#include <utility>
#include <vector>

#include "saver/SlideShow.h"

namespace qw::win32 {

MonitorCover::MonitorCover(HINSTANCE instance, const RECT& area, COLORREF colour, CurrentShow show)
    : colour_(colour), show_(std::move(show)) {
    // A tool window stays off the taskbar and out of Alt+Tab.
    Create(instance, {.Name = MonitorCoverClass},
           {.Style = WS_POPUP,
            .ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
            .X = area.left,
            .Y = area.top,
            .Width = area.right - area.left,
            .Height = area.bottom - area.top});
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

void MonitorCover::Fill(HDC dc) const {
    RECT client;
    GetClientRect(Handle(), &client);
    SetDCBrushColor(dc, colour_);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

template <typename F>
void MonitorCover::ToShow(F&& call) {
    if (qw::SlideShow* show = show_ ? show_() : nullptr) call(*show);
}

LRESULT MonitorCover::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;  // a click here leaves the focus with the slide show
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            ToShow([](qw::SlideShow& show) { show.OnMouseButton(); });
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CHAR:
            // Only if the focus got here after all.
            ToShow([](qw::SlideShow& show) { show.OnKey(); });
            return 0;
        case WM_MOUSEMOVE: {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(Handle(), &at);
            ToShow([&](qw::SlideShow& show) { show.OnMouseMove(static_cast<float>(at.x), static_cast<float>(at.y)); });
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT fills every pixel
        case WM_PAINT: {
            const PaintScope paint(Handle());
            Fill(paint.DC());
            return 0;
        }
        case WM_PRINTCLIENT:
            Fill(reinterpret_cast<HDC>(wParam));
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

namespace {

BOOL CALLBACK CollectOtherMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info) && !(info.dwFlags & MONITORINFOF_PRIMARY))
        reinterpret_cast<std::vector<RECT>*>(data)->push_back(info.rcMonitor);
    return TRUE;
}

}  // namespace

std::vector<RECT> OtherMonitors() {
    std::vector<RECT> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &CollectOtherMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

}  // namespace qw::win32
