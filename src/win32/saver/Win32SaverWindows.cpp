#include "win32/saver/Win32SaverWindows.h"

#include <cstdint>
#include <stdexcept>

#include "win32/kit/Utf.h"

namespace qw::win32 {

void Win32SaverWindows::CoverOtherMonitors(std::uint32_t background) {
    for (const RECT& monitor : OtherMonitors()) {
        try {
            covers_.push_back(
                std::make_unique<MonitorCover>(instance_, monitor, static_cast<COLORREF>(background), show_));
        } catch (const std::runtime_error&) {
            // A monitor left showing its desktop is better than no slide show.
        }
    }
}

void Win32SaverWindows::OpenFullScreen(const std::string& title, std::uint32_t background) {
    // The desktop window's rectangle is the primary screen's.
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    slideShow_.OpenFullScreen(Widen(title), static_cast<COLORREF>(background),
                              {0, 0, desktop.right, desktop.bottom});
}

bool Win32SaverWindows::OpenPreview(std::uint64_t parent, std::uint32_t background) {
    if (parent > UINTPTR_MAX) return false;
    const HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(parent));
    if (!window || !IsWindow(window)) return false;
    try {
        slideShow_.OpenPreview(window, static_cast<COLORREF>(background));
    } catch (const std::runtime_error&) {
        return false;  // the window went away meanwhile
    }
    return true;
}

}  // namespace qw::win32
