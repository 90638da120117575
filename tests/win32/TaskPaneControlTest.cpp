// The task pane as a real window: layout, clicks, hover, item state, the
// redraw switch and scrolling.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "WindowCapture.h"
#include "win32/TaskPaneControl.h"

namespace {

using qw::win32::TaskPaneControl;

const COLORREF kSilver = RGB(192, 192, 192);

struct ItemSpec {
    const char* key;
    const char* caption;
    int icon;
};
struct BarSpec {
    const char* key;
    const char* title;
    std::vector<ItemSpec> items;
};

// The main window's pane; icons index the pane's icon list in resource order.
const std::vector<BarSpec> kPane = {
    {"InboxBar", "Inbox", {{"InboxViewFilesBarItem", "View Files", 0}, {"InboxSettingsBarItem", "Settings", 1}}},
    {"ScreenSaverBar",
     "Screen Saver",
     {{"ScreenSaverViewFilesBarItem", "View Files", 0},
      {"AddImageToScreenSaverFromFileScreenSaverBarItem", "Add Image From File", 2},
      {"PreviewScreenSaverBarItem", "Preview", 3},
      {"ScreenSaverSettingsBarItem", "Settings", 1}}},
    {"FileBar",
     "File",
     {{"FilePrintBarItem", "Print", 4},
      {"MoveBarItem", "Move", 5},
      {"SaveAsBarItem", "Save As", 6},
      {"DeleteBarItem", "Delete", 7},
      {"ClipboardBarItem", "Copy To Clipboard", 8},
      {"DesktopBarItem", "Use As Desktop Background", 9},
      {"EmailBarItem", "Email", 10},
      {"AddToScreenSaverBarItem", "Add To Screen Saver", 2}}},
};


// Counts the pane's WM_PAINT messages by sitting in front of its procedure.
int g_paints = 0;
WNDPROC g_paneProc = nullptr;
LRESULT CALLBACK CountingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_PAINT) ++g_paints;
    return CallWindowProcW(g_paneProc, w, m, wp, lp);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

class TaskPane : public testing::Test {
protected:
    void SetUp() override {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        parent_ = qw::test::CreateHostWindow(L"QwTaskPaneTestParent", 640, 800);
        ASSERT_NE(parent_, nullptr);
        pane_ = std::make_unique<TaskPaneControl>(parent_, instance, 0, 0, 220, 720);
        for (const BarSpec& bar : kPane) {
            pane_->AddBar(bar.key, bar.title);
            for (const ItemSpec& item : bar.items) pane_->AddItem(bar.key, item.key, item.caption, item.icon);
        }
        pane_->OnItemClick = [this](const std::string& key) { clicks_.push_back(key); };
        Pump();
    }
    void TearDown() override {
        pane_.reset();
        if (parent_) DestroyWindow(parent_);
    }

    void Send(UINT message, POINT at) { SendMessageW(pane_->Window(), message, 0, At(at)); }
    void Click(POINT down, POINT up) {
        Send(WM_LBUTTONDOWN, down);
        Send(WM_LBUTTONUP, up);
    }

    HWND parent_ = nullptr;
    std::unique_ptr<TaskPaneControl> pane_;
    std::vector<std::string> clicks_;
};

TEST_F(TaskPane, StacksBarsAndTheirItemsTopToBottom) {
    RECT client;
    GetClientRect(pane_->Window(), &client);
    LONG barBottom = 0;
    for (const BarSpec& bar : kPane) {
        const RECT b = pane_->BarRect(bar.key);
        EXPECT_GE(b.top, barBottom) << bar.key;
        EXPECT_GE(b.left, 0) << bar.key;
        EXPECT_LE(b.right, client.right) << bar.key;
        // The first item sits below the title band, not on it.
        LONG itemBottom = b.top + 16;
        for (const ItemSpec& item : bar.items) {
            const RECT r = pane_->ItemRect(item.key);
            EXPECT_GE(r.top, itemBottom) << item.key;
            EXPECT_GE(r.bottom - r.top, 16) << item.key;
            EXPECT_GT(r.left, b.left) << item.key;
            EXPECT_LE(r.right, b.right) << item.key;
            EXPECT_LE(r.bottom, b.bottom) << item.key;
            itemBottom = r.bottom;
        }
        barBottom = b.bottom;
    }
}

