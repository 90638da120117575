#pragma once
// The icons in the notification area, as tests count them. Wine on a display
// without a tray of its own shows them as child windows of one "standalone
// tray" window.

#include <windows.h>

namespace qw::test {

inline int TrayIconCount() {
    HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    if (!tray || !IsWindowVisible(tray)) return 0;
    int count = 0;
    for (HWND child = GetWindow(tray, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child)) ++count;
    return count;
}

// The balloons the notification area shows: visible tool tips of another
// process than this one and `except` (Wine's explorer draws them).
inline int VisibleBalloons(DWORD except = 0) {
    int count = 0;
    for (HWND w = FindWindowExW(nullptr, nullptr, L"tooltips_class32", nullptr); w;
         w = FindWindowExW(nullptr, w, L"tooltips_class32", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner != GetCurrentProcessId() && owner != except && IsWindowVisible(w)) ++count;
    }
    return count;
}

}  // namespace qw::test
