#pragma once
// Test pictures: bmp, gif and jpeg files written with the platform's WIC
// encoders, photos with an Exif segment spliced in, icons and hostile headers
// written byte by byte; and the pixels of what a picture rendered.

#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ExifBytes.h"
#include "TempFolder.h"

namespace qw::test {

// 0xAARRGGBB
using Colour = std::uint32_t;
constexpr Colour kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kGreen = 0xFF00FF00, kWhite = 0xFFFFFFFF;
constexpr Colour kClear = 0x00000000;

enum class Format { Bmp, Gif, Jpeg };

inline const char* Extension(Format format) {
    return format == Format::Bmp ? "bmp" : format == Format::Gif ? "gif" : "jpg";
}

// Writes a picture with the platform's encoder, its rows given in bands:
// fill(top, rows, pixels, stride) writes rows top .. top + rows - 1 in the
// pixel format (24-bpp BGR, or 8-bpp indices into the palette given).
// Big pictures are made band by band, so making them costs little memory.
inline void EncodeRows(const std::wstring& path, Format format, int width, int height,
                       const std::function<void(int top, int rows, BYTE* pixels, UINT stride)>& fill,
                       const std::vector<WICColor>& palette = {}) {
    using Microsoft::WRL::ComPtr;
    const auto check = [&](HRESULT hr, const char* step) {
        if (FAILED(hr)) throw std::runtime_error("encoding " + win32::Narrow(path) + ": " + step);
    };
    ComPtr<IWICImagingFactory> factory;
    check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)),
          "factory (is COM initialised?)");
    ComPtr<IWICStream> stream;
    check(factory->CreateStream(&stream), "stream");
    check(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE), "file");
    const GUID container = format == Format::Bmp   ? GUID_ContainerFormatBmp
                           : format == Format::Gif ? GUID_ContainerFormatGif
                                                   : GUID_ContainerFormatJpeg;
    ComPtr<IWICBitmapEncoder> encoder;
    check(factory->CreateEncoder(container, nullptr, &encoder), "encoder");
    check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache), "encoder init");
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    check(encoder->CreateNewFrame(&frame, &options), "frame");
    check(frame->Initialize(options.Get()), "frame init");
    check(frame->SetSize(width, height), "size");
    const bool indexed = !palette.empty();
    WICPixelFormatGUID pixelFormat = indexed ? GUID_WICPixelFormat8bppIndexed : GUID_WICPixelFormat24bppBGR;
    check(frame->SetPixelFormat(&pixelFormat), "pixel format");
    if (indexed) {
        ComPtr<IWICPalette> colours;
        check(factory->CreatePalette(&colours), "palette");
        std::vector<WICColor> entries = palette;
        check(colours->InitializeCustom(entries.data(), static_cast<UINT>(entries.size())), "palette colours");
        check(frame->SetPalette(colours.Get()), "frame palette");
    }
    const UINT stride = indexed ? (width + 3) / 4 * 4 : (width * 3 + 3) / 4 * 4;
    constexpr int kBand = 64;
    Bytes pixels(static_cast<std::size_t>(stride) * std::min(kBand, height));
    for (int top = 0; top < height; top += kBand) {
        const int rows = std::min(kBand, height - top);
        fill(top, rows, pixels.data(), stride);
        check(frame->WritePixels(rows, stride, stride * rows, pixels.data()), "pixels");
    }
    check(frame->Commit(), "frame commit");
    check(encoder->Commit(), "commit");
}

// Writes a picture whose pixel (x, y) is colour(x, y), one of the four opaque
// colours above (the GIF palette holds exactly those).
inline void EncodePicture(const std::string& path, Format format, int width, int height,
                          const std::function<Colour(int, int)>& colour) {
    const std::vector<WICColor> palette = {kRed, kBlue, kGreen, kWhite};
    const bool indexed = format == Format::Gif;
    EncodeRows(
        win32::Widen(path), format, width, height,
        [&](int top, int rows, BYTE* pixels, UINT stride) {
            for (int y = 0; y < rows; ++y)
                for (int x = 0; x < width; ++x) {
                    const Colour c = colour(x, top + y);
                    BYTE* p = pixels + static_cast<std::size_t>(y) * stride;
                    if (indexed) {
                        int index = 0;
                        while (index < 3 && palette[index] != c) ++index;
                        p[x] = static_cast<BYTE>(index);
                    } else {
                        p[x * 3] = c & 0xFF;
                        p[x * 3 + 1] = (c >> 8) & 0xFF;
                        p[x * 3 + 2] = (c >> 16) & 0xFF;
                    }
                }
        },
        indexed ? palette : std::vector<WICColor>{});
}

// A photo-like JPEG: soft gradients with fine grain, so it compresses as a
// camera's photo does.
inline void WritePhotoJpeg(const std::wstring& path, int width, int height) {
    std::uint32_t noise = 12345;
    EncodeRows(path, Format::Jpeg, width, height, [&](int top, int rows, BYTE* pixels, UINT stride) {
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < width; ++x) {
                noise = noise * 1664525u + 1013904223u;
                const int grain = static_cast<int>(noise >> 26) - 32;
                BYTE* p = pixels + static_cast<std::size_t>(y) * stride + x * 3;
                const int yy = top + y;
                p[0] = static_cast<BYTE>(std::clamp(200 - yy / 20 + grain, 0, 255));
                p[1] = static_cast<BYTE>(std::clamp(80 + x / 30 + grain, 0, 255));
                p[2] = static_cast<BYTE>(std::clamp(40 + (x + yy) / 40 + grain, 0, 255));
            }
    });
}

