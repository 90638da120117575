#include "win32/saver/SlideShowWindow.h"

#include <windowsx.h>

#include <utility>

#include "saver/SlideShow.h"
#include "win32/kit/Display.h"
#include "win32/kit/Dpi.h"
#include "win32/kit/Fonts.h"
#include "win32/PictureDrawing.h"
#include "win32/kit/Utf.h"

namespace qw::win32 {

namespace {

constexpr qw::SlideShowTimer AllTimers[] = {qw::SlideShowTimer::Image, qw::SlideShowTimer::CheckFolder,
                                            qw::SlideShowTimer::Clock, qw::SlideShowTimer::ResetMouseCounter};

RECT ToRect(const qw::ScreenRect& r) { return {r.Left, r.Top, r.Left + r.Width, r.Top + r.Height}; }

void FillSolid(HDC dc, const RECT& area, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

}  // namespace

SlideShowWindow::SlideShowWindow(HINSTANCE instance, CurrentShow show, std::function<void()> closed)
    : instance_(instance),
      show_(std::move(show)),
      closed_(std::move(closed)) {}

SlideShowWindow::~SlideShowWindow() {
    // The window goes before the bitmaps and the font it shows; it no longer
    // reports to anyone on its way.
    closed_ = nullptr;
    show_ = nullptr;
    DestroyNow();
}

void SlideShowWindow::OpenFullScreen(const std::wstring& title, COLORREF background, const RECT& screen) {
    const int width = screen.right - screen.left, height = screen.bottom - screen.top;
    // Made at its full size, so that the first focus, which sets the show
    // up, already finds the grid's size; shown afterwards.
    Open({.Style = WS_POPUP | WS_CLIPCHILDREN,
          .ExStyle = WS_EX_TOPMOST,
          .X = screen.left,
          .Y = screen.top,
          .Width = width,
          .Height = height,
          .Title = title},
         background);
    SetWindowPos(Handle(), HWND_TOPMOST, screen.left, screen.top, width, height, SWP_SHOWWINDOW);
    SetForegroundWindow(Handle());
}

void SlideShowWindow::OpenPreview(HWND parent, COLORREF background) {
    preview_ = true;
    RECT client{};
    GetClientRect(parent, &client);
    // The parent usually belongs to another program, which must not be
    // asked anything while this window is made.
    Open({.Parent = parent,
          .Style = WS_CHILD | WS_VISIBLE,
          .ExStyle = WS_EX_NOPARENTNOTIFY,
          .X = 0,
          .Y = 0,
          .Width = client.right,
          .Height = client.bottom},
         background);
}

void SlideShowWindow::Open(const WindowArgs& args, COLORREF background) {
    background_ = background;
    Create(instance_, {.Name = SlideShowWindowClass}, args);
    // At the resolution of the monitor the window is on (the host's for a
    // miniature); nothing has measured or drawn the clock yet.
    clockFont_ = PointFont(L"System", 975, FW_BOLD, false, Dpi());  // 9.75 points
}

// ---------------------------------------------------------------- the view

qw::PixelSize SlideShowWindow::InnerSize() const {
    RECT client{};
    if (Handle()) GetClientRect(Handle(), &client);
    return {client.right, client.bottom};
}

qw::Resolution SlideShowWindow::DisplayResolution() const {
    // Twips become pixels at the resolution of the monitor shown on; a
    // miniature takes its host window's.
    return qw::Resolution{Dpi(), Dpi()};
}

int SlideShowWindow::Dpi() const { return WindowDpi(preview_ && Handle() ? GetParent(Handle()) : Handle()); }

void SlideShowWindow::ShowCellPicture(int cell, std::shared_ptr<const qw::Picture> picture, qw::ScreenRect rect) {
    Cell& shown = cells_[cell];
    Invalidate(shown.place);
    shown.place = ToRect(rect);
    // Drawn now, at the cell's size; the picture goes when this call returns.
    shown.image = picture ? Rendered(*picture, rect.Width, rect.Height) : Bitmap();
    Invalidate(shown.place);
}

void SlideShowWindow::HideCell(int cell) {
    const auto found = cells_.find(cell);
    if (found == cells_.end()) return;
    Invalidate(found->second.place);
    cells_.erase(found);
}

Bitmap SlideShowWindow::Rendered(const qw::Picture& picture, int width, int height) const {
    if (width <= 0 || height <= 0) return {};
    const ClientDC screen;
    const MemoryDC memory(CreateCompatibleDC(screen.Get()));
    Bitmap image(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!memory || !image) return {};  // out of GDI resources: the background shows
    const Selection selected(memory.Get(), image.Get());
    const RECT all{0, 0, width, height};
    // Transparent parts of icons and GIFs show the background, as they
    // would on the window itself.
    FillSolid(memory.Get(), all, background_);
    try {
        DrawPicture(memory.Get(), picture, all);
    } catch (const std::exception&) {
        // A picture that loaded but cannot be drawn leaves the background,
        // like one that did not load.
        return {};
    }
    return image;
}

qw::PixelSize SlideShowWindow::MeasureClockText(const std::string& text) {
    const std::wstring wide = Widen(text);
    const ClientDC screen;
    const Selection font(screen.Get(), clockFont_.Get());
    SIZE size{};
    GetTextExtentPoint32W(screen.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return {size.cx, size.cy};
}

void SlideShowWindow::SetClock(const std::string& text, std::uint32_t textColor, std::uint32_t backColor,
                               qw::ScreenRect rect) {
    Invalidate(clockPlace_);
    clockShown_ = true;
    clockText_ = Widen(text);
    clockTextColor_ = static_cast<COLORREF>(textColor);
    clockBackColor_ = static_cast<COLORREF>(backColor);
    clockPlace_ = ToRect(rect);
    Invalidate(clockPlace_);
}

void SlideShowWindow::StartTimer(qw::SlideShowTimer timer, unsigned milliseconds) {
    // Setting a running timer again starts its interval afresh.
    if (Handle()) SetTimer(Handle(), static_cast<UINT_PTR>(timer), milliseconds, nullptr);
}

void SlideShowWindow::StopTimer(qw::SlideShowTimer timer) {
    if (Handle()) KillTimer(Handle(), static_cast<UINT_PTR>(timer));
}

void SlideShowWindow::Invalidate(const RECT& area) const {
    if (Handle() && area.right > area.left && area.bottom > area.top) InvalidateRect(Handle(), &area, FALSE);
}

// ---------------------------------------------------------------- painting

void SlideShowWindow::Paint(HDC dc, const RECT& area) const {
    FillSolid(dc, area, background_);
    const MemoryDC source(CreateCompatibleDC(dc));
    if (source) {
        for (const auto& [number, cell] : cells_) {
            RECT overlap;
            if (!cell.image || !IntersectRect(&overlap, &cell.place, &area)) continue;
            const Selection selected(source.Get(), cell.image.Get());
            BitBlt(dc, cell.place.left, cell.place.top, cell.place.right - cell.place.left,
                   cell.place.bottom - cell.place.top, source.Get(), 0, 0, SRCCOPY);
        }
    }
    RECT overlap;
    if (clockShown_ && IntersectRect(&overlap, &clockPlace_, &area)) PaintClock(dc);
}

void SlideShowWindow::PaintClock(HDC dc) const {
    FillSolid(dc, clockPlace_, clockBackColor_);
    const Selection font(dc, clockFont_.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, clockTextColor_);
    RECT place = clockPlace_;
    DrawTextW(dc, clockText_.c_str(), static_cast<int>(clockText_.size()), &place,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

// ---------------------------------------------------------------- messages

template <typename F>
void SlideShowWindow::ToShow(F&& call) {
    if (qw::SlideShow* show = show_ ? show_() : nullptr) call(*show);
}

// Keys, buttons and moves go to the slide show, which decides whether they
// end it. Moves are reported in screen coordinates, the one system that the
// windows on other monitors share with this one.
bool SlideShowWindow::OnInput(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CHAR:
            ToShow([](qw::SlideShow& show) { show.OnKey(); });
            return true;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            ToShow([](qw::SlideShow& show) { show.OnMouseButton(); });
            return true;
        case WM_MOUSEMOVE: {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(Handle(), &at);
            ToShow([&](qw::SlideShow& show) { show.OnMouseMove(static_cast<float>(at.x), static_cast<float>(at.y)); });
            return true;
        }
        default:
            return false;
    }
}

LRESULT SlideShowWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // In the small monitor the window only shows; keys such as Alt+F4 and
    // Tab belong to the dialog around it.
    if (OnInput(message, wParam, lParam) && !preview_) return 0;
    if (const auto painted =
            PaintEveryPixel(Handle(), message, wParam, [this](HDC dc, const RECT& area) { Paint(dc, area); }))
        return *painted;
    switch (message) {
        case WM_SETFOCUS:
            ToShow([](qw::SlideShow& show) { show.OnFocus(); });
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) ToShow([](qw::SlideShow& show) { show.OnFocus(); });
            break;
        case WM_TIMER:
            for (const qw::SlideShowTimer timer : AllTimers)
                if (wParam == static_cast<WPARAM>(timer)) ToShow([&](qw::SlideShow& show) { show.OnTimer(timer); });
            return 0;
        case WM_SYSCOMMAND:
            // Windows must not start a screen saver over the running one.
            if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;
            break;
        case WM_ENDSESSION:
            // Windows is ending the session: the show ends as on input.
            if (wParam) DestroyNow();
            return 0;
        case WM_DESTROY:
            for (const qw::SlideShowTimer timer : AllTimers) KillTimer(Handle(), static_cast<UINT_PTR>(timer));
            return 0;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

void SlideShowWindow::OnDestroyed() {
    if (closed_) closed_();
}

}  // namespace qw::win32
