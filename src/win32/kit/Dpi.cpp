#include "win32/kit/Dpi.h"

#include "win32/kit/Handles.h"

namespace qw::win32 {

namespace {

// The user32 calls of per-monitor awareness, where this Windows has them.
struct DpiCalls {
    UINT(WINAPI* ForWindow)(HWND) = nullptr;
    UINT(WINAPI* ForSystem)() = nullptr;
    int(WINAPI* MetricsForDpi)(int, UINT) = nullptr;
    BOOL(WINAPI* AdjustRectForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
};

template <typename F>
void Find(HMODULE user32, const char* name, F& call) {
    call = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

const DpiCalls& Calls() {
    static const DpiCalls calls = [] {
        DpiCalls found;
        if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
            Find(user32, "GetDpiForWindow", found.ForWindow);
            Find(user32, "GetDpiForSystem", found.ForSystem);
            Find(user32, "GetSystemMetricsForDpi", found.MetricsForDpi);
            Find(user32, "AdjustWindowRectExForDpi", found.AdjustRectForDpi);
        }
        return found;
    }();
    return calls;
}

int ScreenDpi() {
    int dpi = 0;
    if (ClientDC screen; screen) dpi = GetDeviceCaps(screen.Get(), LOGPIXELSX);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

int SystemDpi() {
    if (Calls().ForSystem) {
        const UINT dpi = Calls().ForSystem();
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

int WindowDpi(HWND window) {
    if (window && Calls().ForWindow) {
        const UINT dpi = Calls().ForWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);  // 0 for a window that is gone
    }
    return ScreenDpi();
}

qw::Scale WindowScale(HWND window) { return qw::Scale{WindowDpi(window)}; }

int SystemMetricForDpi(int index, int dpi) {
    if (Calls().MetricsForDpi) return Calls().MetricsForDpi(index, static_cast<UINT>(dpi));
    // The plain call answers at the system's resolution.
    return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

RECT WindowRectForClient(SIZE client, DWORD style, DWORD exStyle, int dpi) {
    RECT rect{0, 0, client.cx, client.cy};
    if (!Calls().AdjustRectForDpi || !Calls().AdjustRectForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
        rect = {0, 0, client.cx, client.cy};
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    return rect;
}

}  // namespace qw::win32
