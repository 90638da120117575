#include "win32/WicPictures.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <utility>

#include "shared/PhotoMetadata.h"
#include "shared/PictureStructure.h"
#include "win32/FileReading.h"
#include "win32/kit/Utf.h"

namespace qw::win32 {

using Microsoft::WRL::ComPtr;

namespace {

// The whole file is held in memory while the picture lives; a bigger file is
// refused instead of exhausting a 32-bit address space.
constexpr std::uint64_t kMaxPictureFile = 256ull * 1024 * 1024;
// A format whose structure is not read (icons) is decoded at load at this
// size at most, to find damaged and incomplete files: every pixel row is
// still read, little memory is used.
constexpr int kCheckSide = 64;
// A picture is turned upright through a band of its rows at a time.
constexpr int kBandBytes = 1 << 20;

std::string HresultText(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

void Check(HRESULT hr, const std::string& path, const char* problem) {
    if (FAILED(hr)) throw PictureError("The picture \"" + path + "\" " + problem + " (" + HresultText(hr) + ")");
}

PageBytes ReadPictureFile(const std::string& path) {
    PageBytes bytes;
    try {
        bytes = ReadWholeFileIntoPages(path, kMaxPictureFile);
    } catch (const FileReadError& e) {
        throw PictureError("The picture \"" + path + "\" cannot be read: " + e.what());
    }
    if (bytes.empty()) throw PictureError("The picture \"" + path + "\" cannot be read: the file is empty");
    return bytes;
}

// Copies the source's pixels, `stored` as the source has them, into the
// 32-bpp rows of the upright picture. The orientations the decoders cannot
// apply themselves (the platform's flip-rotator may lack all but the vertical
// flip) are done here, a band of rows at a time.
HRESULT CopyUpright(IWICBitmapSource* source, qw::PixelSize stored, int orientation, BYTE* upright) {
    const UINT stride = static_cast<UINT>(stored.Width) * 4;
    if (orientation == qw::kUpright)
        return source->CopyPixels(nullptr, stride, stride * static_cast<UINT>(stored.Height), upright);
    const int bandRows = std::clamp(kBandBytes / static_cast<int>(stride), 1, stored.Height);
    std::vector<std::uint32_t> band(static_cast<std::size_t>(stored.Width) * bandRows);
    auto* out = reinterpret_cast<std::uint32_t*>(upright);
    const qw::PixelWalk walk = qw::UprightWalk(orientation, stored);
    for (int top = 0; top < stored.Height; top += bandRows) {
        const int rows = std::min(bandRows, stored.Height - top);
        const WICRect rect{0, top, stored.Width, rows};
        const HRESULT hr = source->CopyPixels(&rect, stride, stride * static_cast<UINT>(rows),
                                              reinterpret_cast<BYTE*>(band.data()));
        if (FAILED(hr)) return hr;
        for (int y = 0; y < rows; ++y) {
            const std::uint32_t* in = band.data() + static_cast<std::size_t>(y) * stored.Width;
            std::int64_t at = walk.Origin + (top + y) * walk.StepY;
            for (int x = 0; x < stored.Width; ++x, at += walk.StepX) out[at] = in[x];
        }
    }
    return S_OK;
}

}  // namespace

// COM for the thread and the WIC factory, shared by the loader and its
// pictures: the last of them to go releases the factory and then COM.
class WicSession {
public:
    WicSession() {
        if (!com_.Usable()) throw PictureError("COM cannot be initialised (" + HresultText(com_.Result()) + ")");
        const HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_PPV_ARGS(&factory_));
        if (FAILED(hr))
            throw PictureError("The Windows Imaging Component is not available (" + HresultText(hr) + ")");
    }
    WicSession(const WicSession&) = delete;
    WicSession& operator=(const WicSession&) = delete;

