#pragma once
// The thumbnail strip's document icons for test programs, which are built
// without resources: loaded from their .ico files in the source tree.

#include <windows.h>

#include <string>

#include "WindowCapture.h"

namespace qw::test {

// The icons' folder above the test program, with a trailing backslash, or "".
inline std::wstring DocumentIconFolder() {
    wchar_t exe[MAX_PATH];
    std::wstring folder(exe, GetModuleFileNameW(nullptr, exe, MAX_PATH));
    for (size_t cut; (cut = folder.find_last_of(L'\\')) != std::wstring::npos;) {
        folder.resize(cut);
        const std::wstring icons = folder + L"\\resources\\icons\\";
        if (GetFileAttributesW((icons + L"file_document.ico").c_str()) != INVALID_FILE_ATTRIBUTES) return icons;
    }
    return {};
}

// Entry 1 to 9 at 32 x 32, owned by the caller; nullptr when not found.
inline HICON LoadDocumentIcon(int entry) {
    static const wchar_t* const names[] = {L"document", L"pdf",     L"presentation", L"notepad",     L"calendar",
                                           L"contact",  L"envelope", L"wordprocessor", L"spreadsheet"};
    if (entry < 1 || entry > 9) return nullptr;
    const std::wstring path = DocumentIconFolder() + L"file_" + names[entry - 1] + L".ico";
    return static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
}

// True when the 32 x 32 square of the capture at `at` holds exactly the icon
// of the entry drawn on white.
inline bool ShowsDocumentIcon(const Capture& shot, POINT at, int entry) {
    HICON icon = LoadDocumentIcon(entry);
    if (!icon) return false;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, 32, 32};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    bool same = at.x >= 0 && at.y >= 0 && at.x + 32 <= shot.width && at.y + 32 <= shot.height;
    for (int y = 0; y < 32 && same; ++y)
        for (int x = 0; x < 32 && same; ++x) same = (GetPixel(dc, x, y) & 0xFFFFFF) == shot.At(at.x + x, at.y + y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DestroyIcon(icon);
    return same;
}

}  // namespace qw::test
