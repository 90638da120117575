// The thumbnail strip as a real window driven by its presenter over real
// files: clicks, scrolling, the scroll bar, tool tips and lazy painting.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "MessagePump.h"
#include "PictureFiles.h"
#include "ProjectIcons.h"
#include "WindowCapture.h"
#include "main/ThumbnailStrip.h"
#include "win32/kit/Display.h"
#include "win32/main/ThumbnailControl.h"
#include "win32/WicPictures.h"
#include "win32/Win32FileSystem.h"

namespace {

using qw::ThumbnailStrip;
using qw::test::Colour;
using qw::test::Format;
using qw::win32::ThumbnailControl;
using qw::win32::Widen;

constexpr int WidthFor(int slots) { return 10 + 128 * slots; }


using qw::test::Pump;

// WIC pictures, counted, with the latest picture of every path at hand.
class CountingLoader : public qw::PictureLoader {
public:
    std::unique_ptr<qw::Picture> Load(const std::string& path) override {
        ++loads;
        auto picture = wic.LoadPicture(path);
        latest[path] = picture.get();
        return picture;
    }
    qw::win32::WicPictureLoader wic;  // first: it initialises COM, which the encoders need too
    int loads = 0;
    std::map<std::string, qw::win32::WicPicture*> latest;
};

Colour Red(int, int) { return qw::test::kRed; }

class ThumbnailControlTest : public testing::Test {
protected:
    void SetUp() override {
        host_ = std::make_unique<qw::test::HostWindow>(1000, 300);
        MakeStrip(6);
    }
    void TearDown() override {
        strip_.reset();
        control_.reset();
        host_.reset();
    }

    void MakeStrip(int slots) {
        strip_.reset();
        control_.reset();
        control_ = std::make_unique<ThumbnailControl>(
            GetModuleHandleW(nullptr),
            qw::win32::WindowArgs{.Parent = host_->Handle(), .X = 0, .Y = 0, .Width = WidthFor(slots),
                                  .Height = qw::StripHeight},
            &qw::test::LoadDocumentIcon);
        strip_ = std::make_unique<ThumbnailStrip>(*control_, files_, pictures_, qw::win32::ScreenResolution());
        control_->OnSlotClick = [this](int s) { strip_->OnSlotClick(s); };
        control_->OnSlotDoubleClick = [this](int s) { strip_->OnSlotDoubleClick(s); };
        control_->OnSlotRightButtonUp = [this](int s) { strip_->OnSlotRightButtonUp(s); };
        control_->OnScroll = [this](int value) {
            ++scrollReports_;
            strip_->OnScroll(value);
        };
        control_->OnResize = [this] { strip_->OnResize(); };
        strip_->FileClick = [this](const std::string& p) { events_.push_back("click " + p); };
        strip_->FileRightClick = [this](const std::string& p) { events_.push_back("right " + p); };
        strip_->FileDblClick = [this](const std::string& p) { events_.push_back("double " + p); };
    }

    std::string Picture(const std::string& name, int width, int height, Colour (*colour)(int, int) = Red) {
        const std::string path = folder_ / name;
        const std::string ext = path.substr(path.rfind('.') + 1);
        const Format format = ext == "bmp" ? Format::Bmp : ext == "gif" ? Format::Gif : Format::Jpeg;
        qw::test::EncodePicture(path, format, width, height, colour);
        return path;
    }
    std::string File(const std::string& name, const std::string& text = "some text") {
        const std::string path = folder_ / name;
        qw::test::WriteText(path, text);
        return path;
    }
    // Adds in reverse, so that list position p holds paths[p - 1].
    void Show(const std::vector<std::string>& paths) {
        for (auto it = paths.rbegin(); it != paths.rend(); ++it) strip_->AddFile(*it);
        Pump();
    }
    std::vector<std::string> Numbered(int count) {
        std::vector<std::string> paths;
        for (int i = 1; i <= count; ++i) paths.push_back(File(std::to_string(i) + ".txt"));
        return paths;
    }