    IWICImagingFactory* Factory() const { return factory_.Get(); }

private:
    ComScope com_;  // goes after the factory
    ComPtr<IWICImagingFactory> factory_;
};

WicPicture::WicPicture(std::shared_ptr<WicSession> session, PageBytes bytes,
                       const std::string& path)
    : session_(std::move(session)), bytes_(std::move(bytes)), path_(path) {
    // A JPEG is measured from its frame header: a decoder may decode every
    // pixel as soon as it opens the file, which a thumbnail drawn from the
    // photo's preview never needs. It is opened when the pixels are wanted.
    UINT width = 0, height = 0;
    if (const std::optional<qw::PixelSize> jpeg = qw::JpegFrameSize(bytes_)) {
        width = static_cast<UINT>(jpeg->Width);
        height = static_cast<UINT>(jpeg->Height);
        scaleInDecoder_ = true;
    } else {
        Check(Frame()->GetSize(&width, &height), path, "has no readable size");
        // Only the JPEG decoder can scale while decoding, and only when the
        // scaler sits directly on its frame. Every other format is made
        // premultiplied first, so transparent edges scale without dark
        // fringes and palette pictures scale smoothly.
        GUID container{};
        scaleInDecoder_ = SUCCEEDED(decoder_->GetContainerFormat(&container)) &&
                          IsEqualGUID(container, GUID_ContainerFormatJpeg);
    }
    if (width == 0 || height == 0) throw PictureError("The picture \"" + path + "\" is empty");
    // Refused from the header alone, before a single pixel is decoded.
    if (static_cast<std::uint64_t>(width) * height > kMaxPicturePixels)
        throw PictureError("The picture \"" + path + "\" is too large to show (" + std::to_string(width) +
                           " x " + std::to_string(height) + " pixels)");
    stored_ = {static_cast<int>(width), static_cast<int>(height)};

    // Read by hand: the platform's metadata readers are not everywhere.
    if (scaleInDecoder_) {
        const qw::PhotoMetadata metadata = qw::ReadPhotoMetadata(bytes_);
        orientation_ = metadata.Orientation;
        previewBytes_ = metadata.Preview;
    }
    size_ = qw::OrientedSize(stored_, orientation_);
    // A picture's pixels are taken as pixels of a 96-dpi screen, like every
    // other fixed length of the program's windows: on a screen of 150 % it is
    // shown half as large again, as the window around it is.
    natural_ = qw::PixelsToHimetric(size_, qw::Resolution{96, 96});
    CheckDecodes(path);
    CloseFrame();
}

IWICBitmapFrameDecode* WicPicture::Frame() const {
    if (frame_) return frame_.Get();
    CloseFrame();  // what an earlier attempt left
    IWICImagingFactory* factory = session_->Factory();
    Check(factory->CreateStream(&stream_), path_, "cannot be read");
    Check(stream_->InitializeFromMemory(const_cast<BYTE*>(bytes_.data()), static_cast<DWORD>(bytes_.size())),
          path_, "cannot be read");
    Check(factory->CreateDecoderFromStream(stream_.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder_),
          path_, "is not a picture that Windows can read");
    ++openDecoders_;
    ComPtr<IWICBitmapFrameDecode> frame;
    Check(decoder_->GetFrame(0, &frame), path_, "has no readable image");
    // A JPEG measured from its header must be what the decoder finds.
    UINT width = 0, height = 0;
    const bool measured = stored_.Width != 0;
    if (measured && (FAILED(frame->GetSize(&width, &height)) ||
                     qw::PixelSize{static_cast<int>(width), static_cast<int>(height)} != stored_))
        throw PictureError("The picture \"" + path_ + "\" cannot be decoded");
    frame_ = frame;
    return frame_.Get();
}

void WicPicture::CloseFrame() const noexcept {
    frame_.Reset();
    if (decoder_) --openDecoders_;
    decoder_.Reset();
    stream_.Reset();
}

WicPicture::~WicPicture() = default;

HimetricSize WicPicture::NaturalSize() const { return natural_; }

namespace {

ComPtr<IWICBitmapSource> ScaledTo(IWICImagingFactory* factory, const ComPtr<IWICBitmapSource>& input,
                                  qw::PixelSize size, const std::string& path) {
    ComPtr<IWICBitmapScaler> scaler;
    Check(factory->CreateBitmapScaler(&scaler), path, "cannot be scaled");
    Check(scaler->Initialize(input.Get(), static_cast<UINT>(size.Width), static_cast<UINT>(size.Height),
                             WICBitmapInterpolationModeFant),
          path, "cannot be scaled");
    return scaler;
}

ComPtr<IWICBitmapSource> Premultiplied(IWICImagingFactory* factory, const ComPtr<IWICBitmapSource>& input,
                                       const std::string& path) {
    ComPtr<IWICFormatConverter> converter;
    Check(factory->CreateFormatConverter(&converter), path, "cannot be converted");
    Check(converter->Initialize(input.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                WICBitmapPaletteTypeCustom),
          path, "cannot be converted");
    return converter;
}

}  // namespace

ComPtr<IWICBitmapSource> WicPicture::Scaled(qw::PixelSize stored) const {
    IWICImagingFactory* factory = session_->Factory();
    ComPtr<IWICBitmapSource> source = Frame();
    const bool resize = stored != stored_;
    if (resize && scaleInDecoder_) source = ScaledTo(factory, source, stored, path_);
    source = Premultiplied(factory, source, path_);
    if (resize && !scaleInDecoder_) source = ScaledTo(factory, source, stored, path_);
    return source;
}

// The preview found in the Exif segment, which is also what the JPEG codec
// offers as the frame's thumbnail; read from the bytes, so the photo itself
// is never opened for it. It serves only when it shows the whole photo: a
// preview with bars above and below would put them into the thumbnail.
void WicPicture::OpenPreview() const {
    previewState_ = PreviewState::Unusable;
    if (!previewBytes_) return;
    IWICImagingFactory* factory = session_->Factory();
    ComPtr<IWICBitmapFrameDecode> source;
    if (FAILED(factory->CreateStream(&previewStream_)) ||
        FAILED(previewStream_->InitializeFromMemory(const_cast<BYTE*>(bytes_.data() + previewBytes_->Offset),
                                                    static_cast<DWORD>(previewBytes_->Length))) ||
        FAILED(factory->CreateDecoderFromStream(previewStream_.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                &previewDecoder_)) ||
        FAILED(previewDecoder_->GetFrame(0, &source)))
        return;
    UINT width = 0, height = 0;
    if (FAILED(source->GetSize(&width, &height)) || width > static_cast<UINT>(stored_.Width) ||
        height > static_cast<UINT>(stored_.Height))
        return;
    const qw::PixelSize size{static_cast<int>(width), static_cast<int>(height)};
    if (!qw::SameProportions(stored_, size)) return;
    preview_ = source;
    previewSize_ = size;
    previewState_ = PreviewState::Usable;
}

ComPtr<IWICBitmapSource> WicPicture::FromPreview(qw::PixelSize stored) const {
    if (!scaleInDecoder_) return nullptr;
    if (previewState_ == PreviewState::Unopened) OpenPreview();
    if (previewState_ != PreviewState::Usable || stored.Width > previewSize_.Width ||
        stored.Height > previewSize_.Height)
        return nullptr;
    IWICImagingFactory* factory = session_->Factory();
    ComPtr<IWICBitmapSource> source = preview_;
    if (stored != previewSize_) source = ScaledTo(factory, source, stored, path_);
    return Premultiplied(factory, source, path_);
}

// Decoders report a cut-off file only when its pixels are read. Reading the
// file's structure finds one without decoding millions of pixels, so a photo
// with a preview costs what its preview costs; the formats whose structure is
// not read have a small version decoded once instead.
void WicPicture::CheckDecodes(const std::string& path) const {
    switch (qw::CheckPictureStructure(bytes_)) {
    case qw::PictureStructure::Whole:
        return;
    case qw::PictureStructure::Cut:
        throw PictureError("The picture \"" + path + "\" is damaged or incomplete");
    case qw::PictureStructure::Unknown:
        break;
    }
    int width = kCheckSide, height = kCheckSide;
    const std::int64_t w = stored_.Width, h = stored_.Height;
    if (w >= h)
        height = static_cast<int>(std::max<std::int64_t>(1, h * kCheckSide / w));
    else
        width = static_cast<int>(std::max<std::int64_t>(1, w * kCheckSide / h));
    width = std::min(width, stored_.Width);
    height = std::min(height, stored_.Height);
    std::vector<BYTE> pixels(static_cast<std::size_t>(width) * height * 4);
    const HRESULT hr = Scaled({width, height})->CopyPixels(nullptr, static_cast<UINT>(width) * 4,
                                                           static_cast<UINT>(pixels.size()), pixels.data());
    Check(hr, path, "is damaged or incomplete");
}

HBITMAP WicPicture::Render(int width, int height) const {
    if (width <= 0 || height <= 0)
        throw PictureError("A picture cannot be drawn at " + std::to_string(width) + " x " +
                           std::to_string(height) + " pixels");
    const qw::PixelSize wanted{width, height};
    if (rendered_[1].Image && rendered_[1].Size == wanted) std::swap(rendered_[0], rendered_[1]);
    if (rendered_[0].Image && rendered_[0].Size == wanted) return rendered_[0].Image.Get();
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxPicturePixels)
        throw PictureError("A picture cannot be drawn at " + std::to_string(width) + " x " +
                           std::to_string(height) + " pixels");
    // The older bitmap goes first: preview bitmaps are large.
    rendered_[1].Image.Reset();

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as WIC delivers rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        throw PictureError("No bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                           " pixels can be made: " + ErrorText(GetLastError()));
    const qw::PixelSize stored = qw::OrientedSize({width, height}, orientation_);
    // The bitmap made is kept; the decoder's copy of the full image is not.
    const Closer closing{this};
    HRESULT hr = E_FAIL;
    try {
        if (const ComPtr<IWICBitmapSource> preview = FromPreview(stored)) {
            hr = CopyUpright(preview.Get(), stored, orientation_, static_cast<BYTE*>(bits));
            // A damaged preview: the photo itself is drawn, now and from now on.
            if (FAILED(hr)) previewState_ = PreviewState::Unusable;
        }
    } catch (const PictureError&) {
        previewState_ = PreviewState::Unusable;
    }
    if (FAILED(hr)) hr = CopyUpright(Scaled(stored).Get(), stored, orientation_, static_cast<BYTE*>(bits));
    Check(hr, path_, "cannot be decoded");
    std::swap(rendered_[0], rendered_[1]);
    rendered_[0] = {std::move(bitmap), wanted};
    return rendered_[0].Image.Get();
}

void WicPicture::Draw(HDC dc, const RECT& where) const {
    const int width = where.right - where.left, height = where.bottom - where.top;
    if (width <= 0 || height <= 0) return;
    HBITMAP bitmap = Render(width, height);
    MemoryDC memory(CreateCompatibleDC(dc));
    if (!memory) throw PictureError("The picture \"" + path_ + "\" cannot be drawn: " + ErrorText(GetLastError()));
    Selection selected(memory.Get(), bitmap);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    if (!GdiAlphaBlend(dc, where.left, where.top, width, height, memory.Get(), 0, 0, width, height, blend))
        throw PictureError("The picture \"" + path_ + "\" cannot be drawn: " + ErrorText(GetLastError()));
}

void WicPicture::ForgetDrawing(const RECT& where) const noexcept {
    const qw::PixelSize size{where.right - where.left, where.bottom - where.top};
    for (Rendering& rendering : rendered_)
        if (rendering.Size == size) rendering.Image.Reset();
}

void DrawPicture(HDC dc, const qw::Picture& picture, const RECT& where) {
    const auto* drawable = dynamic_cast<const DrawablePicture*>(&picture);
    if (!drawable) throw PictureError("the picture is not one this program can draw");
    drawable->Draw(dc, where);
}

WicPictureLoader::WicPictureLoader() : session_(std::make_shared<WicSession>()) {}

WicPictureLoader::~WicPictureLoader() = default;

std::unique_ptr<qw::Picture> WicPictureLoader::Load(const std::string& path) { return LoadPicture(path); }

std::unique_ptr<WicPicture> WicPictureLoader::LoadPicture(const std::string& path) {
    return std::unique_ptr<WicPicture>(new WicPicture(session_, ReadPictureFile(path), path));
}

}  // namespace qw::win32
