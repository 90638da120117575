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

#include "MessagePump.h"
#include "ProjectIcons.h"
#include "WindowCapture.h"
#include "shared/Scale.h"
#include "win32/main/TaskPaneControl.h"

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


using qw::test::Pump;

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

class TaskPane : public testing::Test {
protected:
    void SetUp() override {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        // The pane follows the real pointer, which an earlier test may have
        // left where an item of this pane comes up: it waits in a corner.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        host_ = std::make_unique<qw::test::HostWindow>(640, 800);
        pane_ = std::make_unique<TaskPaneControl>(
            instance, qw::win32::WindowArgs{.Parent = host_->Handle(), .X = 0, .Y = 0, .Width = 220, .Height = 720});
        for (const BarSpec& bar : kPane) {
            pane_->AddBar(bar.key, bar.title);
            for (const ItemSpec& item : bar.items) pane_->AddItem(bar.key, item.key, item.caption, item.icon);
        }
        pane_->OnItemClick = [this](const std::string& key) { clicks_.push_back(key); };
        Pump();
    }
    void TearDown() override {
        pane_.reset();
        host_.reset();
    }

    void Send(UINT message, POINT at) { SendMessageW(pane_->Handle(), message, 0, At(at)); }
    void Click(POINT down, POINT up) {
        Send(WM_LBUTTONDOWN, down);
        Send(WM_LBUTTONUP, up);
    }

    std::unique_ptr<qw::test::HostWindow> host_;
    std::unique_ptr<TaskPaneControl> pane_;
    std::vector<std::string> clicks_;
};

TEST_F(TaskPane, StacksBarsAndTheirItemsTopToBottom) {
    // At every scale, in the main window's pane at its designed height: all
    // fits without the scroll bar.
    for (const int dpi : {96, 120, 144, 192}) {
        const qw::Scale scale{dpi};
        pane_->SetDpi(dpi);
        pane_->Resize(scale(220), scale(515));
        RECT client;
        GetClientRect(pane_->Handle(), &client);
        EXPECT_EQ(GetWindowLongW(pane_->Handle(), GWL_STYLE) & WS_VSCROLL, 0) << dpi;
        LONG barBottom = 0;
        for (const BarSpec& bar : kPane) {
            const RECT b = pane_->BarRect(bar.key);
            EXPECT_GE(b.top, barBottom) << dpi << bar.key;
            EXPECT_GE(b.left, 0) << dpi << bar.key;
            EXPECT_LE(b.right, client.right) << dpi << bar.key;
            // The first item sits below the title band, not on it.
            LONG itemBottom = b.top + scale(16);
            for (const ItemSpec& item : bar.items) {
                const RECT r = pane_->ItemRect(item.key);
                EXPECT_GE(r.top, itemBottom) << dpi << item.key;
                EXPECT_GE(r.bottom - r.top, scale(16)) << dpi << item.key;
                EXPECT_GT(r.left, b.left) << dpi << item.key;
                EXPECT_LE(r.right, b.right) << dpi << item.key;
                EXPECT_LE(r.bottom, b.bottom) << dpi << item.key;
                itemBottom = r.bottom;
            }
            barBottom = b.bottom;
        }
        EXPECT_LE(barBottom, client.bottom) << dpi;
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
    qw::test::PaintCounter paints(pane_->Handle());
    Pump();

    pane_->SetItemTextColor("MoveBarItem", kSilver);
    EXPECT_TRUE(GetUpdateRect(pane_->Handle(), nullptr, FALSE)) << "a change repaints while redraw is on";
    Pump();
    paints.count = 0;

    pane_->SetRedraw(false);
    pane_->SetItemTextColor("MoveBarItem", TaskPaneControl::kDefaultItemTextColor);
    pane_->SetItemClickable("SaveAsBarItem", false);
    pane_->AddItem("InboxBar", "ExtraItem", "Extra", 0);
    EXPECT_FALSE(GetUpdateRect(pane_->Handle(), nullptr, FALSE));
    Pump();
    EXPECT_EQ(paints.count, 0);

    pane_->SetRedraw(true);
    EXPECT_TRUE(GetUpdateRect(pane_->Handle(), nullptr, FALSE));
    Pump();
    EXPECT_EQ(paints.count, 1);
}

TEST_F(TaskPane, PaintsCaptionsInTheirItemsColour) {
    const RECT r = pane_->ItemRect("ClipboardBarItem");
    EXPECT_GT(qw::test::CaptureClient(pane_->Handle()).Count(r, TaskPaneControl::kDefaultItemTextColor), 0);
    pane_->SetItemTextColor("ClipboardBarItem", RGB(200, 0, 0));
    const qw::test::Capture shot = qw::test::CaptureClient(pane_->Handle());
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
    // The window system may still have owed an earlier test a move of the
    // real pointer, delivered to this pane while it was set up.
    Send(WM_MOUSELEAVE, {0, 0});
    const qw::test::Capture before = qw::test::CaptureClient(pane_->Handle());
    Send(WM_MOUSEMOVE, Centre(r));
    const qw::test::Capture hovered = qw::test::CaptureClient(pane_->Handle());
    EXPECT_EQ(!hovered.SameIn(before, r), c.changes);
    POINT screen = Centre(r);
    ClientToScreen(pane_->Handle(), &screen);
    ASSERT_TRUE(SetCursorPos(screen.x, screen.y));
    SendMessageW(pane_->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(pane_->Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, c.cursor));
    SendMessageW(pane_->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(qw::test::CaptureClient(pane_->Handle()).SameIn(before, r));
}

const HoverCase kHovers[] = {{"Clickable", true, true, IDC_HAND}, {"NotClickable", false, false, IDC_ARROW}};
INSTANTIATE_TEST_SUITE_P(TaskPane, TaskPaneHover, testing::ValuesIn(kHovers),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TaskPane, ScrollsWhenTheContentIsTallerThanThePane) {
    pane_->Resize(220, 200);
    EXPECT_TRUE(GetWindowLongW(pane_->Handle(), GWL_STYLE) & WS_VSCROLL);
    RECT client;
    GetClientRect(pane_->Handle(), &client);
    EXPECT_LE(pane_->BarRect("FileBar").right, client.right) << "the bars make room for the scroll bar";
    EXPECT_GT(pane_->ItemRect("AddToScreenSaverBarItem").bottom, client.bottom);

    SendMessageW(pane_->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    const RECT last = pane_->ItemRect("AddToScreenSaverBarItem");
    EXPECT_LE(last.bottom, client.bottom);
    EXPECT_GT(last.top, 0);
    EXPECT_LT(pane_->ItemRect("InboxViewFilesBarItem").top, 0);
    Click(Centre(last), Centre(last));
    EXPECT_EQ(clicks_, std::vector<std::string>{"AddToScreenSaverBarItem"});

    pane_->Resize(220, 900);
    EXPECT_FALSE(GetWindowLongW(pane_->Handle(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_GT(pane_->BarRect("InboxBar").top, 0) << "back at the top once everything fits";
}

}  // namespace
