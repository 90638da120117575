#include "win32/WicPictures.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <utility>

#include "win32/Display.h"
#include "win32/FileReading.h"
#include "win32/Utf.h"

namespace qw::win32 {

using Microsoft::WRL::ComPtr;

namespace {

// The whole file is held in memory while the picture lives; a bigger file is
// refused instead of exhausting a 32-bit address space.
constexpr std::uint64_t kMaxPictureFile = 256ull * 1024 * 1024;
// The decode at load time, which finds damaged and incomplete files, is done
// at this size at most: every pixel row is still read, little memory is used.
constexpr int kCheckSide = 64;

std::string HresultText(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

void Check(HRESULT hr, const std::string& path, const char* problem) {
    if (FAILED(hr)) throw PictureError("The picture \"" + path + "\" " + problem + " (" + HresultText(hr) + ")");
}

std::vector<std::uint8_t> ReadPictureFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadWholeFile(path, kMaxPictureFile);
    } catch (const FileReadError& e) {
        throw PictureError("The picture \"" + path + "\" cannot be read: " + e.what());
    }
    if (bytes.empty()) throw PictureError("The picture \"" + path + "\" cannot be read: the file is empty");
    return bytes;
}

}  // namespace

// COM for the thread and the WIC factory, shared by the loader and its
// pictures: the last of them to go releases the factory and then COM.
class WicSession {
public:
    WicSession() {
        const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        // RPC_E_CHANGED_MODE: the thread is already multithreaded, where WIC works as well.
        if (FAILED(init) && init != RPC_E_CHANGED_MODE)
            throw PictureError("COM cannot be initialised (" + HresultText(init) + ")");
        uninitialize_ = SUCCEEDED(init);
        const HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_PPV_ARGS(&factory_));
        if (FAILED(hr)) {
            if (uninitialize_) CoUninitialize();
            throw PictureError("The Windows Imaging Component is not available (" + HresultText(hr) + ")");
        }
    }
    ~WicSession() {
        factory_.Reset();
        if (uninitialize_) CoUninitialize();
    }
    WicSession(const WicSession&) = delete;
    WicSession& operator=(const WicSession&) = delete;

    IWICImagingFactory* Factory() const { return factory_.Get(); }

private:
    bool uninitialize_ = false;
    ComPtr<IWICImagingFactory> factory_;
};

WicPicture::WicPicture(std::shared_ptr<WicSession> session, std::vector<std::uint8_t> bytes,
                       const std::string& path)
    : session_(std::move(session)), bytes_(std::move(bytes)), path_(path) {
    IWICImagingFactory* factory = session_->Factory();
    Check(factory->CreateStream(&stream_), path, "cannot be read");
    Check(stream_->InitializeFromMemory(bytes_.data(), static_cast<DWORD>(bytes_.size())), path,
          "cannot be read");
    Check(factory->CreateDecoderFromStream(stream_.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder_),
          path, "is not a picture that Windows can read");
    Check(decoder_->GetFrame(0, &frame_), path, "has no readable image");
    UINT width = 0, height = 0;
    Check(frame_->GetSize(&width, &height), path, "has no readable size");
    if (width == 0 || height == 0) throw PictureError("The picture \"" + path + "\" is empty");
    // Refused from the header alone, before a single pixel is decoded.
    if (static_cast<std::uint64_t>(width) * height > kMaxPicturePixels)
        throw PictureError("The picture \"" + path + "\" is too large to show (" + std::to_string(width) +
                           " x " + std::to_string(height) + " pixels)");
    size_ = {static_cast<int>(width), static_cast<int>(height)};
    natural_ = qw::PixelsToHimetric(size_, ScreenResolution());

    // Only the JPEG decoder can scale while decoding, and only when the scaler
    // sits directly on its frame. Every other format is made premultiplied
    // first, so transparent edges scale without dark fringes and palette
    // pictures scale smoothly.
    GUID container{};
    scaleInDecoder_ =
        SUCCEEDED(decoder_->GetContainerFormat(&container)) && IsEqualGUID(container, GUID_ContainerFormatJpeg);
    CheckDecodes(path);
}

WicPicture::~WicPicture() = default;

HimetricSize WicPicture::NaturalSize() const { return natural_; }

ComPtr<IWICBitmapSource> WicPicture::Scaled(int width, int height) const {
    IWICImagingFactory* factory = session_->Factory();
    const auto scale = [&](const ComPtr<IWICBitmapSource>& input) {
        ComPtr<IWICBitmapScaler> scaler;
        Check(factory->CreateBitmapScaler(&scaler), path_, "cannot be scaled");
        Check(scaler->Initialize(input.Get(), static_cast<UINT>(width), static_cast<UINT>(height),
                                 WICBitmapInterpolationModeFant),
              path_, "cannot be scaled");
        return ComPtr<IWICBitmapSource>(scaler);
    };
    const auto premultiply = [&](const ComPtr<IWICBitmapSource>& input) {
        ComPtr<IWICFormatConverter> converter;
        Check(factory->CreateFormatConverter(&converter), path_, "cannot be converted");
        Check(converter->Initialize(input.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                    nullptr, 0.0, WICBitmapPaletteTypeCustom),
              path_, "cannot be converted");
        return ComPtr<IWICBitmapSource>(converter);
    };

    ComPtr<IWICBitmapSource> source = frame_;
    const bool resize = width != size_.Width || height != size_.Height;
    if (resize && scaleInDecoder_) source = scale(source);
    source = premultiply(source);
    if (resize && !scaleInDecoder_) source = scale(source);
    return source;
}

// Decoders report a damaged or cut-off file only when its pixels are read, so
// a small version is decoded once at load.
void WicPicture::CheckDecodes(const std::string& path) const {
    int width = kCheckSide, height = kCheckSide;
    if (size_.Width >= size_.Height)
        height = static_cast<int>(std::max<std::int64_t>(1, std::int64_t{size_.Height} * kCheckSide / size_.Width));
    else
        width = static_cast<int>(std::max<std::int64_t>(1, std::int64_t{size_.Width} * kCheckSide / size_.Height));
    width = std::min(width, size_.Width);
    height = std::min(height, size_.Height);
    std::vector<BYTE> pixels(static_cast<std::size_t>(width) * height * 4);
    const HRESULT hr = Scaled(width, height)->CopyPixels(nullptr, static_cast<UINT>(width) * 4,
                                                        static_cast<UINT>(pixels.size()), pixels.data());
    Check(hr, path, "is damaged or incomplete");
}

HBITMAP WicPicture::Render(int width, int height) const {
    if (width <= 0 || height <= 0)
        throw PictureError("A picture cannot be drawn at " + std::to_string(width) + " x " +
                           std::to_string(height) + " pixels");
    if (rendered_ && renderedSize_.Width == width && renderedSize_.Height == height) return rendered_.Get();
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxPicturePixels)
        throw PictureError("A picture cannot be drawn at " + std::to_string(width) + " x " +
                           std::to_string(height) + " pixels");
    // The old bitmap goes first: preview bitmaps are large.
    rendered_.Reset();

    ComPtr<IWICBitmapSource> source = Scaled(width, height);
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
    const UINT stride = static_cast<UINT>(width) * 4;
    const HRESULT hr = source->CopyPixels(nullptr, stride, stride * static_cast<UINT>(height),
                                          static_cast<BYTE*>(bits));
    Check(hr, path_, "cannot be decoded");
    rendered_ = std::move(bitmap);
    renderedSize_ = {width, height};
    return rendered_.Get();
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
