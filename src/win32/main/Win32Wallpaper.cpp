#include "win32/main/Win32Wallpaper.h"

#include <windows.h>
#include <shlwapi.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <stdexcept>

#include "win32/kit/Utf.h"
#include "win32/main/PaintedPicture.h"

namespace qw::win32 {

using Microsoft::WRL::ComPtr;

namespace {

void Check(HRESULT hr, const char* step) {
    if (FAILED(hr))
        throw PictureError(std::string("The picture cannot be written as a bitmap (") + step + ", " +
                           ComErrorText(hr) + ")");
}

}  // namespace

std::vector<std::uint8_t> Win32Wallpaper::BitmapFile(const qw::Picture& picture) {
    const qw::PixelSize size = OwnPixelSize(picture);
    const PaintedPicture painted(picture, size.Width, size.Height);

    ComPtr<IWICImagingFactory> factory;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)),
          "imaging component");
    ComPtr<IWICBitmap> source;
    Check(factory->CreateBitmapFromHBITMAP(painted.Handle(), nullptr, WICBitmapIgnoreAlpha, &source), "pixels");
    ComPtr<IStream> stream;
    stream.Attach(SHCreateMemStream(nullptr, 0));
    if (!stream) Check(E_OUTOFMEMORY, "memory");

    ComPtr<IWICBitmapEncoder> encoder;
    Check(factory->CreateEncoder(GUID_ContainerFormatBmp, nullptr, &encoder), "encoder");
    Check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache), "encoder");
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    Check(encoder->CreateNewFrame(&frame, &options), "frame");
    Check(frame->Initialize(options.Get()), "frame");
    Check(frame->SetSize(static_cast<UINT>(size.Width), static_cast<UINT>(size.Height)), "size");
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    Check(frame->SetPixelFormat(&format), "pixel format");
    Check(frame->WriteSource(source.Get(), nullptr), "pixels");
    Check(frame->Commit(), "frame");
    Check(encoder->Commit(), "file");

    STATSTG stat{};
    Check(stream->Stat(&stat, STATFLAG_NONAME), "length");
    if (stat.cbSize.QuadPart > MAXDWORD) Check(E_OUTOFMEMORY, "length");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stat.cbSize.QuadPart));
    Check(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr), "reading back");
    ULONG read = 0;
    Check(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read), "reading back");
    if (read != bytes.size()) Check(E_FAIL, "reading back");
    return bytes;
}

void Win32Wallpaper::SetWallpaper(const std::string& bitmapPath) {
    std::wstring path = Widen(bitmapPath);
    if (!SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.data(), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE))
        throw std::runtime_error("Windows refused \"" + bitmapPath + "\" as the wallpaper: " +
                                 ErrorText(GetLastError()));
}

}  // namespace qw::win32