// Pixels in a noisy pattern, so a compressed file is large and a cut falls into its image data.
inline Colour Noise(int x, int y) {
    const Colour colours[] = {kRed, kBlue, kGreen, kWhite};
    const unsigned hash = static_cast<unsigned>(x * 73856093) ^ static_cast<unsigned>(y * 19349663);
    return colours[(hash >> 3) % 4];
}

inline void Put16(Bytes& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
inline void Put32(Bytes& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

struct IconImage {
    int Side;
    std::function<Colour(int, int)> Pixel;  // may be transparent
};

// An .ico file of 32-bpp images with alpha, in the order given.
inline Bytes IconFile(const std::vector<IconImage>& images) {
    Bytes out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, static_cast<unsigned>(images.size()));
    std::vector<Bytes> bodies;
    for (const auto& image : images) {
        const int side = image.Side;
        const std::uint32_t maskRow = (side + 31) / 32 * 4;
        Bytes body;
        Put32(body, 40);
        Put32(body, side);
        Put32(body, side * 2);  // colour and mask
        Put16(body, 1);
        Put16(body, 32);
        Put32(body, 0);
        Put32(body, side * side * 4 + maskRow * side);
        for (int i = 0; i < 4; ++i) Put32(body, 0);
        for (int y = side - 1; y >= 0; --y)  // bottom-up
            for (int x = 0; x < side; ++x) Put32(body, image.Pixel(x, y));
        body.insert(body.end(), maskRow * side, 0);
        bodies.push_back(std::move(body));
    }
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(images[i].Side));
        out.push_back(static_cast<std::uint8_t>(images[i].Side));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<std::uint32_t>(bodies[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const auto& body : bodies) out.insert(out.end(), body.begin(), body.end());
    return out;
}

// The headers of a 24-bpp bottom-up BMP file of the size.
inline Bytes Bmp24Headers(std::int32_t width, std::int32_t height) {
    Bytes out = {'B', 'M'};
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
    Put32(out, 54 + rowBytes * static_cast<std::uint32_t>(height));  // wraps for huge sizes; decoders ignore it
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, 24);
    for (int i = 0; i < 6; ++i) Put32(out, 0);
    return out;
}

// A 24-bpp BMP header claiming the given size, followed by a few bytes only.
inline Bytes BmpHeader(std::int32_t width, std::int32_t height) {
    Bytes out = Bmp24Headers(width, height);
    out.insert(out.end(), 64, 0x7F);
    return out;
}

// A 24-bpp BMP file of one colour (0x00BBGGRR), written byte by byte.
inline Bytes SolidBmp(int width, int height, COLORREF colour) {
    Bytes out = Bmp24Headers(width, height);
    const std::size_t padding = (4 - static_cast<std::size_t>(width) * 3 % 4) % 4;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            out.push_back(GetBValue(colour));
            out.push_back(GetGValue(colour));
            out.push_back(GetRValue(colour));
        }
        out.insert(out.end(), padding, 0);
    }
    return out;
}

inline Bytes ReadAll(const std::string& path) {
    const std::string text = ReadText(path);
    return Bytes(text.begin(), text.end());
}

// A JPEG of the picture, as its bytes (written to `path` on the way).
inline Bytes JpegBytes(const std::string& path, int width, int height, const std::function<Colour(int, int)>& colour) {
    EncodePicture(path, Format::Jpeg, width, height, colour);
    return ReadAll(path);
}

// A photo as a camera writes it: the JPEG of the picture with the Exif
// segment (see PhotoExif) right after its start.
inline void WritePhoto(const std::string& path, int width, int height, const std::function<Colour(int, int)>& colour,
                       const Bytes& exif) {
    WriteBytes(path, SpliceAfterStart(JpegBytes(path, width, height, colour), exif));
}

// The pixel at (x, y) of a 32-bpp DIB section, as 0xAARRGGBB.
inline Colour PixelOf(HBITMAP bitmap, int x, int y) {
    DIBSECTION dib{};
    if (GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits) return 0xDEADBEEF;
    GdiFlush();
    const auto* row = static_cast<const std::uint8_t*>(dib.dsBm.bmBits) + y * dib.dsBm.bmWidthBytes;
    Colour c = 0;
    std::memcpy(&c, row + x * 4, 4);
    return c;
}

// A HIMETRIC length back in pixels at the resolution.
inline std::int64_t BackToPixels(std::int64_t himetric, int dpi) {
    return std::llround(static_cast<double>(himetric) * dpi / 2540.0);
}

// Whether every channel is within the tolerance (JPEG changes colours a little).
inline bool Near(Colour actual, Colour expected, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(static_cast<int>((actual >> shift) & 0xFF) - static_cast<int>((expected >> shift) & 0xFF)) >
            tolerance)
            return false;
    return true;
}

}  // namespace qw::test
