#include "SetupWizard.h"

#include <gtest/gtest.h>

#include <thread>

#include "Harness.h"
#include "WindowCapture.h"

namespace e2e {

namespace {

// Walks windows looking for one that passes the test.
struct Search {
    bool (*test)(HWND, const Search&);
    DWORD processId;
    const wchar_t* title;
    const wchar_t* text;
    HWND found = nullptr;
};

BOOL CALLBACK TestWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    if (!search->test(window, *search)) return TRUE;
    search->found = window;
    return FALSE;
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

HWND ControlWithText(HWND window, const wchar_t* text) {
    Search search{[](HWND child, const Search& s) { return IsWindowVisible(child) && TextOf(child) == s.text; }, 0,
                  nullptr, text};
    EnumChildWindows(window, &TestWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

HWND WaitForWindowShowing(DWORD processId, const wchar_t* title, const wchar_t* text,
                          std::chrono::milliseconds deadline) {
    Search search{[](HWND window, const Search& s) {
                      DWORD owner = 0;
                      GetWindowThreadProcessId(window, &owner);
                      return owner == s.processId && IsWindowVisible(window) && TextOf(window) == s.title &&
                             ControlWithText(window, s.text) != nullptr;
                  },
                  processId, title, text};
    WaitFor([&] { return EnumWindows(&TestWindow, reinterpret_cast<LPARAM>(&search)), search.found != nullptr; },
            deadline);
    return search.found;
}

HWND WaitForControl(HWND window, const wchar_t* text) {
    HWND control = nullptr;
    WaitFor([&] { return (control = ControlWithText(window, text)) != nullptr; }, std::chrono::seconds(60));
    return control;
}

void Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void SetChecked(HWND box, bool on) { SendMessageW(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

void SaveWindowShot(HWND window, const wchar_t* name) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the other process paints
    RECT r;
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    qw::test::SaveShot(qw::test::CaptureScreen(r), name);
}

void Visit(HWND wizard, const CheckBoxPage& page) {
    HWND box = WaitForControl(wizard, page.box);
    ASSERT_NE(box, nullptr) << qw::win32::Narrow(page.box);
    EXPECT_EQ(Checked(box), page.ticked) << qw::win32::Narrow(page.box);
    SaveWindowShot(wizard, page.shot);
    SetChecked(box, page.tick);
    Press(wizard, IDOK);
}

}  // namespace e2e
