#include "win32/main/ThumbnailControl.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "main/ThumbnailStrip.h"
#include "resources/resource_ids.h"
#include "win32/kit/Dpi.h"
#include "win32/kit/Fonts.h"
#include "win32/PictureDrawing.h"
#include "win32/kit/Utf.h"

namespace qw::win32 {

namespace {

const COLORREF kBackground = RGB(255, 255, 255);
const COLORREF kFrame = RGB(196, 196, 196);
constexpr int kPlainDocument = 1;
constexpr int kToolTipWidth = 400;  // long file names wrap instead of running off the screen

RECT ToRect(const SlotRect& r) { return {r.Left, r.Top, r.Left + r.Width, r.Top + r.Height}; }

}  // namespace

ThumbnailControl::IconLoader ThumbnailControl::ResourceIcons(HINSTANCE instance) {
    return [instance](int entry, int size) {
        return Icon(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_FILE_DOCUMENT + entry - 1),
                                                  IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    };
}

ThumbnailControl::ThumbnailControl(HINSTANCE instance, WindowArgs args, IconLoader icons)
    : loadIcon_(icons ? std::move(icons) : ResourceIcons(instance)), scale_(WindowScale(args.Parent)) {
    static_assert(std::tuple_size_v<decltype(slots_)> == qw::SlotCount);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);  // tool tips; without them the strip still works
    LoadIcons();
    frameBrush_.Reset(CreateSolidBrush(kFrame));

    args.Style |= WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP;
    Create(instance, {.Name = L"QuillwaveThumbnailStrip", .Style = CS_DBLCLKS}, args);
    // A tab stop of its own: from the keyboard its arrows scroll the strip.
    scrollBar_ = CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP | SBS_HORZ, 0,
                                 qw::ScrollBarTopAt(scale_), ClientWidth(), qw::ScrollBarHeightAt(scale_), Handle(),
                                 nullptr, instance, nullptr);
    if (!scrollBar_)
        throw std::runtime_error("cannot create the thumbnail strip's scroll bar: " + ErrorText(GetLastError()));
    scrollBarWatch_.Attach(scrollBar_, [this](UINT message, WPARAM wParam, LPARAM) {
        return OnScrollBarMessage(message, wParam);
    });
    SetScrollBar(false, 0, 0);

    toolTip_.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                   instance, nullptr));
    // Without tool tips the strip is still whole; only the hints are missing.
    if (toolTip_) SendMessageW(toolTip_.Get(), TTM_SETMAXTIPWIDTH, 0, scale_(kToolTipWidth));
}

void ThumbnailControl::LoadIcons() {
    // At the size they are drawn, so the document pictures are not stretched.
    const int side = scale_(qw::IconSize);
    for (int entry = 1; entry <= static_cast<int>(icons_.size()); ++entry) icons_[entry - 1] = loadIcon_(entry, side);
}

void ThumbnailControl::SetDpi(int dpi) {
    scale_ = qw::Scale{dpi};
    LoadIcons();
    if (toolTip_) {
        SendMessageW(toolTip_.Get(), TTM_SETMAXTIPWIDTH, 0, scale_(kToolTipWidth));
        // The tool tip's own font is the system's, made for the system's scale.
        const LOGFONTW font = MessageFontDescription(dpi);
        toolTipFont_ = FontFrom(font, font.lfWeight);
        SendMessageW(toolTip_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(toolTipFont_.Get()), FALSE);
    }
    SetScrollBarWidth(ClientWidth());
    InvalidateRect(Handle(), nullptr, TRUE);
}

SlotRect ThumbnailControl::IconPlace(int slot) const {
    const int side = scale_(qw::IconSize);
    return qw::PlaceInCell(slot, qw::PixelSize{side, side}, scale_);
}

// ---------------------------------------------------------------- the view

ThumbnailControl::Slot& ThumbnailControl::SlotAt(int slot) {
    if (slot < 1 || slot > static_cast<int>(slots_.size()))
        throw std::out_of_range("the thumbnail strip has no slot " + std::to_string(slot));
    return slots_[slot - 1];
}

const ThumbnailControl::Slot& ThumbnailControl::SlotAt(int slot) const {
    return const_cast<ThumbnailControl*>(this)->SlotAt(slot);
}

void ThumbnailControl::ShowPicture(int slot, std::shared_ptr<const qw::Picture> picture, SlotRect image,
                                   const std::string& toolTip) {
    Slot shown;
    shown.content = picture ? Content::Picture : Content::Icon;
    shown.picture = std::move(picture);
    shown.icon = kPlainDocument;
    shown.image = shown.picture ? image : IconPlace(slot);
    shown.toolTip = Widen(toolTip);
    Show(slot, std::move(shown));
}

