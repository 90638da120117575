#include "shared/PictureStructure.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace qw {

namespace {

using Bytes = std::span<const std::uint8_t>;

std::uint32_t BigEndian(Bytes b, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = 0; i < width; ++i) value = (value << 8) | b[at + i];
    return value;
}

std::uint32_t LittleEndian(Bytes b, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) value = (value << 8) | b[at + i];
    return value;
}

bool StartsWith(Bytes b, const char* magic, std::size_t length) {
    return b.size() >= length && std::memcmp(b.data(), magic, length) == 0;
}

// The position of the marker that ends the entropy-coded data starting at
// `at`: a 0xFF followed by neither a stuffed zero nor a restart marker.
// b.size() when the data runs to the end of the file.
std::size_t ScanEnd(Bytes b, std::size_t at) {
    const std::uint8_t* data = b.data();
    while (at < b.size()) {
        const void* ff = std::memchr(data + at, 0xFF, b.size() - at);
        if (!ff) return b.size();
        at = static_cast<std::size_t>(static_cast<const std::uint8_t*>(ff) - data);
        if (at + 1 >= b.size()) return b.size();
        const std::uint8_t next = data[at + 1];
        if (next != 0x00 && !(next >= 0xD0 && next <= 0xD7)) return at;
        at += 2;
    }
    return b.size();
}

PictureStructure Jpeg(Bytes b) {
    std::size_t at = 2;  // after the start-of-image marker
    bool scanned = false;
    for (;;) {
        // Bytes between segments are skipped as the decoder skips them; fill
        // bytes (0xFF runs) before a marker belong to it.
        while (at < b.size() && b[at] != 0xFF) ++at;
        while (at < b.size() && b[at] == 0xFF) ++at;
        if (at >= b.size()) return PictureStructure::Cut;
        const std::uint8_t marker = b[at++];
        if (marker == 0xD9) return scanned ? PictureStructure::Whole : PictureStructure::Cut;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length follows
        if (at + 2 > b.size()) return PictureStructure::Cut;
        const std::size_t length = BigEndian(b, at, 2);
        if (length < 2 || at + length > b.size()) return PictureStructure::Cut;
        at += length;
        if (marker == 0xDA) {  // a scan: its compressed data follows the header
            at = ScanEnd(b, at);
            if (at >= b.size()) return PictureStructure::Cut;
            scanned = true;
        }
    }
}

PictureStructure Png(Bytes b) {
    std::size_t at = 8;  // after the signature
    for (;;) {
        if (at + 12 > b.size()) return PictureStructure::Cut;
        const std::uint64_t length = BigEndian(b, at, 4);
        if (length > 0x7FFFFFFFu) return PictureStructure::Cut;
        if (std::memcmp(b.data() + at + 4, "IEND", 4) == 0) return PictureStructure::Whole;
        at += 12 + static_cast<std::size_t>(length);  // length, type, data, CRC
    }
}

// Skips a run of GIF sub-blocks ending in an empty one; false when cut off.
bool SkipSubBlocks(Bytes b, std::size_t& at) {
    for (;;) {
        if (at >= b.size()) return false;
        const std::size_t size = b[at++];
        if (size == 0) return true;
        at += size;
    }
}

std::size_t ColourTableBytes(std::uint8_t flags) {
    return (flags & 0x80) ? 3u * (2u << (flags & 0x07)) : 0;
}

PictureStructure Gif(Bytes b) {
    if (b.size() < 13) return PictureStructure::Cut;
    std::size_t at = 13 + ColourTableBytes(b[10]);
    for (;;) {
        if (at >= b.size()) return PictureStructure::Cut;
        switch (b[at++]) {
        case 0x3B:  // the trailer
            return PictureStructure::Whole;
        case 0x21:  // an extension: its label, then its sub-blocks
            ++at;
            if (!SkipSubBlocks(b, at)) return PictureStructure::Cut;
            break;
        case 0x2C:  // an image: its descriptor, colours, code size and data
            if (at + 9 > b.size()) return PictureStructure::Cut;
            at += 9 + ColourTableBytes(b[at + 8]) + 1;
            if (!SkipSubBlocks(b, at)) return PictureStructure::Cut;
            break;
        default:
            return PictureStructure::Cut;
        }
    }
}

