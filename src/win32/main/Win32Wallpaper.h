#pragma once
// The desktop wallpaper: a picture encoded as a Windows bitmap file with the
// platform's own encoder, and that file made the wallpaper.

#include "main/MainPorts.h"

namespace qw::win32 {

class Win32Wallpaper : public qw::Wallpaper {
public:
    // The picture at its own pixel size as a 24-bpp bitmap file, transparent
    // parts white. Throws PictureError.
    std::vector<std::uint8_t> BitmapFile(const qw::Picture& picture) override;
    // Through the wide call, so a folder whose name the ANSI code page cannot
    // spell still works; stored in the profile and announced to every
    // window. Throws std::runtime_error when Windows refuses.
    void SetWallpaper(const std::string& bitmapPath) override;
};

}  // namespace qw::win32
