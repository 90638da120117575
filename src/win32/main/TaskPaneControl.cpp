#include "win32/main/TaskPaneControl.h"

#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "win32/kit/Dpi.h"
#include "win32/kit/Fonts.h"
#include "win32/kit/Utf.h"

namespace qw::win32 {

namespace {

const wchar_t kClassName[] = L"QuillwaveTaskPane";

// Sizes at 96 dots per inch.
constexpr int kMargin = 12;        // around the column of bars
constexpr int kBarGap = 14;        // between two bars
constexpr int kHeaderMin = 25;     // the title band's least height
constexpr int kBodyPadding = 10;   // above the first and below the last item
constexpr int kItemGap = 6;
constexpr int kItemIndent = 12;
constexpr int kIconGap = 6;        // between an item's icon and its caption
constexpr int kRightPadding = 10;
constexpr int kIconSize = 16;
constexpr int kScrollLine = 20;

}  // namespace

TaskPaneControl::TaskPaneControl(HINSTANCE instance, WindowArgs args) {
    dpi_ = WindowDpi(args.Parent);  // a child draws at its parent's resolution
    LoadFonts();
    args.Style |= WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    Create(instance, {.Name = L"QuillwaveTaskPane"}, args);
}

void TaskPaneControl::SetImageList(HIMAGELIST images) {
    images_ = images;
    Invalidate();
}

void TaskPaneControl::AddBar(const std::string& key, const std::string& title) {
    if (key.empty()) throw std::invalid_argument("a task pane bar needs a key");
    if (FindBar(key)) throw std::invalid_argument("the task pane already has a bar \"" + key + "\"");
    Bar bar;
    bar.key = key;
    bar.title = Widen(title);
    bars_.push_back(std::move(bar));
    Layout();
    Invalidate();
}

void TaskPaneControl::AddItem(const std::string& barKey, const std::string& itemKey, const std::string& caption,
                              int iconIndex) {
    Bar* bar = FindBar(barKey);
    if (!bar) throw std::invalid_argument("the task pane has no bar \"" + barKey + "\"");
    // An empty key would be taken for "no item" by the hover and press state.
    if (itemKey.empty()) throw std::invalid_argument("a task pane item needs a key");
    if (FindItem(itemKey)) throw std::invalid_argument("the task pane already has an item \"" + itemKey + "\"");
    Item item;
    item.key = itemKey;
    item.caption = Widen(caption);
    item.icon = iconIndex;
    bar->items.push_back(std::move(item));
    Layout();
    Invalidate();
}

COLORREF TaskPaneControl::ItemTextColor(const std::string& itemKey) const { return ItemOrThrow(itemKey).colour; }

void TaskPaneControl::SetItemTextColor(const std::string& itemKey, COLORREF colour) {
    Item& item = ItemOrThrow(itemKey);
    if (item.colour == colour) return;
    item.colour = colour;
    Invalidate(&item.hit);
}

bool TaskPaneControl::ItemClickable(const std::string& itemKey) const { return ItemOrThrow(itemKey).clickable; }

void TaskPaneControl::SetItemClickable(const std::string& itemKey, bool clickable) {
    Item& item = ItemOrThrow(itemKey);
    if (item.clickable == clickable) return;
    item.clickable = clickable;
    if (!clickable) {
        if (hot_ == itemKey) hot_.clear();
        if (pressed_ == itemKey) pressed_.clear();
    }
    Invalidate(&item.hit);
}

void TaskPaneControl::SetRedraw(bool on) {
    redraw_ = on;
    Invalidate();
}

void TaskPaneControl::SetDpi(int dpi) {
    dpi_ = dpi > 0 ? dpi : 96;
    LoadFonts();
    Layout();
    Invalidate();
}

void TaskPaneControl::Resize(int width, int height) {
    SetWindowPos(Handle(), nullptr, 0, 0, std::max(0, width), std::max(0, height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TaskPaneControl::ItemRect(const std::string& itemKey) const { return ToClient(ItemOrThrow(itemKey).hit); }

RECT TaskPaneControl::BarRect(const std::string& barKey) const {
    const Bar* bar = FindBar(barKey);
    if (!bar) throw std::invalid_argument("the task pane has no bar \"" + barKey + "\"");
    return ToClient(bar->rect);
}

// ---------------------------------------------------------------- lookup

TaskPaneControl::Bar* TaskPaneControl::FindBar(const std::string& key) {
    auto it = std::find_if(bars_.begin(), bars_.end(), [&](const Bar& b) { return b.key == key; });
    return it == bars_.end() ? nullptr : &*it;
}

const TaskPaneControl::Bar* TaskPaneControl::FindBar(const std::string& key) const {
    return const_cast<TaskPaneControl*>(this)->FindBar(key);
}

TaskPaneControl::Item* TaskPaneControl::FindItem(const std::string& key) {
    for (Bar& bar : bars_)
        for (Item& item : bar.items)
            if (item.key == key) return &item;
    return nullptr;
}

const TaskPaneControl::Item* TaskPaneControl::FindItem(const std::string& key) const {
    return const_cast<TaskPaneControl*>(this)->FindItem(key);
}

TaskPaneControl::Item& TaskPaneControl::ItemOrThrow(const std::string& key) {
    Item* item = FindItem(key);
    if (!item) throw std::invalid_argument("the task pane has no item \"" + key + "\"");
    return *item;
}

const TaskPaneControl::Item& TaskPaneControl::ItemOrThrow(const std::string& key) const {
    return const_cast<TaskPaneControl*>(this)->ItemOrThrow(key);
}

// ---------------------------------------------------------------- layout

void TaskPaneControl::LoadFonts() {
    const LOGFONTW base = MessageFontDescription(dpi_);
    fonts_.caption = FontFrom(base, base.lfWeight);
    fonts_.hover = FontFrom(base, base.lfWeight, true);
    fonts_.title = FontFrom(base, FW_BOLD);
}

int TaskPaneControl::Scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }

void TaskPaneControl::Layout() {
    if (!Handle() || inLayout_) return;
    inLayout_ = true;
    RECT frame;
    GetWindowRect(Handle(), &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // Lay out for the full width; only when that does not fit, make room for
    // the scroll bar. Both depend on the window's size alone, so showing or
    // hiding the bar cannot make the layout flip back and forth.
    contentHeight_ = LayOutBars(width);
    if (contentHeight_ > height) contentHeight_ = LayOutBars(width - GetSystemMetrics(SM_CXVSCROLL));
    UpdateScrollBar();
    inLayout_ = false;
}

int TaskPaneControl::LayOutBars(int width) {
    const ClientDC client(Handle());
    const HDC dc = client.Get();
    TEXTMETRICW caption{}, title{};
    {
        const Selection titleFont(dc, fonts_.title.Get());
        GetTextMetricsW(dc, &title);
    }
    const Selection captionFont(dc, fonts_.caption.Get());
    GetTextMetricsW(dc, &caption);

    const int left = Scaled(kMargin);
    const int right = std::max(left + Scaled(kMargin) * 2, width - Scaled(kMargin));
    const int headerHeight = std::max(Scaled(kHeaderMin), static_cast<int>(title.tmHeight) + Scaled(8));
    // The image list's size: its icons are drawn at the pane's resolution.
    int iconSize = Scaled(kIconSize), iconHeight = iconSize;
    if (images_) ImageList_GetIconSize(images_, &iconSize, &iconHeight);
    const int line = caption.tmHeight;
    int y = Scaled(kMargin);
    for (Bar& bar : bars_) {
        bar.rect = {left, y, right, 0};
        bar.header = {left, y, right, y + headerHeight};
        int itemTop = bar.header.bottom + Scaled(kBodyPadding);
        for (Item& item : bar.items) {
            const int textLeft = left + Scaled(kItemIndent) + iconSize + Scaled(kIconGap);
            const int textRight = std::max(textLeft + 1, right - Scaled(kRightPadding));
            // Long captions wrap inside the panel rather than being cut off.
            RECT text{textLeft, 0, textRight, 0};
            DrawTextW(dc, item.caption.c_str(), -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            const int textHeight = std::max(line, static_cast<int>(text.bottom - text.top));
            const int rowHeight = std::max(iconSize, textHeight);
            const int textTop = itemTop + std::max(0, (iconSize - line) / 2);
            item.text = {textLeft, textTop, std::min(textRight, static_cast<int>(text.right)), textTop + textHeight};
            item.iconAt = {left + Scaled(kItemIndent), itemTop + std::max(0, (line - iconSize) / 2)};
            item.hit = {item.iconAt.x, itemTop, std::max(item.text.right, item.iconAt.x + iconSize),
                        itemTop + rowHeight};
            itemTop += rowHeight + Scaled(kItemGap);
        }
        bar.rect.bottom = bar.items.empty() ? bar.header.bottom + Scaled(kBodyPadding)
                                            : itemTop - Scaled(kItemGap) + Scaled(kBodyPadding);
        y = bar.rect.bottom + Scaled(kBarGap);
    }
    return bars_.empty() ? 0 : y - Scaled(kBarGap) + Scaled(kMargin);
}

void TaskPaneControl::UpdateScrollBar() {
    RECT frame;
    GetWindowRect(Handle(), &frame);
    const int page = frame.bottom - frame.top;
    scroll_ = std::clamp(scroll_, 0, std::max(0, contentHeight_ - page));
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, contentHeight_ - 1);
    info.nPage = static_cast<UINT>(std::max(0, page));
    info.nPos = scroll_;
    // The bar shows itself when the content is taller than the window.
    SetScrollInfo(Handle(), SB_VERT, &info, redraw_);
}

void TaskPaneControl::ScrollTo(int position) {
    RECT client;
    GetClientRect(Handle(), &client);
    position = std::clamp(position, 0, std::max(0, contentHeight_ - static_cast<int>(client.bottom)));
    if (position == scroll_) return;
    scroll_ = position;
    SetScrollPos(Handle(), SB_VERT, scroll_, redraw_);
    SetHot(nullptr);  // the items moved under the mouse; the next move finds the new one
    Invalidate();
}

void TaskPaneControl::Invalidate(const RECT* contentRect) {
    if (!Handle() || !redraw_) return;
    if (contentRect) {
        const RECT r = ToClient(*contentRect);
        InvalidateRect(Handle(), &r, FALSE);
    } else {
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

RECT TaskPaneControl::ToClient(RECT r) const {
    OffsetRect(&r, 0, -scroll_);
    return r;
}

const TaskPaneControl::Item* TaskPaneControl::ItemAt(POINT client) const {
    const POINT at{client.x, client.y + scroll_};
    for (const Bar& bar : bars_)
        for (const Item& item : bar.items)
            if (PtInRect(&item.hit, at)) return &item;
    return nullptr;
}

// ---------------------------------------------------------------- mouse

void TaskPaneControl::SetHot(const Item* item) {
    const std::string key = item ? item->key : std::string();
    if (key == hot_) return;
    if (const Item* old = FindItem(hot_)) Invalidate(&old->hit);
    hot_ = key;
    if (item) Invalidate(&item->hit);
}

void TaskPaneControl::OnMouseMove(POINT at) {
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    const Item* item = ItemAt(at);
    SetHot(item && item->clickable ? item : nullptr);
}

void TaskPaneControl::OnMouseLeave() {
    trackingLeave_ = false;
    SetHot(nullptr);
}

bool TaskPaneControl::OnSetCursor() {
    POINT at;
    GetCursorPos(&at);
    ScreenToClient(Handle(), &at);
    const Item* item = ItemAt(at);
    SetCursor(LoadCursorW(nullptr, item && item->clickable ? IDC_HAND : IDC_ARROW));
    return true;
}

void TaskPaneControl::OnButtonDown(POINT at) {
    const Item* item = ItemAt(at);
    pressed_ = item && item->clickable ? item->key : std::string();
    if (!pressed_.empty()) SetCapture(Handle());
}

void TaskPaneControl::OnButtonUp(POINT at) {
    const std::string pressed = std::move(pressed_);
    pressed_.clear();
    if (GetCapture() == Handle()) ReleaseCapture();
    const Item* item = ItemAt(at);
    if (pressed.empty() || !item || item->key != pressed || !item->clickable) return;
    // Last thing done here: the handler may run a modal dialog or change the pane.
    if (OnItemClick) OnItemClick(pressed);
}

void TaskPaneControl::OnVScroll(int request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(Handle(), SB_VERT, &info);
    const int page = static_cast<int>(info.nPage);
    switch (request) {
        case SB_LINEUP: ScrollTo(scroll_ - Scaled(kScrollLine)); break;
        case SB_LINEDOWN: ScrollTo(scroll_ + Scaled(kScrollLine)); break;
        case SB_PAGEUP: ScrollTo(scroll_ - page); break;
        case SB_PAGEDOWN: ScrollTo(scroll_ + page); break;
        case SB_TOP: ScrollTo(0); break;
        case SB_BOTTOM: ScrollTo(contentHeight_); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: ScrollTo(info.nTrackPos); break;
        default: break;
    }
}

// ---------------------------------------------------------------- messages

void TaskPaneControl::OnResized(int, int) {
    Layout();
    Invalidate();
}

LRESULT TaskPaneControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (const auto answered = OnKeyboardMessage(message, wParam, lParam)) return *answered;
    switch (message) {
        case WM_SIZE:
            return 0;  // OnResized
        case WM_ERASEBKGND:
            return 1;  // Paint covers every pixel
        case WM_PAINT: {
            const PaintScope paint(Handle());
            Paint(paint.DC());
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_MOUSEMOVE: OnMouseMove(at); return 0;
        case WM_MOUSELEAVE: OnMouseLeave(); return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && OnSetCursor()) return TRUE;
            break;
        case WM_LBUTTONDOWN: OnButtonDown(at); return 0;
        case WM_LBUTTONUP: OnButtonUp(at); return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != Handle()) pressed_.clear();
            return 0;
        case WM_VSCROLL: OnVScroll(LOWORD(wParam)); return 0;
        case WM_MOUSEWHEEL: {
            RECT client;
            GetClientRect(Handle(), &client);
            if (contentHeight_ <= client.bottom) break;  // nothing to scroll: let the parent have it
            ScrollTo(scroll_ - GET_WHEEL_DELTA_WPARAM(wParam) * Scaled(kScrollLine) * 3 / WHEEL_DELTA);
            return 0;
        }
        case WM_SETTINGCHANGE:  // when the main window passes it on
            if (wParam == SPI_SETNONCLIENTMETRICS) {
                LoadFonts();
                Layout();
                Invalidate();
            }
            break;
        default: break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace qw::win32
