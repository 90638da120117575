#pragma once
// A window of one colour over a monitor other than the primary one, so that
// no desktop shows beside the slide show. It never takes the focus away from
// the slide show, and input on it counts as input on the slide show.

#include <windows.h>

#include <vector>

#include "win32/saver/SlideShowWindow.h"
#include "win32/kit/Window.h"

namespace qw::win32 {

inline constexpr const wchar_t* MonitorCoverClass = L"QuillwaveSlideShowCover";

class MonitorCover : public Window {
public:
    // Shown at once, topmost, over `area` (screen coordinates), without
    // activating. Throws std::runtime_error when it cannot be made.
    MonitorCover(HINSTANCE instance, const RECT& area, COLORREF colour, CurrentShow show);

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Fill(HDC dc) const;
    template <typename F>
    void ToShow(F&& call);

    COLORREF colour_;
    CurrentShow show_;
};

// The monitors besides the primary one, in screen coordinates.
std::vector<RECT> OtherMonitors();

}  // namespace qw::win32
