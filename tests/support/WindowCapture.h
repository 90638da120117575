#pragma once
// Test helpers for windows that draw themselves: the client area painted
// into a bitmap (through WM_PRINTCLIENT), its pixels, and a copy saved as a
// .bmp under %TEMP% for a person to look at.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "win32/Utf.h"

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

inline Capture CaptureClient(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    Capture shot;
    shot.width = client.right;
    shot.height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!dib) {
        DeleteDC(dc);
        throw std::runtime_error("no bitmap for the capture");
    }
    HGDIOBJ old = SelectObject(dc, dib);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    shot.pixels.assign(p, p + static_cast<size_t>(shot.width) * shot.height);
    for (auto& pixel : shot.pixels) pixel &= 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);
    return shot;
}

// Saves a 24-bit .bmp under %TEMP% and returns its path.
inline std::string SaveBmp(const Capture& shot, const std::wstring& name) {
    wchar_t temp[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring path = std::wstring(temp, n) + name;
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
    std::vector<std::uint8_t> data(head.biSizeImage);
    for (int y = 0; y < shot.height; ++y) {
        std::uint8_t* row = data.data() + static_cast<size_t>(shot.height - 1 - y) * stride;
        for (int x = 0; x < shot.width; ++x) {
            const COLORREF c = shot.At(x, y);
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + win32::Narrow(path));
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof file, &written, nullptr) && written == sizeof file;
    ok = ok && WriteFile(out, &head, sizeof head, &written, nullptr) && written == sizeof head;
    ok = ok && WriteFile(out, data.data(), head.biSizeImage, &written, nullptr) && written == head.biSizeImage;
    CloseHandle(out);
    if (!ok) throw std::runtime_error("cannot write " + win32::Narrow(path));
    return win32::Narrow(path);
}

// A shown top-level window to put controls on. A plain pop-up: Wine waits
// for a window manager (which Xvfb lacks) when a framed window goes away.
inline HWND CreateHostWindow(const wchar_t* className, int width, int height) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    HWND host = CreateWindowExW(WS_EX_TOOLWINDOW, className, L"", WS_POPUP | WS_CLIPCHILDREN, 0, 0, width, height,
                                nullptr, nullptr, instance, nullptr);
    if (host) ShowWindow(host, SW_SHOWNOACTIVATE);
    return host;
}

}  // namespace qw::test
