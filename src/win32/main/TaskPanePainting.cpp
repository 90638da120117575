// How the task pane looks: everything it draws, into an off-screen bitmap.
#include "win32/main/KeyboardInput.h"
#include "win32/main/TaskPaneControl.h"

namespace qw::win32 {

namespace {

// The look: a soft blue column, pale panels with a white rim, title bands
// fading from white to the panel's blue.
constexpr COLORREF kPaneTop = RGB(140, 176, 234);
constexpr COLORREF kPaneBottom = RGB(104, 132, 218);
constexpr COLORREF kPanelBody = RGB(226, 234, 250);
constexpr COLORREF kPanelRim = RGB(255, 255, 255);
constexpr COLORREF kHeaderLeft = RGB(255, 255, 255);
constexpr COLORREF kHeaderRight = RGB(198, 212, 247);
constexpr COLORREF kHeaderRule = RGB(182, 199, 240);
constexpr COLORREF kTitle = RGB(33, 66, 156);

// At 96 dots per inch.
constexpr int kCorner = 7;  // radius of a panel's corners
constexpr int kTitleIndent = 12;

COLORREF Blend(COLORREF from, COLORREF to, int step, int steps) {
    if (steps <= 0) return from;
    auto mixChannel = [&](int a, int b) { return a + (b - a) * step / steps; };
    return RGB(mixChannel(GetRValue(from), GetRValue(to)), mixChannel(GetGValue(from), GetGValue(to)),
               mixChannel(GetBValue(from), GetBValue(to)));
}

// Gradients drawn one line at a time with the DC brush: cheap enough for a
// pane this size and needs no extra library.
void FillVertical(HDC dc, const RECT& r, COLORREF top, COLORREF bottom) {
    const int steps = r.bottom - r.top - 1;
    const Selection brush(dc, GetStockObject(DC_BRUSH));
    for (int y = r.top; y < r.bottom; ++y) {
        SetDCBrushColor(dc, Blend(top, bottom, y - r.top, steps));
        PatBlt(dc, r.left, y, r.right - r.left, 1, PATCOPY);
    }
}

void FillHorizontal(HDC dc, const RECT& r, COLORREF left, COLORREF right) {
    const int steps = r.right - r.left - 1;
    const Selection brush(dc, GetStockObject(DC_BRUSH));
    for (int x = r.left; x < r.right; ++x) {
        SetDCBrushColor(dc, Blend(left, right, x - r.left, steps));
        PatBlt(dc, x, r.top, 1, r.bottom - r.top, PATCOPY);
    }
}

}  // namespace

void TaskPaneControl::Paint(HDC target) {
    RECT client;
    GetClientRect(Handle(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    // Everything goes to an off-screen bitmap first, so nothing flickers.
    const BufferedPaint buffer(target, client);
    const HDC dc = buffer.DC();
    FillVertical(dc, client, kPaneTop, kPaneBottom);
    SetBkMode(dc, TRANSPARENT);
    const Selection font(dc, fonts_.caption.Get());
    for (const Bar& bar : bars_) {
        const RECT r = ToClient(bar.rect);
        if (r.bottom > 0 && r.top < client.bottom) PaintBar(dc, bar);
    }
}

void TaskPaneControl::PaintBar(HDC dc, const Bar& bar) const {
    const RECT r = ToClient(bar.rect);
    const RECT header = ToClient(bar.header);
    const int round = Scaled(kCorner) * 2;
    // The region ends a pixel short of the corner given, hence the +1.
    const Region panel(CreateRoundRectRgn(r.left, r.top, r.right + 1, r.bottom + 1, round, round));
    SelectClipRgn(dc, panel.Get());
    SetDCBrushColor(dc, kPanelBody);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    FillHorizontal(dc, header, kHeaderLeft, kHeaderRight);
    SetDCBrushColor(dc, kHeaderRule);
    const RECT rule{header.left, header.bottom - 1, header.right, header.bottom};
    FillRect(dc, &rule, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SelectClipRgn(dc, nullptr);
    SetDCBrushColor(dc, kPanelRim);
    FrameRgn(dc, panel.Get(), static_cast<HBRUSH>(GetStockObject(DC_BRUSH)), 1, 1);

    RECT title = header;
    title.left += Scaled(kTitleIndent);
    title.right -= Scaled(kTitleIndent);
    SelectObject(dc, fonts_.title.Get());  // the caller's Selection puts the DC's own font back
    SetTextColor(dc, kTitle);
    DrawTextW(dc, bar.title.c_str(), -1, &title, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    for (const Item& item : bar.items) PaintItem(dc, item);
}

void TaskPaneControl::PaintItem(HDC dc, const Item& item) const {
    if (images_ && item.icon >= 0)
        ImageList_Draw(images_, item.icon, dc, item.iconAt.x, item.iconAt.y - scroll_, ILD_TRANSPARENT);
    RECT text = ToClient(item.text);
    // The focused item looks as it does under the mouse, inside the focus rectangle.
    const bool focused = ShowsFocusOn(item);
    const bool hot = item.clickable && (item.key == hot_ || focused);
    SelectObject(dc, hot ? fonts_.hover.Get() : fonts_.caption.Get());
    SetTextColor(dc, item.colour);
    DrawTextW(dc, item.caption.c_str(), -1, &text, DT_WORDBREAK | DT_NOPREFIX);
    if (focused) {
        DrawFocusMark(dc, ToClient(FocusMark(item)));
    }
}

}  // namespace qw::win32