TEST_F(TaskPane, WrapsLongCaptionsInANarrowPane) {
    pane_->Resize(150, 720);
    const RECT bar = pane_->BarRect("FileBar");
    const RECT longCaption = pane_->ItemRect("DesktopBarItem");
    const RECT shortCaption = pane_->ItemRect("FilePrintBarItem");
    EXPECT_LE(bar.right, 150);
    EXPECT_LE(longCaption.right, bar.right);
    EXPECT_GT(longCaption.bottom - longCaption.top, shortCaption.bottom - shortCaption.top);
}

struct ClickCase {
    const char* name;
    const char* pressOn;    // nullptr: the gap between two bars
    const char* releaseOn;
    bool clickable;
    std::vector<std::string> raised;
};

void PrintTo(const ClickCase& c, std::ostream* out) { *out << c.name; }

class TaskPaneClick : public TaskPane, public testing::WithParamInterface<ClickCase> {};

TEST_P(TaskPaneClick, RaisesOnlyForAWholeClickOnAClickableItem) {
    const ClickCase& c = GetParam();
    for (const char* key : {c.pressOn, c.releaseOn})
        if (key) pane_->SetItemClickable(key, c.clickable);
    const RECT first = pane_->BarRect("InboxBar");
    const RECT second = pane_->BarRect("ScreenSaverBar");
    const POINT gap{(first.left + first.right) / 2, (first.bottom + second.top) / 2};
    auto where = [&](const char* key) { return key ? Centre(pane_->ItemRect(key)) : gap; };
    Click(where(c.pressOn), where(c.releaseOn));
    EXPECT_EQ(clicks_, c.raised);
}

const ClickCase kClicks[] = {
    {"Clickable", "MoveBarItem", "MoveBarItem", true, {"MoveBarItem"}},
    {"NotClickable", "MoveBarItem", "MoveBarItem", false, {}},
    {"ReleasedOnAnotherItem", "MoveBarItem", "SaveAsBarItem", true, {}},
    {"PressedBesideTheItems", nullptr, "SaveAsBarItem", true, {}},
    {"ReleasedBesideTheItems", "SaveAsBarItem", nullptr, true, {}},
};

