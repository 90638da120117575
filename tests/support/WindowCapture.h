#pragma once
// Pixels of windows for tests to check: a window's client area painted into a
// bitmap (through WM_PRINTCLIENT) or a part of the screen, and pictures saved
// as .bmp files for people to look at (into %QW_SHOTS_DIR% when it is set,
// which is how scripts/shots collects them, else %TEMP%). Also the plain
// shown window that control tests put their controls on.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "win32/kit/Handles.h"
#include "win32/kit/Window.h"

namespace qw::test {

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first

    COLORREF At(int x, int y) const {
        const std::uint32_t p = pixels[static_cast<size_t>(y) * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

    // How many pixels inside r (clipped to the picture) have this colour.
    int Count(RECT r, COLORREF colour) const {
        int n = 0;
        for (int y = std::max<int>(0, r.top); y < std::min<int>(height, r.bottom); ++y)
            for (int x = std::max<int>(0, r.left); x < std::min<int>(width, r.right); ++x)
                n += At(x, y) == colour;
        return n;
    }

    bool SameIn(const Capture& other, RECT r) const {
        for (int y = std::max<int>(0, r.top); y < std::min<int>(height, r.bottom); ++y)
            for (int x = std::max<int>(0, r.left); x < std::min<int>(width, r.right); ++x)
                if (At(x, y) != other.At(x, y)) return false;
        return true;
    }
};

namespace detail {

// Draws into a 32-bpp top-down bitmap of the size and reads its pixels.
template <typename Draw>
Capture CaptureWith(int width, int height, Draw&& draw) {
    Capture shot;
    shot.width = std::max(0, width);
    shot.height = std::max(0, height);
    if (shot.width == 0 || shot.height == 0) return shot;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const win32::ClientDC screen;
    const win32::MemoryDC dc(CreateCompatibleDC(screen.Get()));
    const win32::Bitmap dib(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc || !dib) throw std::runtime_error("no bitmap for the capture");
    {
        const win32::Selection selected(dc.Get(), dib.Get());
        draw(dc.Get(), screen.Get());
        GdiFlush();
    }
    const auto* p = static_cast<const std::uint32_t*>(bits);
    shot.pixels.assign(p, p + static_cast<size_t>(shot.width) * shot.height);
    for (auto& pixel : shot.pixels) pixel &= 0xFFFFFF;
    return shot;
}

}  // namespace detail

// What the window paints into its client area, asked for directly.
inline Capture CaptureClient(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return detail::CaptureWith(client.right, client.bottom, [&](HDC dc, HDC) {
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
}

// What the screen shows in the area (the whole screen by default).
inline Capture CaptureScreen(RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}) {
    return detail::CaptureWith(area.right - area.left, area.bottom - area.top, [&](HDC dc, HDC screen) {
        BitBlt(dc, 0, 0, area.right - area.left, area.bottom - area.top, screen, area.left, area.top, SRCCOPY);
    });
}

// The colour the screen shows at one point.
inline COLORREF ScreenPixel(POINT at) { return CaptureScreen({at.x, at.y, at.x + 1, at.y + 1}).At(0, 0); }

// Saves a 24-bit .bmp named `name` for people to look at and returns its path.
inline std::wstring SaveShot(const Capture& shot, const std::wstring& name) {
    std::wstring folder;
    if (const wchar_t* shots = _wgetenv(L"QW_SHOTS_DIR"); shots && *shots) {
        folder = shots;
    } else {
        wchar_t temp[MAX_PATH + 1];
        folder.assign(temp, GetTempPathW(MAX_PATH + 1, temp));
    }
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    const int stride = (shot.width * 3 + 3) / 4 * 4;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER head{};
    head.biSize = sizeof head;
    head.biWidth = shot.width;
    head.biHeight = shot.height;  // bottom row first, the form every reader knows
    head.biPlanes = 1;
    head.biBitCount = 24;
    head.biCompression = BI_RGB;
    head.biSizeImage = static_cast<DWORD>(stride * shot.height);
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof head;
    file.bfSize = file.bfOffBits + head.biSizeImage;
    std::vector<std::uint8_t> bytes(file.bfSize);
    std::copy_n(reinterpret_cast<const std::uint8_t*>(&file), sizeof file, bytes.begin());
    std::copy_n(reinterpret_cast<const std::uint8_t*>(&head), sizeof head, bytes.begin() + sizeof file);
    for (int y = 0; y < shot.height; ++y) {
        std::uint8_t* row = bytes.data() + file.bfOffBits + static_cast<size_t>(shot.height - 1 - y) * stride;
        for (int x = 0; x < shot.width; ++x) {
            const COLORREF c = shot.At(x, y);
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    WriteBytes(folder + name, bytes);
    return folder + name;
}

// A shown top-level window to put controls on. A plain pop-up: Wine waits
// for a window manager (which Xvfb lacks) when a framed window goes away.
class HostWindow : public win32::Window {
public:
    HostWindow(int width, int height) {
        Create(GetModuleHandleW(nullptr), {.Name = L"QuillwaveTestHost"},
               {.Style = WS_POPUP | WS_CLIPCHILDREN, .ExStyle = WS_EX_TOOLWINDOW, .X = 0, .Y = 0, .Width = width,
                .Height = height});
        ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    }
};

// Counts the WM_PAINT messages a window receives while it lives.
class PaintCounter {
public:
    explicit PaintCounter(HWND window) {
        watch_.Attach(window, [this](UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (message == WM_PAINT) ++count;
            return std::nullopt;
        });
    }
    int count = 0;

private:
    win32::Subclass watch_;
};

}  // namespace qw::test
