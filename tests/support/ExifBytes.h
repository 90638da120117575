#pragma once
// Exif segments written byte by byte in either byte order: for the native
// tests of the metadata reader and for photos spliced together from a
// picture the platform wrote and a segment. Standard C++ only.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace qw::test {

using Bytes = std::vector<std::uint8_t>;

enum class ByteOrder { Intel, Motorola };

constexpr std::uint16_t kTiffShort = 3, kTiffLong = 4;
constexpr std::uint16_t kOrientationTag = 0x0112, kPreviewOffsetTag = 0x0201, kPreviewLengthTag = 0x0202;

struct TiffEntry {
    std::uint16_t Tag = 0;
    std::uint16_t Type = kTiffShort;
    std::uint32_t Count = 1;
    std::uint32_t Value = 0;  // a SHORT goes into the first two bytes of the field
};

// The TIFF block of an Exif segment and where its parts lie in it.
struct TiffBlock {
    Bytes Data;
    std::size_t FirstLink = 0;   // the header's offset of the first directory
    std::size_t First = 0;       // the first directory (its entry count)
    std::size_t SecondLink = 0;  // the first directory's link to the second
    std::size_t Second = 0;      // 0 without a second directory
    std::size_t Preview = 0;     // the preview's bytes, 0 without them
};

// Writes value into `width` bytes at `at` in the byte order, growing the bytes if needed.
inline void PutAt(Bytes& bytes, std::size_t at, std::uint32_t value, int width, ByteOrder order) {
    if (bytes.size() < at + width) bytes.resize(at + width);
    for (int i = 0; i < width; ++i) {
        const int shift = order == ByteOrder::Intel ? 8 * i : 8 * (width - 1 - i);
        bytes[at + i] = static_cast<std::uint8_t>(value >> shift);
    }
}

// The first directory with `first`'s entries; when `second` has entries or a
// preview is given, a second directory linked from it, with the preview's
// offset and length entries added after its own, then the preview's bytes.
inline TiffBlock WriteTiff(ByteOrder order, const std::vector<TiffEntry>& first,
                           std::vector<TiffEntry> second = {}, const Bytes& preview = {}) {
    TiffBlock tiff;
    Bytes& out = tiff.Data;
    out = order == ByteOrder::Intel ? Bytes{'I', 'I'} : Bytes{'M', 'M'};
    PutAt(out, 2, 42, 2, order);
    tiff.FirstLink = 4;
    const auto directory = [&](std::size_t at, const std::vector<TiffEntry>& entries) {
        PutAt(out, at, static_cast<std::uint32_t>(entries.size()), 2, order);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const std::size_t e = at + 2 + 12 * i;
            const TiffEntry& entry = entries[i];
            PutAt(out, e, entry.Tag, 2, order);
            PutAt(out, e + 2, entry.Type, 2, order);
            PutAt(out, e + 4, entry.Count, 4, order);
            PutAt(out, e + 8, 0, 4, order);
            PutAt(out, e + 8, entry.Value, entry.Type == kTiffShort ? 2 : 4, order);
        }
        PutAt(out, at + 2 + 12 * entries.size(), 0, 4, order);  // no next directory yet
        return at + 2 + 12 * entries.size();
    };
    tiff.First = 8;
    PutAt(out, tiff.FirstLink, static_cast<std::uint32_t>(tiff.First), 4, order);
    tiff.SecondLink = directory(tiff.First, first);
    if (second.empty() && preview.empty()) return tiff;

    tiff.Second = tiff.SecondLink + 4;
    PutAt(out, tiff.SecondLink, static_cast<std::uint32_t>(tiff.Second), 4, order);
    const std::size_t previewAt = tiff.Second + 2 + 12 * (second.size() + (preview.empty() ? 0 : 2)) + 4;
    if (!preview.empty()) {
        second.push_back({kPreviewOffsetTag, kTiffLong, 1, static_cast<std::uint32_t>(previewAt)});
        second.push_back({kPreviewLengthTag, kTiffLong, 1, static_cast<std::uint32_t>(preview.size())});
        tiff.Preview = previewAt;
    }
    directory(tiff.Second, second);
    out.insert(out.end(), preview.begin(), preview.end());
    return tiff;
}

// An APP1 segment: its marker, its length, the Exif signature and the TIFF block.
inline Bytes ExifSegment(const Bytes& tiff) {
    const std::size_t length = 2 + 6 + tiff.size();
    if (length > 0xFFFF) throw std::length_error("an Exif segment holds at most 65533 bytes");
    const std::uint8_t head[] = {0xFF, 0xE1, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length),
                                 'E',  'x',  'i',  'f',  0, 0};
    Bytes out(sizeof head + tiff.size());
    std::copy(std::begin(head), std::end(head), out.begin());
    std::copy(tiff.begin(), tiff.end(), out.begin() + sizeof head);
    return out;
}

// The JPEG with the segment inserted right after its start-of-image marker,
// where cameras put their Exif segment.
inline Bytes SpliceAfterStart(const Bytes& jpeg, const Bytes& segment) {
    if (jpeg.size() < 2 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) throw std::invalid_argument("not a JPEG");
    Bytes out(jpeg.size() + segment.size());
    const auto afterStart = std::copy(jpeg.begin(), jpeg.begin() + 2, out.begin());
    std::copy(jpeg.begin() + 2, jpeg.end(), std::copy(segment.begin(), segment.end(), afterStart));
    return out;
}

// A camera's Exif segment: the orientation (0: no such entry) and, when
// given, the embedded preview.
inline Bytes PhotoExif(int orientation, const Bytes& preview = {}, ByteOrder order = ByteOrder::Intel) {
    std::vector<TiffEntry> first;
    if (orientation != 0) first.push_back({kOrientationTag, kTiffShort, 1, static_cast<std::uint32_t>(orientation)});
    return ExifSegment(WriteTiff(order, first, {}, preview).Data);
}

}  // namespace qw::test