    HWND Strip() const { return control_->Handle(); }
    POINT CentreOf(int slot) const {
        const RECT r = control_->ImageRect(slot).value();
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Send(UINT message, POINT at) { SendMessageW(Strip(), message, 0, MAKELPARAM(at.x, at.y)); }
    void Scroll(int request, int thumb = 0) {
        SendMessageW(Strip(), WM_HSCROLL, MAKEWPARAM(request, thumb),
                     reinterpret_cast<LPARAM>(control_->ScrollBarWindow()));
    }
    void Resize(int slots) {
        SetWindowPos(Strip(), nullptr, 0, 0, WidthFor(slots), qw::StripHeight, SWP_NOMOVE | SWP_NOZORDER);
    }
    SCROLLINFO BarInfo() const {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        GetScrollInfo(control_->ScrollBarWindow(), SB_CTL, &info);
        return info;
    }
    // The bar shows the presenter's model: enabled state, positions 0 to the maximum, value.
    void ExpectBarAsModel() const {
        const qw::ScrollBarState& model = strip_->ScrollBar();
        EXPECT_EQ(IsWindowEnabled(control_->ScrollBarWindow()) != FALSE, model.Enabled);
        if (!model.Enabled) return;
        const SCROLLINFO info = BarInfo();
        EXPECT_EQ(info.nMin, 0);
        EXPECT_EQ(info.nMax - static_cast<int>(info.nPage) + 1, model.Maximum) << "the last reachable position";
        EXPECT_EQ(info.nPos, model.Value);
    }

    std::unique_ptr<qw::test::HostWindow> host_;
    CountingLoader pictures_;
    qw::test::TempFolder folder_;
    qw::win32::Win32FileSystem files_;
    std::unique_ptr<ThumbnailControl> control_;
    std::unique_ptr<ThumbnailStrip> strip_;
    std::vector<std::string> events_;
    int scrollReports_ = 0;
};

// ---------------------------------------------------------------- mouse

// A place in the strip: the centre of a slot's image, or a point.
struct Place {
    int slot;
    POINT at;
};
Place Image(int slot) { return {slot, {}}; }
Place Point(int x, int y) { return {0, {x, y}}; }

struct ClickCase {
    const char* name;
    Place down, up;
    int raised;  // the list position whose file is clicked, 0 for nothing
};
void PrintTo(const ClickCase& c, std::ostream* out) { *out << c.name; }

class ThumbnailClick : public ThumbnailControlTest, public testing::WithParamInterface<ClickCase> {};

TEST_P(ThumbnailClick, RaisesTheFileOfAWholeClickOnAnImage) {
    // Three files in six slots: a 100 x 50 picture leaves room inside its frame.
    const std::vector<std::string> paths = {File("first.txt"), Picture("small.gif", 100, 50), File("third.pdf")};
    Show(paths);
    const ClickCase& c = GetParam();
    const auto where = [&](Place p) { return p.slot ? CentreOf(p.slot) : p.at; };
    Send(WM_LBUTTONDOWN, where(c.down));
    Send(WM_LBUTTONUP, where(c.up));
    EXPECT_EQ(events_, c.raised ? std::vector<std::string>{"click " + paths[c.raised - 1]}
                                : std::vector<std::string>{});
}

POINT CellCorner(int slot) { return {qw::CellOf(slot, {}).Left + 2, qw::CellOf(slot, {}).Top + 2}; }
const int kCell2 = qw::CellOf(2, {}).Left, kFrame1 = qw::FrameOf(1, {}).Left, kCell5 = qw::CellOf(5, {}).Left;
const ClickCase kClicks[] = {
    {"FirstSlot", Image(1), Image(1), 1},
    {"ThirdSlot", Image(3), Image(3), 3},
    {"InsideTheFrameBesideThePicture", Point(kCell2 + 2, 12), Point(kCell2 + 2, 12), 0},
    {"OnTheFrame", Point(kFrame1, 50), Point(kFrame1, 50), 0},
    {"HiddenSlot", Point(kCell5 + 60, 55), Point(kCell5 + 60, 55), 0},
    {"Background", Point(300, 108), Point(300, 108), 0},
    {"ReleasedOnAnotherImage", Image(1), Image(3), 0},
    {"PressedBesideReleasedOn", Point(300, 108), Image(1), 0},
};
INSTANTIATE_TEST_SUITE_P(Thumbnail, ThumbnailClick, testing::ValuesIn(kClicks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ThumbnailControlTest, DoubleClickRaisesClickThenDoubleClickAndRightReleaseRaisesRightClick) {
    const std::vector<std::string> paths = Numbered(8);
    Show(paths);
    ASSERT_TRUE(strip_->ScrollBar().Enabled);
    strip_->OnScroll(2);  // slot 2 shows position 4
    const POINT at = CentreOf(2);
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Send(m, at);
    Send(WM_RBUTTONDOWN, CentreOf(5));
    Send(WM_RBUTTONUP, CentreOf(5));
    Send(WM_RBUTTONUP, POINT{300, 108});  // on the background
    Send(WM_LBUTTONUP, CentreOf(1));      // a release alone is no click
    EXPECT_EQ(events_, (std::vector<std::string>{"click " + paths[3], "double " + paths[3], "right " + paths[6]}));
}

// ---------------------------------------------------------------- scrolling

struct ScrollCase {
    const char* name;
    int start;    // scroll value before
    int request;  // SB_...
    int thumb;
    int firstVisible;
    int reports;
};
void PrintTo(const ScrollCase& c, std::ostream* out) { *out << c.name; }

class ThumbnailScroll : public ThumbnailControlTest, public testing::WithParamInterface<ScrollCase> {};

TEST_P(ThumbnailScroll, MovesTheViewAndTheBarTogether) {
    const ScrollCase& c = GetParam();
    MakeStrip(4);
    Show(Numbered(10));  // maximum 6
    strip_->OnScroll(c.start);
    Scroll(c.request, c.thumb);
    EXPECT_EQ(strip_->FirstVisible(), c.firstVisible);
    EXPECT_EQ(scrollReports_, c.reports);
    ExpectBarAsModel();
}

const ScrollCase kScrolls[] = {
    {"LineRight", 0, SB_LINERIGHT, 0, 2, 1},   {"LineLeftAtTheFront", 0, SB_LINELEFT, 0, 1, 0},
    {"LineRightAtTheEnd", 6, SB_LINERIGHT, 0, 7, 0}, {"PageRightBySlotsInUse", 0, SB_PAGERIGHT, 0, 5, 1},
    {"PageRightStopsAtTheEnd", 4, SB_PAGERIGHT, 0, 7, 1}, {"PageLeft", 5, SB_PAGELEFT, 0, 2, 1},
    {"ToTheEnd", 0, SB_RIGHT, 0, 7, 1},        {"ToTheFront", 5, SB_LEFT, 0, 1, 1},
    {"ThumbTrackWaitsForTheRelease", 0, SB_THUMBTRACK, 3, 1, 0}, {"ThumbPosition", 2, SB_THUMBPOSITION, 6, 7, 1},
    {"EndScroll", 2, SB_ENDSCROLL, 0, 3, 0},
};
INSTANTIATE_TEST_SUITE_P(Thumbnail, ThumbnailScroll, testing::ValuesIn(kScrolls),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ThumbnailControlTest, TheBarsOwnKeysScrollToTheLastPositionAndNoFurther) {
    MakeStrip(4);
    Show(Numbered(9));
    HWND bar = control_->ScrollBarWindow();
    SendMessageW(bar, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(strip_->FirstVisible(), 2);
    SendMessageW(bar, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(strip_->FirstVisible(), 6);  // files 6 to 9 fill the four slots
    SendMessageW(bar, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(strip_->FirstVisible(), 6);
    EXPECT_EQ(scrollReports_, 2);
    ExpectBarAsModel();
}

struct BarCase {
    const char* name;
    int slots, files, scrollTo, resizeTo;  // 0: no scroll / no resize
};
void PrintTo(const BarCase& c, std::ostream* out) { *out << c.name; }

class ThumbnailBar : public ThumbnailControlTest, public testing::WithParamInterface<BarCase> {};

TEST_P(ThumbnailBar, FollowsThePresentersModelWithoutReportingItBack) {
    const BarCase& c = GetParam();
    MakeStrip(c.slots);
    Show(Numbered(c.files));
    if (c.scrollTo) strip_->OnScroll(c.scrollTo);
    if (c.resizeTo) Resize(c.resizeTo);
    EXPECT_EQ(strip_->NoOfThumbnails(), c.resizeTo ? c.resizeTo : c.slots);
    ExpectBarAsModel();
    EXPECT_EQ(scrollReports_, 0);
    RECT bar;
    GetWindowRect(control_->ScrollBarWindow(), &bar);
    MapWindowPoints(nullptr, Strip(), reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.top, qw::ScrollBarTop);
    EXPECT_EQ(bar.right, control_->ClientWidth());
    EXPECT_EQ(bar.bottom - bar.top, qw::ScrollBarHeight);
}

const BarCase kBars[] = {
    {"Empty", 3, 0, 0, 0},
    {"EveryFileShown", 4, 3, 0, 0},
    {"MoreFilesThanSlots", 4, 8, 0, 0},
    {"ScrolledToTheEnd", 4, 8, 4, 0},
    {"WidenedAtTheEnd", 4, 8, 4, 6},
    {"WidenedPastTheFiles", 4, 5, 1, 6},
    {"Narrowed", 6, 7, 0, 3},
};
INSTANTIATE_TEST_SUITE_P(Thumbnail, ThumbnailBar, testing::ValuesIn(kBars),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ThumbnailControlTest, TheScrollBarIsATabStopThatPassesTabOn) {
    Show(Numbered(8));
    HWND bar = control_->ScrollBarWindow();
    EXPECT_TRUE(GetWindowLongW(bar, GWL_STYLE) & WS_TABSTOP);
    std::vector<qw::FocusPlace> tabs;
    control_->OnKey = [&](qw::FocusPlace where, qw::NavigationKey key) {
        if (key == qw::NavigationKey::Tab) tabs.push_back(where);
    };
    SetFocus(bar);
    EXPECT_EQ(GetFocus(), bar);
    SendMessageW(bar, WM_KEYDOWN, VK_TAB, 1);
    EXPECT_EQ(tabs, std::vector<qw::FocusPlace>{qw::FocusPlace::ScrollButtons});
}

// ---------------------------------------------------------------- tool tips

TEST_F(ThumbnailControlTest, EachShownImageHasItsToolTip) {
    const std::string name = "\xCE\xA9mega caf\xC3\xA9.txt";  // Greek and Latin letters
    Show({File(name, "12345"), Picture("photo.bmp", 640, 480)});
    HWND tips = control_->ToolTipWindow();
    ASSERT_NE(tips, nullptr);
    ASSERT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 2);
    std::map<UINT_PTR, std::pair<RECT, std::wstring>> tools;
    for (int i = 0; i < 2; ++i) {
        wchar_t text[512] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.lpszText = text;
        ASSERT_TRUE(SendMessageW(tips, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool)));
        tool.lpszText = text;
        SendMessageW(tips, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
        tools[tool.uId] = {tool.rect, text};
    }
    const std::string type = qw::win32::FileTypeName(name);
    EXPECT_EQ(tools[1].second, Widen(name + " (" + type + ", 5 bytes)"));
    EXPECT_EQ(tools[2].second.substr(0, 11), L"photo.bmp (");
    for (int slot : {1, 2}) {
        const RECT image = control_->ImageRect(slot).value();
        EXPECT_TRUE(EqualRect(&tools[slot].first, &image)) << "slot " << slot;
    }
    strip_->DeleteAllFiles();
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 0);
}

// ---------------------------------------------------------------- painting

TEST_F(ThumbnailControlTest, DrawsFramesAndPicturesWhereThePresenterPlacedThem) {
    Show({Picture("wide.gif", 1000, 100), Picture("tall.bmp", 480, 640), File("notes.txt")});
    const qw::test::Capture shot = qw::test::CaptureClient(Strip());
    for (int slot : {1, 2}) {
        const RECT image = control_->ImageRect(slot).value();
        RECT inner = image;
        InflateRect(&inner, -2, -2);  // scaled edges blend
        const int area = (inner.right - inner.left) * (inner.bottom - inner.top);
        EXPECT_EQ(shot.Count(inner, RGB(255, 0, 0)), area) << "slot " << slot;
        const RECT cellCorner{qw::CellOf(slot, {}).Left, qw::CellOf(slot, {}).Top, qw::CellOf(slot, {}).Left + 1,
                              qw::CellOf(slot, {}).Top + 1};
        EXPECT_EQ(shot.Count(cellCorner, RGB(255, 255, 255)), 1) << "the picture stays in its place";
    }
    for (int slot : {1, 2, 3}) {
        const COLORREF frame = shot.At(qw::FrameOf(slot, {}).Left, qw::FrameOf(slot, {}).Top + 40);
        EXPECT_TRUE(GetRValue(frame) == GetGValue(frame) && GetGValue(frame) == GetBValue(frame) &&
                    GetRValue(frame) < 255)
            << "a grey frame around slot " << slot;
    }
    EXPECT_EQ(shot.At(qw::FrameOf(4, {}).Left, qw::FrameOf(4, {}).Top + 40), RGB(255, 255, 255)) << "no frame when hidden";
}

TEST_F(ThumbnailControlTest, RepaintsDrawEachPictureFromItsRenderingAtTheImageSize) {
    std::vector<std::string> paths;
    for (int i = 1; i <= 6; ++i) paths.push_back(Picture(std::to_string(i) + ".jpg", 400 + 40 * i, 300));
    {
        ThumbnailStrip::Batch batch(*strip_);
        for (auto it = paths.rbegin(); it != paths.rend(); ++it) strip_->AddFile(*it);
    }
    EXPECT_EQ(pictures_.loads, 6);
    UpdateWindow(Strip());
    // Mark each picture's rendering; a paint that rendered again, or at another
    // size, would draw the picture instead of the mark.
    const COLORREF mark = RGB(255, 0, 255);
    for (int slot = 1; slot <= 6; ++slot) {
        const RECT r = control_->ImageRect(slot).value();
        DIBSECTION dib{};
        HBITMAP rendered = pictures_.latest.at(paths[slot - 1])->Render(r.right - r.left, r.bottom - r.top);
        ASSERT_EQ(GetObjectW(rendered, sizeof dib, &dib), static_cast<int>(sizeof dib));
        GdiFlush();
        auto* pixel = static_cast<std::uint32_t*>(dib.dsBm.bmBits);
        std::fill(pixel, pixel + dib.dsBm.bmWidth * dib.dsBm.bmHeight, 0xFFFF00FFu);
    }
    InvalidateRect(Strip(), nullptr, FALSE);
    UpdateWindow(Strip());
    const qw::test::Capture shot = qw::test::CaptureClient(Strip());
    for (int slot = 1; slot <= 6; ++slot) {
        // The last slot may reach past the right edge.
        const RECT image = control_->ImageRect(slot).value(), client{0, 0, shot.width, shot.height};
        RECT r;
        IntersectRect(&r, &image, &client);
        EXPECT_EQ(shot.Count(r, mark), (r.right - r.left) * (r.bottom - r.top)) << "slot " << slot;
    }
    EXPECT_EQ(pictures_.loads, 6) << "painting loads nothing";
}

TEST_F(ThumbnailControlTest, AHundredAdditionsBeforeAPaintPaintOnce) {
    const std::string first = Picture("0.jpg", 64, 48);
    const qw::test::Bytes bytes = qw::test::ReadAll(first);
    std::vector<std::string> paths;
    for (int i = 1; i <= 100; ++i) {
        paths.push_back(folder_ / (std::to_string(i) + ".jpg"));
        qw::test::WriteBytes(paths.back(), bytes);
    }
    Pump();
    qw::test::PaintCounter paints(Strip());
    pictures_.loads = 0;
    {
        ThumbnailStrip::Batch batch(*strip_);
        for (int i = 0; i < 50; ++i) strip_->AddFile(paths[i]);
    }
    EXPECT_EQ(pictures_.loads, 6) << "a batch loads the visible pictures only";
    for (int i = 50; i < 100; ++i) strip_->AddFile(paths[i]);
    EXPECT_EQ(paints.count, 0) << "showing only records what to draw";
    Pump();
    EXPECT_EQ(paints.count, 1);
}

// The slot shows the icon of the entry, at the icon's own size.
bool ShowsIcon(const qw::test::Capture& shot, const ThumbnailControl& control, int slot, int entry) {
    const RECT r = control.ImageRect(slot).value();
    return r.right - r.left == 32 && r.bottom - r.top == 32 && qw::test::ShowsDocumentIcon(shot, {r.left, r.top}, entry);
}

TEST_F(ThumbnailControlTest, OtherFilesShowTheirIconAndAnUnreadablePictureThePlainDocument) {
    if (qw::test::ProjectIconFolder().empty()) GTEST_SKIP() << "the icon files are not in reach";
    qw::test::WriteBytes(folder_ / "broken.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 'n', 'o', 't', ' ', 'a', ' ', 'j', 'p'});
    Show({folder_ / "broken.jpg", File("a.pdf"), File("b.txt"), File("c.vcf"), File("d.XLS"), File("e.doc")});
    const qw::test::Capture shot = qw::test::CaptureClient(Strip());
    const int entries[] = {1, 2, 4, 6, 9, 8};
    for (int slot = 1; slot <= 6; ++slot) {
        EXPECT_TRUE(ShowsIcon(shot, *control_, slot, entries[slot - 1])) << "slot " << slot;
        EXPECT_FALSE(ShowsIcon(shot, *control_, slot, entries[slot % 6])) << "slot " << slot;
    }
}

// Loaded, but not by a loader whose pictures the window can draw.
struct ForeignPicture : qw::Picture {
    qw::HimetricSize NaturalSize() const override { return {3175, 2381}; }
};

TEST_F(ThumbnailControlTest, APictureThatCannotBeDrawnShowsThePlainDocumentWhereItTakesClicks) {
    if (qw::test::ProjectIconFolder().empty()) GTEST_SKIP() << "the icon files are not in reach";
    control_->OnSlotClick = [this](int slot) { events_.push_back(std::to_string(slot)); };
    control_->ShowPicture(2, std::make_shared<ForeignPicture>(), qw::CellOf(2, {}), "foreign");
    EXPECT_TRUE(ShowsIcon(qw::test::CaptureClient(Strip()), *control_, 2, 1));
    Send(WM_LBUTTONDOWN, CellCorner(2));
    Send(WM_LBUTTONUP, CellCorner(2));
    Send(WM_LBUTTONDOWN, CentreOf(2));
    Send(WM_LBUTTONUP, CentreOf(2));
    EXPECT_EQ(events_, std::vector<std::string>{"2"});
}

}  // namespace
