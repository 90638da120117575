#pragma once
// The screen saver's windows: the slide-show window over the primary screen
// or in the small monitor of the display settings, and covers over every
// other monitor.

#include <windows.h>

#include <memory>
#include <vector>

#include "saver/SaverPorts.h"
#include "win32/saver/MonitorCover.h"
#include "win32/saver/SlideShowWindow.h"

namespace qw::win32 {

class Win32SaverWindows : public qw::SaverWindows {
public:
    // `slideShow` is the window the program was given as its view; covers
    // report their input to `show` as the slide-show window does.
    Win32SaverWindows(HINSTANCE instance, SlideShowWindow& slideShow, CurrentShow show)
        : instance_(instance), slideShow_(slideShow), show_(std::move(show)) {}

    void CoverOtherMonitors(std::uint32_t background) override;
    void OpenFullScreen(const std::string& title, std::uint32_t background) override;
    bool OpenPreview(std::uint64_t parent, std::uint32_t background) override;

    std::size_t CoverCount() const { return covers_.size(); }

private:
    HINSTANCE instance_;
    SlideShowWindow& slideShow_;
    CurrentShow show_;
    std::vector<std::unique_ptr<MonitorCover>> covers_;
};

}  // namespace qw::win32
