#include "win32/main/PaintedPicture.h"

#include <cstdint>
#include <string>

#include "win32/PictureDrawing.h"
#include "win32/kit/Utf.h"

namespace qw::win32 {

PaintedPicture::PaintedPicture(const qw::Picture& picture, int width, int height) {
    const auto size = std::to_string(width) + " x " + std::to_string(height);
    if (width <= 0 || height <= 0) throw PictureError("A picture cannot be painted at " + size + " pixels");
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * 3 + 3) / 4 * 4;
    const std::uint64_t bytes = stride * static_cast<std::uint64_t>(height);
    if (bytes > MAXDWORD) throw PictureError("A picture cannot be painted at " + size + " pixels");
    BITMAPINFOHEADER& header = info_.bmiHeader;
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, the form every reader of bitmaps knows
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(bytes);
    section_.Reset(CreateDIBSection(nullptr, &info_, DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (!section_ || !bits_)
        throw PictureError("No bitmap of " + size + " pixels can be made: " + ErrorText(GetLastError()));
    MemoryDC dc(CreateCompatibleDC(nullptr));
    if (!dc) throw PictureError("No device context for a bitmap: " + ErrorText(GetLastError()));
    {
        Selection selected(dc.Get(), section_.Get());
        PatBlt(dc.Get(), 0, 0, width, height, WHITENESS);
        DrawPicture(dc.Get(), picture, RECT{0, 0, width, height});
    }
    GdiFlush();  // the pixels are read straight from memory
}

qw::PixelSize OwnPixelSize(const qw::Picture& picture) {
    // Natural sizes count the picture's pixels at 96 dpi, whatever the screen's.
    return qw::PictureSizeInPixels(picture, qw::Resolution{96, 96});
}

}  // namespace qw::win32
