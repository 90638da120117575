#pragma once
// A picture painted onto white as a 24-bpp bottom-up device-independent
// bitmap: the form the clipboard, bitmap files and printers all take.
// Transparent parts of an icon or GIF become white.

#include <windows.h>

#include <cstddef>

#include "shared/PictureFitting.h"
#include "shared/Pictures.h"
#include "win32/kit/Handles.h"

namespace qw::win32 {

class PaintedPicture {
public:
    // Paints the picture scaled to width x height. Throws PictureError when
    // no bitmap of that size can be had or the picture cannot be drawn.
    PaintedPicture(const qw::Picture& picture, int width, int height);

    const BITMAPINFO& Info() const { return info_; }
    const BITMAPINFOHEADER& Header() const { return info_.bmiHeader; }
    const void* Bits() const { return bits_; }
    std::size_t BitsSize() const { return info_.bmiHeader.biSizeImage; }
    HBITMAP Handle() const { return section_.Get(); }

private:
    BITMAPINFO info_{};
    Bitmap section_;
    void* bits_ = nullptr;
};

// The size in pixels the picture was decoded at: its natural size at the
// screen resolution the loaders measure with.
qw::PixelSize OwnPixelSize(const qw::Picture& picture);

}  // namespace qw::win32
