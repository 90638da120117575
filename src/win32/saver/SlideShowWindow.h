#pragma once
// The slide-show window: the whole grid and the clock drawn in one window,
// off screen first and copied in one piece, so nothing flickers however many
// cells there are. It reports focus, timer ticks, keys and the mouse to the
// slide show and decides nothing itself.
//
// A cell keeps its picture as a bitmap of exactly the size it is shown at,
// drawn once when the picture arrives; the picture itself, with the file's
// bytes, is let go at once. A screen of cells thus never holds more than a
// screen's worth of pixels, whatever the size of the photos.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "saver/SlideShowView.h"
#include "win32/kit/Handles.h"
#include "win32/kit/Window.h"

namespace qw {
class SlideShow;
}

namespace qw::win32 {

inline constexpr const wchar_t* SlideShowWindowClass = L"QuillwaveSlideShow";

// The program's slide show of the moment, asked at every event: null before
// one is started.
using CurrentShow = std::function<qw::SlideShow*()>;

class SlideShowWindow : public Window, public qw::SlideShowView {
public:
    // No window yet: OpenFullScreen or OpenPreview makes it. `closed` is
    // called once the window is gone, whoever destroyed it.
    SlideShowWindow(HINSTANCE instance, CurrentShow show, std::function<void()> closed);
    ~SlideShowWindow() override;

    // Borderless and topmost over `screen`, titled, in `background`, shown
    // with the focus. Throws std::runtime_error when it cannot be made.
    void OpenFullScreen(const std::wstring& title, COLORREF background, const RECT& screen);
    // A child filling the client area of `parent`, shown without the focus.
    // Throws std::runtime_error when it cannot be made.
    void OpenPreview(HWND parent, COLORREF background);
    void Close() { DestroyNow(); }

    // ---- SlideShowView
    qw::PixelSize InnerSize() const override;
    qw::Resolution DisplayResolution() const override;
    void ShowCellPicture(int cell, std::shared_ptr<const qw::Picture> picture, qw::ScreenRect rect) override;
    void HideCell(int cell) override;
    qw::PixelSize MeasureClockText(const std::string& text) override;
    void SetClock(const std::string& text, std::uint32_t textColor, std::uint32_t backColor,
                  qw::ScreenRect rect) override;
    void StartTimer(qw::SlideShowTimer timer, unsigned milliseconds) override;
    void StopTimer(qw::SlideShowTimer timer) override;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

private:
    struct Cell {
        Bitmap image;  // empty: the cell shows the background
        RECT place{};
    };

    void Open(const WindowArgs& args, COLORREF background);
    Bitmap Rendered(const qw::Picture& picture, int width, int height) const;
    // The window's resolution; a miniature's is its host window's.
    int Dpi() const;
    void Invalidate(const RECT& area) const;
    void Paint(HDC dc, const RECT& area) const;
    void PaintClock(HDC dc) const;
    bool OnInput(UINT message, WPARAM wParam, LPARAM lParam);
    template <typename F>
    void ToShow(F&& call);

    HINSTANCE instance_;
    CurrentShow show_;
    std::function<void()> closed_;
    bool preview_ = false;
    COLORREF background_ = 0;
    std::map<int, Cell> cells_;
    Font clockFont_;
    bool clockShown_ = false;
    std::wstring clockText_;
    COLORREF clockTextColor_ = 0;
    COLORREF clockBackColor_ = 0;
    RECT clockPlace_{};
};

}  // namespace qw::win32
