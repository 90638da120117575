#pragma once
// The program's own icons for test programs and tools, which are built
// without the program's resources: loaded from their .ico files in the
// source tree, found above the running program's folder.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "WindowCapture.h"
#include "win32/kit/Handles.h"

namespace qw::test {

// The icons' folder above the running program, with a trailing backslash, or "".
inline std::wstring ProjectIconFolder() {
    wchar_t exe[MAX_PATH];
    std::wstring folder(exe, GetModuleFileNameW(nullptr, exe, MAX_PATH));
    for (size_t cut; (cut = folder.find_last_of(L'\\')) != std::wstring::npos;) {
        folder.resize(cut);
        const std::wstring icons = folder + L"\\resources\\icons\\";
        if (GetFileAttributesW((icons + L"file_document.ico").c_str()) != INVALID_FILE_ATTRIBUTES) return icons;
    }
    return {};
}

// The strip's document icon of entry 1 to 9 at size x size; empty when not found.
inline win32::Icon LoadDocumentIcon(int entry, int size = 32) {
    static const wchar_t* const names[] = {L"document", L"pdf",     L"presentation", L"notepad",     L"calendar",
                                           L"contact",  L"envelope", L"wordprocessor", L"spreadsheet"};
    if (entry < 1 || entry > 9) return {};
    const std::wstring path = ProjectIconFolder() + L"file_" + names[entry - 1] + L".ico";
    return win32::Icon(static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE)));
}

// The task pane's eleven 16 x 16 icons in the pane's order; empty when not found.
inline win32::ImageList LoadPaneIcons() {
    static const wchar_t* const names[] = {L"view",  L"settings", L"add_to_screen_saver", L"screen_saver",
                                           L"print", L"folder",   L"save",                L"delete",
                                           L"clipboard", L"desktop", L"email"};
    const std::wstring folder = ProjectIconFolder();
    if (folder.empty()) return {};
    win32::ImageList list(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 11, 0));
    for (const wchar_t* name : names) {
        const std::wstring path = folder + L"pane_" + name + L".ico";
        const win32::Icon icon(static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE)));
        ImageList_AddIcon(list.Get(), icon.Get());
    }
    return list;
}

// True when the 32 x 32 square of the capture at `at` holds exactly the icon
// of the entry drawn on white.
inline bool ShowsDocumentIcon(const Capture& shot, POINT at, int entry) {
    const win32::Icon icon = LoadDocumentIcon(entry);
    if (!icon) return false;
    if (at.x < 0 || at.y < 0 || at.x + 32 > shot.width || at.y + 32 > shot.height) return false;
    const Capture drawn = detail::CaptureWith(32, 32, [&](HDC dc, HDC) {
        const RECT all{0, 0, 32, 32};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawIconEx(dc, 0, 0, icon.Get(), 32, 32, 0, nullptr, DI_NORMAL);
    });
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (drawn.At(x, y) != shot.At(at.x + x, at.y + y)) return false;
    return true;
}

}  // namespace qw::test
