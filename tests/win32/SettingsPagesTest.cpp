// The settings dialog's pages, made and not shown: each page shows exactly
// its captions, every caption fits its control as the control's font draws
// it, nothing overlaps, and OK and Cancel sit below the tabs.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "OwnWindows.h"
#include "win32/kit/Handles.h"
#include "win32/SettingsWindow.h"
#include "win32/kit/Utf.h"

namespace {

using qw::SettingsTab;
using qw::test::TextOf;

std::wstring WithoutMnemonic(std::wstring text) {
    std::erase(text, L'&');
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

bool IsFrame(HWND control) {
    return _wcsicmp(ClassOf(control).c_str(), L"Button") == 0 &&
           (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

RECT PlaceIn(HWND dialog, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Whether the control's caption fits it, as the control draws it in its font.
bool CaptionFits(HWND control) {
    const std::wstring text = TextOf(control);
    const RECT place = PlaceIn(GetParent(control), control);
    const int width = place.right - place.left, height = place.bottom - place.top;
    const qw::win32::ClientDC screen;
    const qw::win32::Selection font(screen.Get(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const bool label = _wcsicmp(ClassOf(control).c_str(), L"Static") == 0;
    int room = width;
    if (!label && (style & BS_TYPEMASK) != BS_PUSHBUTTON && (style & BS_TYPEMASK) != BS_DEFPUSHBUTTON)
        room -= GetSystemMetrics(SM_CXMENUCHECK) + 4;  // the box or circle and its gap
    RECT need{0, 0, room, 0};
    DrawTextW(screen.Get(), text.c_str(), -1, &need, DT_CALCRECT | (label ? DT_WORDBREAK : DT_SINGLELINE));
    return need.right <= room && need.bottom <= height;
}

struct PageCase {
    const char* Name;
    int Tab;
    std::vector<std::wstring> Captions;  // of the page's controls, sorted as the test sorts them
};

const PageCase PageCases[] = {
    {"Inbox",
     0,
     {L"New Files",
      L"All received files are initially stored in the Quillwave! inbox. Below you can choose the additional "
      L"actions you want Quillwave! to take when a file is received.",
      L"When a new file is received:", L"Show Quillwave!", L"Print the file (only for images)",
      L"Copy the file content to the clipboard (only for images)",
      L"Create an empty email with the file as an attachment", L"Use as desktop background (only for images)",
      L"Add the file to the screen saver (only for images)", L"Copy the file to a folder", L"...",
      L"Also take over files saved to this folder:", L"Browse..."}},
    {"ScreenSaver",
     1,
     {L"With the Quillwave! screen saver all your favorite images are shown in a slide show when you're not "
      L"using your computer. You can even beam new images into the screen saver when it is running.",
      L"Use the Quillwave! screen saver", L"Settings", L"Show images using original size",
      L"Stretch images to fit screen", L"Show ", L"image(s) wide and ", L"image(s) tall on the screen.",
      L"Show each image for ", L"seconds.", L"Background color:", L"Pick Color", L"Clock",
      L"If enabled, the clock is shown in the lower right corner of the screen. ", L"Show clock", L"Pick Color"}},
    {"About", 2, {L"About", L"Quillwave! version 1.2"}},
};

class SettingsPages : public testing::TestWithParam<PageCase> {};

TEST_P(SettingsPages, ShowTheirCaptionsInPlacesThatHoldThem) {
    const PageCase& page = GetParam();
    const auto window = std::make_unique<qw::win32::SettingsWindow>(GetModuleHandleW(nullptr), nullptr);
    window->SelectTab(static_cast<SettingsTab>(page.Tab));
    window->SetClockText("12:34:56");
    HWND dialog = nullptr;  // hidden, so found among the thread's windows
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM found) -> BOOL {
            if (ClassOf(w) == qw::win32::SettingsWindowClass) *reinterpret_cast<HWND*>(found) = w;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&dialog));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), L"Settings");

    HWND tabs = GetDlgItem(dialog, qw::win32::IdSettingsTabs);
    RECT pageArea = PlaceIn(dialog, tabs);
    TabCtrl_AdjustRect(tabs, FALSE, &pageArea);
    std::vector<std::wstring> captions;
    std::vector<HWND> frames, others;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!(GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE) || c == tabs || GetDlgCtrlID(c) == IDOK ||
            GetDlgCtrlID(c) == IDCANCEL)
            continue;
        EXPECT_TRUE(Inside(PlaceIn(dialog, c), pageArea)) << "outside the page: " << qw::win32::Narrow(TextOf(c));
        (IsFrame(c) ? frames : others).push_back(c);
        const std::wstring caption = WithoutMnemonic(TextOf(c));
        if (!caption.empty() && GetDlgCtrlID(c) != qw::win32::IdClockPreview) {
            captions.push_back(caption);
            EXPECT_TRUE(IsFrame(c) || CaptionFits(c)) << "clipped: " << qw::win32::Narrow(caption);
        }
    }
    std::vector<std::wstring> expected = page.Captions;
    std::sort(captions.begin(), captions.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(captions, expected);

    // No two controls overlap, and each lies wholly inside a frame or outside all of them.
    for (std::size_t i = 0; i < others.size(); ++i) {
        const RECT a = PlaceIn(dialog, others[i]);
        for (std::size_t j = i + 1; j < others.size(); ++j) {
            const RECT b = PlaceIn(dialog, others[j]);
            RECT both;
            EXPECT_FALSE(IntersectRect(&both, &a, &b))
                << qw::win32::Narrow(TextOf(others[i])) << " overlaps " << qw::win32::Narrow(TextOf(others[j]));
        }
        for (HWND frame : frames) {
            const RECT f = PlaceIn(dialog, frame);
            RECT both;
            EXPECT_TRUE(!IntersectRect(&both, &a, &f) || Inside(a, f))
                << qw::win32::Narrow(TextOf(others[i])) << " crosses the frame " << qw::win32::Narrow(TextOf(frame));
        }
    }
    // OK left of Cancel on one line below the tabs.
    const RECT ok = PlaceIn(dialog, GetDlgItem(dialog, IDOK)), cancel = PlaceIn(dialog, GetDlgItem(dialog, IDCANCEL));
    EXPECT_LT(ok.right, cancel.left);
    EXPECT_EQ(ok.top, cancel.top);
    EXPECT_GT(ok.top, PlaceIn(dialog, tabs).bottom);
}

INSTANTIATE_TEST_SUITE_P(Settings, SettingsPages, testing::ValuesIn(PageCases),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