void ThumbnailControl::ShowIcon(int slot, int iconEntry, SlotRect image, const std::string& toolTip) {
    Slot shown;
    shown.content = Content::Icon;
    shown.icon = iconEntry >= 1 && iconEntry <= static_cast<int>(icons_.size()) ? iconEntry : kPlainDocument;
    shown.image = image;
    shown.toolTip = Widen(toolTip);
    Show(slot, std::move(shown));
}

void ThumbnailControl::HideSlot(int slot) { Show(slot, Slot{}); }

void ThumbnailControl::Show(int slot, Slot content) {
    Slot& s = SlotAt(slot);
    if (s.content == Content::Hidden && content.content == Content::Hidden) return;
    InvalidateSlot(slot);  // where it was, in case the image reached outside its frame
    s = std::move(content);  // the picture it replaces goes now, not at the next paint
    if (slot == pressed_) pressed_ = 0;
    InvalidateSlot(slot);
    UpdateToolTip(slot);
}

void ThumbnailControl::InvalidateSlot(int slot) {
    if (!Handle()) return;
    RECT r = ToRect(qw::FrameOf(slot, scale_));
    if (SlotAt(slot).content != Content::Hidden) {
        const RECT image = DrawnRect(slot);
        UnionRect(&r, &r, &image);
    }
    InvalidateRect(Handle(), &r, FALSE);
}