PictureStructure Bmp(Bytes b) {
    constexpr std::size_t kFileHeader = 14;
    if (b.size() < kFileHeader + 12) return PictureStructure::Cut;
    const std::uint64_t pixelsAt = LittleEndian(b, 10, 4);
    const std::uint32_t header = LittleEndian(b, kFileHeader, 4);
    if (header < 12 || kFileHeader + header > b.size()) return PictureStructure::Cut;
    std::uint64_t width, height, bits, compression = 0, imageSize = 0;
    if (header == 12) {  // the old core header: 16-bit sides
        width = LittleEndian(b, kFileHeader + 4, 2);
        height = LittleEndian(b, kFileHeader + 6, 2);
        bits = LittleEndian(b, kFileHeader + 10, 2);
    } else {
        if (header < 40) return PictureStructure::Cut;
        const auto signedHeight = static_cast<std::int32_t>(LittleEndian(b, kFileHeader + 8, 4));
        width = static_cast<std::uint32_t>(std::max<std::int32_t>(
            0, static_cast<std::int32_t>(LittleEndian(b, kFileHeader + 4, 4))));
        height = signedHeight < 0 ? -static_cast<std::int64_t>(signedHeight) : signedHeight;
        bits = LittleEndian(b, kFileHeader + 14, 2);
        compression = LittleEndian(b, kFileHeader + 16, 4);
        imageSize = LittleEndian(b, kFileHeader + 20, 4);
    }
    // Uncompressed rows are padded to four bytes; compressed pixels take
    // what the header says they take.
    constexpr std::uint64_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
    const bool plain = compression == kRgb || compression == kBitFields || compression == kAlphaBitFields;
    const std::uint64_t stride = (width * bits + 31) / 32 * 4;
    if (plain && stride != 0 && height > b.size() / stride) return PictureStructure::Cut;
    const std::uint64_t pixels = plain ? stride * height : imageSize;
    return pixelsAt + pixels <= b.size() ? PictureStructure::Whole : PictureStructure::Cut;
}

bool IsJpeg(Bytes b) { return b.size() >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF; }

}  // namespace

std::optional<PixelSize> JpegFrameSize(std::span<const std::uint8_t> b) {
    if (!IsJpeg(b)) return std::nullopt;
    std::size_t at = 2;
    for (;;) {
        while (at < b.size() && b[at] != 0xFF) ++at;
        while (at < b.size() && b[at] == 0xFF) ++at;
        if (at + 2 >= b.size()) return std::nullopt;
        const std::uint8_t marker = b[at++];
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;
        if (marker == 0xDA || marker == 0xD9) return std::nullopt;  // no frame header before the data
        const std::size_t length = BigEndian(b, at, 2);
        if (length < 2 || at + length > b.size()) return std::nullopt;
        // Start-of-frame markers are C0 to CF but for the tables C4, C8 and CC.
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (length < 7) return std::nullopt;
            const auto height = static_cast<int>(BigEndian(b, at + 3, 2));
            const auto width = static_cast<int>(BigEndian(b, at + 5, 2));
            if (width == 0 || height == 0) return std::nullopt;  // a height given later is not read here
            return PixelSize{width, height};
        }
        at += length;
    }
}

PictureStructure CheckPictureStructure(std::span<const std::uint8_t> file) {
    if (IsJpeg(file)) return Jpeg(file);
    if (StartsWith(file, "\x89PNG\r\n\x1A\n", 8)) return Png(file);
    if (StartsWith(file, "GIF87a", 6) || StartsWith(file, "GIF89a", 6)) return Gif(file);
    if (StartsWith(file, "BM", 2)) return Bmp(file);
    return PictureStructure::Unknown;
}

}  // namespace qw