INSTANTIATE_TEST_SUITE_P(TaskPane, TaskPaneClick, testing::ValuesIn(kClicks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TaskPane, RaisesOncePerClickAndFollowsTheClickableState) {
    const POINT at = Centre(pane_->ItemRect("EmailBarItem"));
    Click(at, at);
    Click(at, at);
    pane_->SetItemClickable("EmailBarItem", false);
    Click(at, at);
    pane_->SetItemClickable("EmailBarItem", true);
    Click(at, at);
    EXPECT_EQ(clicks_, std::vector<std::string>(3, "EmailBarItem"));
}

TEST_F(TaskPane, ForgetsAPressWhenTheItemStopsBeingClickable) {
    const POINT at = Centre(pane_->ItemRect("DeleteBarItem"));
    Send(WM_LBUTTONDOWN, at);
    pane_->SetItemClickable("DeleteBarItem", false);
    pane_->SetItemClickable("DeleteBarItem", true);
    Send(WM_LBUTTONUP, at);
    EXPECT_TRUE(clicks_.empty());
}

TEST_F(TaskPane, KeepsEachItemsColourAndClickableState) {
    EXPECT_EQ(pane_->ItemTextColor("DesktopBarItem"), RGB(33, 93, 198));
    EXPECT_TRUE(pane_->ItemClickable("DesktopBarItem"));
    pane_->SetItemTextColor("DesktopBarItem", kSilver);
    pane_->SetItemClickable("DesktopBarItem", false);
    EXPECT_EQ(pane_->ItemTextColor("DesktopBarItem"), kSilver);
    EXPECT_FALSE(pane_->ItemClickable("DesktopBarItem"));
    // Its neighbours are untouched.
    EXPECT_EQ(pane_->ItemTextColor("EmailBarItem"), TaskPaneControl::kDefaultItemTextColor);
    EXPECT_TRUE(pane_->ItemClickable("ClipboardBarItem"));
    pane_->SetItemClickable("DesktopBarItem", true);
    EXPECT_TRUE(pane_->ItemClickable("DesktopBarItem"));
}

TEST_F(TaskPane, RejectsUnknownAndDuplicateKeys) {
    const RECT inbox = pane_->BarRect("InboxBar");
    const std::vector<std::pair<const char*, std::function<void()>>> calls = {
        {"item in an unknown bar", [&] { pane_->AddItem("NoBar", "NewItem", "New", 0); }},
        {"bar keys differ by case only", [&] { pane_->AddItem("inboxbar", "NewItem", "New", 0); }},
        {"duplicate bar", [&] { pane_->AddBar("FileBar", "File"); }},
        {"empty bar key", [&] { pane_->AddBar("", "Nameless"); }},
        {"empty item key", [&] { pane_->AddItem("InboxBar", "", "Nameless", 0); }},
        {"duplicate item in another bar", [&] { pane_->AddItem("InboxBar", "MoveBarItem", "Move", 5); }},
        {"colour of an unknown item", [&] { pane_->ItemTextColor("NoItem"); }},
        {"setting a colour", [&] { pane_->SetItemTextColor("NoItem", kSilver); }},
        {"clickable state", [&] { pane_->ItemClickable("moveBarItem"); }},
        {"setting the clickable state", [&] { pane_->SetItemClickable("NoItem", false); }},
        {"rectangle", [&] { pane_->ItemRect("NoItem"); }},
        {"bar rectangle", [&] { pane_->BarRect("NoBar"); }},
    };
    for (const auto& [what, call] : calls) EXPECT_THROW(call(), std::invalid_argument) << what;
    const RECT after = pane_->BarRect("InboxBar");
    EXPECT_TRUE(EqualRect(&inbox, &after)) << "a rejected item takes no place";
}

TEST_F(TaskPane, RedrawSwitchHoldsRepaintsUntilTurnedOn) {
    g_paints = 0;
    g_paneProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(pane_->Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
    Pump();
    g_paints = 0;

    pane_->SetItemTextColor("MoveBarItem", kSilver);
    EXPECT_TRUE(GetUpdateRect(pane_->Window(), nullptr, FALSE)) << "a change repaints while redraw is on";
    Pump();
    g_paints = 0;

    pane_->SetRedraw(false);
    pane_->SetItemTextColor("MoveBarItem", TaskPaneControl::kDefaultItemTextColor);
    pane_->SetItemClickable("SaveAsBarItem", false);
    pane_->AddItem("InboxBar", "ExtraItem", "Extra", 0);
    EXPECT_FALSE(GetUpdateRect(pane_->Window(), nullptr, FALSE));
    Pump();
    EXPECT_EQ(g_paints, 0);

    pane_->SetRedraw(true);
    EXPECT_TRUE(GetUpdateRect(pane_->Window(), nullptr, FALSE));
    Pump();
    EXPECT_EQ(g_paints, 1);
    SetWindowLongPtrW(pane_->Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_paneProc));
}

TEST_F(TaskPane, PaintsCaptionsInTheirItemsColour) {
    const RECT r = pane_->ItemRect("ClipboardBarItem");
    EXPECT_GT(qw::test::CaptureClient(pane_->Window()).Count(r, TaskPaneControl::kDefaultItemTextColor), 0);
    pane_->SetItemTextColor("ClipboardBarItem", RGB(200, 0, 0));
    const qw::test::Capture shot = qw::test::CaptureClient(pane_->Window());
    EXPECT_GT(shot.Count(r, RGB(200, 0, 0)), 0);
    EXPECT_EQ(shot.Count(r, TaskPaneControl::kDefaultItemTextColor), 0);
}

struct HoverCase {
    const char* name;
    bool clickable;
    bool changes;
    const wchar_t* cursor;
};

void PrintTo(const HoverCase& c, std::ostream* out) { *out << c.name; }

class TaskPaneHover : public TaskPane, public testing::WithParamInterface<HoverCase> {};

TEST_P(TaskPaneHover, UnderlinesAndShowsTheHandOnlyOverClickableItems) {
    const HoverCase& c = GetParam();
    pane_->SetItemClickable("PreviewScreenSaverBarItem", c.clickable);
    const RECT r = pane_->ItemRect("PreviewScreenSaverBarItem");
    const qw::test::Capture before = qw::test::CaptureClient(pane_->Window());
    Send(WM_MOUSEMOVE, Centre(r));
    const qw::test::Capture hovered = qw::test::CaptureClient(pane_->Window());
    EXPECT_EQ(!hovered.SameIn(before, r), c.changes);
    POINT screen = Centre(r);
    ClientToScreen(pane_->Window(), &screen);
    ASSERT_TRUE(SetCursorPos(screen.x, screen.y));
    SendMessageW(pane_->Window(), WM_SETCURSOR, reinterpret_cast<WPARAM>(pane_->Window()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, c.cursor));
    SendMessageW(pane_->Window(), WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(qw::test::CaptureClient(pane_->Window()).SameIn(before, r));
}

const HoverCase kHovers[] = {{"Clickable", true, true, IDC_HAND}, {"NotClickable", false, false, IDC_ARROW}};
INSTANTIATE_TEST_SUITE_P(TaskPane, TaskPaneHover, testing::ValuesIn(kHovers),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TaskPane, ScrollsWhenTheContentIsTallerThanThePane) {
    pane_->Resize(220, 200);
    EXPECT_TRUE(GetWindowLongW(pane_->Window(), GWL_STYLE) & WS_VSCROLL);
    RECT client;
    GetClientRect(pane_->Window(), &client);
    EXPECT_LE(pane_->BarRect("FileBar").right, client.right) << "the bars make room for the scroll bar";
    EXPECT_GT(pane_->ItemRect("AddToScreenSaverBarItem").bottom, client.bottom);

    SendMessageW(pane_->Window(), WM_VSCROLL, SB_BOTTOM, 0);
    const RECT last = pane_->ItemRect("AddToScreenSaverBarItem");
    EXPECT_LE(last.bottom, client.bottom);
    EXPECT_GT(last.top, 0);
    EXPECT_LT(pane_->ItemRect("InboxViewFilesBarItem").top, 0);
    Click(Centre(last), Centre(last));
    EXPECT_EQ(clicks_, std::vector<std::string>{"AddToScreenSaverBarItem"});

    pane_->Resize(220, 900);
    EXPECT_FALSE(GetWindowLongW(pane_->Window(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_GT(pane_->BarRect("InboxBar").top, 0) << "back at the top once everything fits";
}

// Loads the pane's icons from the source tree (found above the test
// program's folder), or gives none when they are not there.
HIMAGELIST LoadPaneIcons() {
    const wchar_t* names[] = {L"view", L"settings", L"add_to_screen_saver", L"screen_saver", L"print", L"folder",
                              L"save", L"delete", L"clipboard", L"desktop", L"email"};
    wchar_t exe[MAX_PATH];
    std::wstring folder(exe, GetModuleFileNameW(nullptr, exe, MAX_PATH));
    for (;;) {
        const size_t cut = folder.find_last_of(L'\\');
        if (cut == std::wstring::npos) return nullptr;
        folder.resize(cut);
        if (GetFileAttributesW((folder + L"\\resources\\icons\\pane_view.ico").c_str()) != INVALID_FILE_ATTRIBUTES)
            break;
    }
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 11, 0);
    for (const wchar_t* name : names) {
        const std::wstring path = folder + L"\\resources\\icons\\pane_" + name + L".ico";
        auto icon = static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
        ImageList_AddIcon(list, icon);
        if (icon) DestroyIcon(icon);
    }
    return list;
}

// Not a check of the look: leaves a picture of the pane as the program shows
// it (the screen-saver folder open, a picture selected, "Save As" under the
// mouse) in %TEMP%\quillwave-taskpane.bmp.
TEST_F(TaskPane, SavesAPictureOfThePane) {
    HIMAGELIST icons = LoadPaneIcons();
    pane_->SetImageList(icons);
    pane_->SetRedraw(false);
    for (const char* key : {"ScreenSaverViewFilesBarItem", "AddToScreenSaverBarItem"}) {
        pane_->SetItemClickable(key, false);
        pane_->SetItemTextColor(key, kSilver);
    }
    pane_->SetRedraw(true);
    Send(WM_MOUSEMOVE, Centre(pane_->ItemRect("SaveAsBarItem")));
    const qw::test::Capture shot = qw::test::CaptureClient(pane_->Window());
    const std::string path = qw::test::SaveBmp(shot, L"quillwave-taskpane.bmp");
    EXPECT_EQ(shot.width, 220);
    EXPECT_GT(shot.Count(pane_->ItemRect("AddToScreenSaverBarItem"), kSilver), 0) << path;
    if (icons) ImageList_Destroy(icons);
}

}  // namespace