void ThumbnailControl::UpdateToolTip(int slot) {
    if (!toolTip_) return;
    const Slot& s = SlotAt(slot);
    TTTOOLINFOW tool{};
    // The older size, which every version of the common controls accepts.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = Handle();
    tool.uId = static_cast<UINT_PTR>(slot);
    SendMessageW(toolTip_.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (s.content == Content::Hidden) return;
    tool.uFlags = TTF_SUBCLASS;
    tool.rect = DrawnRect(slot);
    tool.lpszText = const_cast<wchar_t*>(s.toolTip.c_str());  // copied by the tool tip
    SendMessageW(toolTip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

RECT ThumbnailControl::DrawnRect(int slot) const { return ToRect(SlotAt(slot).image); }

std::optional<RECT> ThumbnailControl::ImageRect(int slot) const {
    if (SlotAt(slot).content == Content::Hidden) return std::nullopt;
    return DrawnRect(slot);
}

int ThumbnailControl::SlotUnder(POINT at) const {
    for (int slot = 1; slot <= static_cast<int>(slots_.size()); ++slot) {
        if (SlotAt(slot).content == Content::Hidden) continue;
        const RECT r = DrawnRect(slot);
        if (PtInRect(&r, at)) return slot;
    }
    return 0;
}

int ThumbnailControl::SlotsInUse() const {
    const auto shown = std::count_if(slots_.begin(), slots_.end(),
                                     [](const Slot& s) { return s.content != Content::Hidden; });
    return std::max(1, static_cast<int>(shown));
}

void ThumbnailControl::SetScrollBar(bool enabled, int maximum, int value) {
    scrollEnabled_ = enabled;
    scrollMaximum_ = std::max(0, maximum);
    scrollValue_ = std::clamp(value, 0, scrollMaximum_);
    if (!scrollBar_) return;
    // A page as wide as the slots in use gives the thumb its proportion; the
    // range is widened by the page less one so that positions 0 to the
    // maximum, and no more, can be reached.
    const int page = SlotsInUse();
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = scrollMaximum_ + page - 1;
    info.nPage = static_cast<UINT>(page);
    info.nPos = scrollValue_;
    // Setting the position sends no WM_HSCROLL, so nothing is reported back.
    SetScrollInfo(scrollBar_, SB_CTL, &info, TRUE);
    EnableWindow(scrollBar_, enabled);
    // A new range may have greyed the arrows by itself.
    if (enabled) EnableScrollBar(scrollBar_, SB_CTL, ESB_ENABLE_BOTH);
}

void ThumbnailControl::SetScrollBarWidth(int width) {
    if (scrollBar_)
        SetWindowPos(scrollBar_, nullptr, 0, qw::ScrollBarTopAt(scale_), std::max(0, width), qw::ScrollBarHeightAt(scale_),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

int ThumbnailControl::ClientWidth() const {
    RECT client{};
    if (Handle()) GetClientRect(Handle(), &client);
    return client.right;
}

// ---------------------------------------------------------------- painting

void ThumbnailControl::Paint(HDC dc, const RECT& area) {
    SetDCBrushColor(dc, kBackground);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    for (int slot = 1; slot <= static_cast<int>(slots_.size()); ++slot) {
        if (SlotAt(slot).content == Content::Hidden) continue;
        RECT r = ToRect(qw::FrameOf(slot, scale_));
        const RECT image = DrawnRect(slot);
        UnionRect(&r, &r, &image);
        RECT overlap;
        if (IntersectRect(&overlap, &r, &area)) PaintSlot(dc, slot);
    }
    PaintFocus(dc);
}

void ThumbnailControl::PaintSlot(HDC dc, int slot) {
    Slot& s = SlotAt(slot);
    const RECT frame = ToRect(qw::FrameOf(slot, scale_));
    FrameRect(dc, &frame, frameBrush_.Get());  // under the image
    if (s.content == Content::Picture) {
        try {
            // Rendered at this size on the first paint only: the picture keeps it.
            DrawPicture(dc, *s.picture, DrawnRect(slot));
            return;
        } catch (const std::exception&) {
            // A paint has no one to report to; a picture that cannot be drawn
            // is shown from now on as a plain document, like one that cannot
            // be loaded.
            s.content = Content::Icon;
            s.picture.reset();
            s.icon = kPlainDocument;
            s.image = IconPlace(slot);
            UpdateToolTip(slot);
        }
    }
    DrawIcon(dc, s.icon, DrawnRect(slot));
}

void ThumbnailControl::DrawIcon(HDC dc, int entry, const RECT& where) const {
    HICON icon = icons_[entry - 1].Get();
    if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);  // shared: not destroyed
    DrawIconEx(dc, where.left, where.top, icon, where.right - where.left, where.bottom - where.top, 0, nullptr,
               DI_NORMAL);
}

// ---------------------------------------------------------------- input

void ThumbnailControl::OnButtonDown(POINT at) {
    SetFocus(Handle());  // as a list takes the focus, so the arrows go on from the click
    pressed_ = SlotUnder(at);
    if (pressed_) SetCapture(Handle());
}

void ThumbnailControl::OnButtonUp(POINT at) {
    const int pressed = std::exchange(pressed_, 0);
    if (GetCapture() == Handle()) ReleaseCapture();
    // Last thing done: the handler may change the slots or run a dialog.
    if (pressed && SlotUnder(at) == pressed && OnSlotClick) OnSlotClick(pressed);
}

void ThumbnailControl::OnDoubleClick(POINT at) {
    // The second press: its release is no click of its own.
    pressed_ = 0;
    const int slot = SlotUnder(at);
    if (slot && OnSlotDoubleClick) OnSlotDoubleClick(slot);
}

void ThumbnailControl::OnRightButtonUp(POINT at) {
    const int slot = SlotUnder(at);
    if (slot && OnSlotRightButtonUp) OnSlotRightButtonUp(slot);
}

void ThumbnailControl::OnHScroll(int request, int thumb) {
    if (!scrollEnabled_) return;
    int value = scrollValue_;
    switch (request) {
        case SB_LINELEFT: value -= 1; break;
        case SB_LINERIGHT: value += 1; break;
        case SB_PAGELEFT: value -= SlotsInUse(); break;
        case SB_PAGERIGHT: value += SlotsInUse(); break;
        case SB_LEFT: value = 0; break;
        case SB_RIGHT: value = scrollMaximum_; break;
        // While the thumb is dragged the bar draws it itself; the strip
        // follows once it is let go, instead of loading up to six pictures
        // for every position passed on the way.
        case SB_THUMBTRACK: return;
        // The list holds at most 32 767 files, so the 16-bit position is whole.
        case SB_THUMBPOSITION: value = thumb; break;
        default: return;  // SB_ENDSCROLL
    }
    value = std::clamp(value, 0, scrollMaximum_);
    // Only a change is a scroll; the presenter answers with SetScrollBar.
    if (value != scrollValue_ && OnScroll) OnScroll(value);
}

// ---------------------------------------------------------------- messages

void ThumbnailControl::OnDestroyed() {
    // The parent went first and took the strip with it.
    scrollBar_ = nullptr;
    toolTip_.Reset();
}

LRESULT ThumbnailControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (const auto answered = OnKeyboardMessage(message, wParam, lParam)) return *answered;
    // Drawn off screen and copied at once, so a slot never flickers white.
    if (const auto painted =
            PaintEveryPixel(Handle(), message, wParam, [this](HDC dc, const RECT& area) { Paint(dc, area); }))
        return *painted;
    switch (message) {
        case WM_DESTROY:
            // Owned by the top-level window, so it would outlive the strip.
            toolTip_.Reset();
            break;
        case WM_SIZE:
            return 0;  // OnResized
        case WM_LBUTTONDOWN: OnButtonDown(at); return 0;
        case WM_LBUTTONUP: OnButtonUp(at); return 0;
        case WM_LBUTTONDBLCLK: OnDoubleClick(at); return 0;
        case WM_RBUTTONUP:
            if (SlotUnder(at)) {
                // Handled here: no context menu follows for the parent.
                OnRightButtonUp(at);
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != Handle()) pressed_ = 0;
            return 0;
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == scrollBar_) OnHScroll(LOWORD(wParam), HIWORD(wParam));
            return 0;
        default: break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace qw::win32
