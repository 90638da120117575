#pragma once
// Pictures decoded by the Windows Imaging Component, the platform's own
// decoders for icons, GIF, BMP and JPEG. A picture keeps its decoded frame and
// the bitmap it last rendered, so thumbnails and the preview can draw it at
// their sizes without decoding the full image again on every paint.
//
// Photos are shown the way the camera was held: a JPEG's Exif orientation
// turns every rendering, and its size is the size as seen. A thumbnail-sized
// rendering is made from the small preview a photo carries, when it has one
// of the photo's proportions, instead of decoding millions of pixels.
//
// The loader and its pictures belong to the thread that made the loader.

#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shared/PhotoMetadata.h"
#include "shared/PictureFitting.h"
#include "shared/Pictures.h"
#include "win32/FileReading.h"
#include "win32/kit/Handles.h"
#include "win32/PictureDrawing.h"

namespace qw::win32 {

class WicSession;

class WicPicture : public DrawablePicture {
public:
    ~WicPicture() override;
    // The pictures alive in this process, with their bytes and decoders.
    static long Live() noexcept { return live_.load(); }
    WicPicture(const WicPicture&) = delete;
    WicPicture& operator=(const WicPicture&) = delete;

    // In HIMETRIC at the screen resolution of the moment the picture was
    // loaded; upright, so a photo taken on its side is taller than wide.
    HimetricSize NaturalSize() const override;
    qw::PixelSize Size() const { return size_; }

    // A 32-bpp top-down DIB section with premultiplied alpha of exactly this
    // size, upright. The picture owns it; it stays valid until two other sizes
    // have been asked for or the picture goes. Throws PictureError.
    HBITMAP Render(int width, int height) const;
    // Blends the picture scaled to the rectangle onto the DC, transparency
    // included. Draws nothing for an empty rectangle. Throws PictureError.
    void Draw(HDC dc, const RECT& where) const override;

private:
    friend class WicPictureLoader;
    WicPicture(std::shared_ptr<WicSession> session, PageBytes bytes,
               const std::string& path);

    // The picture's pixels at a size as stored (before turning), premultiplied.
    Microsoft::WRL::ComPtr<IWICBitmapSource> Scaled(qw::PixelSize stored) const;
    // The same from the embedded preview, or null when it cannot serve that size.
    Microsoft::WRL::ComPtr<IWICBitmapSource> FromPreview(qw::PixelSize stored) const;
    void OpenPreview() const;
    // The decoder's frame, opened on first use. Throws PictureError.
    IWICBitmapFrameDecode* Frame() const;
    void CheckDecodes(const std::string& path) const;

    // Counts the picture while it is alive, also one whose making throws.
    struct Counted {
        Counted() noexcept { ++live_; }
        ~Counted() { --live_; }
        Counted(const Counted&) = delete;
        Counted& operator=(const Counted&) = delete;
    };
    inline static std::atomic<long> live_{0};
    Counted counted_;

    // Declared first so that COM stays initialised until the objects below are released.
    std::shared_ptr<WicSession> session_;
    // The file's bytes: the decoder reads from memory, so no file stays open
    // (the inbox must be free to move or delete a picture on show).
    PageBytes bytes_;
    std::string path_;  // for messages
    // Opened by the first use of the frame: a JPEG, at its first decode.
    mutable Microsoft::WRL::ComPtr<IWICStream> stream_;
    mutable Microsoft::WRL::ComPtr<IWICBitmapDecoder> decoder_;
    mutable Microsoft::WRL::ComPtr<IWICBitmapFrameDecode> frame_;
    qw::PixelSize stored_;  // as the frame holds it
    qw::PixelSize size_;    // as it is seen, turned by the orientation
    HimetricSize natural_;
    bool scaleInDecoder_ = false;  // a JPEG
    int orientation_ = qw::kUpright;
    std::optional<qw::ByteRange> previewBytes_;

    // The embedded preview, looked at by the first rendering.
    enum class PreviewState { Unopened, Usable, Unusable };
    mutable PreviewState previewState_ = PreviewState::Unopened;
    mutable Microsoft::WRL::ComPtr<IWICStream> previewStream_;
    mutable Microsoft::WRL::ComPtr<IWICBitmapDecoder> previewDecoder_;
    mutable Microsoft::WRL::ComPtr<IWICBitmapSource> preview_;
    mutable qw::PixelSize previewSize_;  // as stored

    // The rendering cache, the latest first: drawing does not change the
    // picture itself. Two sizes, as the strip's thumbnail and the preview
    // share one picture of a file.
    struct Rendering {
        Bitmap Image;
        qw::PixelSize Size;
    };
    mutable Rendering rendered_[2];
};

class WicPictureLoader : public qw::PictureLoader {
public:
    // Initialises COM for this thread (apartment-threaded) unless it already
    // is, and creates the WIC factory. Throws PictureError when WIC is missing.
    WicPictureLoader();
    ~WicPictureLoader() override;

    std::unique_ptr<qw::Picture> Load(const std::string& path) override;
    // The same, for the windows that draw the picture.
    std::unique_ptr<WicPicture> LoadPicture(const std::string& path);

private:
    std::shared_ptr<WicSession> session_;
};

// Larger pictures are refused before any pixel is decoded.
constexpr std::uint64_t kMaxPicturePixels = 100'000'000;

}  // namespace qw::win32
