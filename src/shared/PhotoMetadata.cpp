#include "shared/PhotoMetadata.h"

#include <algorithm>
#include <cstring>

namespace qw {

namespace {

constexpr std::uint8_t kMarker = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8, kEndOfImage = 0xD9, kStartOfScan = 0xDA, kApp1 = 0xE1;
constexpr std::uint8_t kExifSignature[] = {'E', 'x', 'i', 'f', 0, 0};

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kPreviewOffsetTag = 0x0201, kPreviewLengthTag = 0x0202;
constexpr std::uint16_t kShort = 3, kLong = 4;
constexpr std::size_t kTiffHeader = 8, kEntrySize = 12;

// The TIFF structure inside the Exif segment. Every read is checked against
// its end; offsets in it count from its first byte.
class Tiff {
public:
    Tiff(std::span<const std::uint8_t> bytes, bool bigEndian) : bytes_(bytes), bigEndian_(bigEndian) {}

    std::size_t Size() const { return bytes_.size(); }

    std::optional<std::uint32_t> U16(std::size_t at) const { return Read(at, 2); }
    std::optional<std::uint32_t> U32(std::size_t at) const { return Read(at, 4); }

    // The entries of the directory at `offset`, or nothing when the directory
    // does not fit: a directory is wholly inside or not used at all.
    std::optional<std::span<const std::uint8_t>> Directory(std::uint32_t offset) const {
        if (offset < kTiffHeader) return std::nullopt;  // inside the header, or a null link
        const auto count = U16(offset);
        if (!count) return std::nullopt;
        const std::size_t length = *count * kEntrySize;
        if (length + 4 > Size() - offset - 2) return std::nullopt;  // the entries and the link after them
        return bytes_.subspan(offset + 2, length);
    }

    // The offset of the directory that follows the one at `offset` (0: none).
    std::uint32_t NextDirectory(std::uint32_t offset, std::size_t entriesLength) const {
        return U32(offset + 2 + entriesLength).value_or(0);
    }

    // The value of the entry with the tag when it is one number: a SHORT or a
    // LONG with a count of 1, held in the entry itself.
    std::optional<std::uint32_t> Number(std::span<const std::uint8_t> entries, std::uint16_t tag) const {
        for (std::size_t at = 0; at + kEntrySize <= entries.size(); at += kEntrySize) {
            const auto* entry = entries.data() + at;
            if (Decode(entry, 2) != tag) continue;
            const std::uint32_t type = Decode(entry + 2, 2), count = Decode(entry + 4, 4);
            if (count != 1) return std::nullopt;
            if (type == kShort) return Decode(entry + 8, 2);  // left-aligned in the value field
            if (type == kLong) return Decode(entry + 8, 4);
            return std::nullopt;
        }
        return std::nullopt;
    }

private:
    std::optional<std::uint32_t> Read(std::size_t at, std::size_t width) const {
        if (at > Size() || width > Size() - at) return std::nullopt;
        return Decode(bytes_.data() + at, width);
    }

    std::uint32_t Decode(const std::uint8_t* p, std::size_t width) const {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            const std::uint32_t byte = p[bigEndian_ ? i : width - 1 - i];
            value = value << 8 | byte;
        }
        return value;
    }

    std::span<const std::uint8_t> bytes_;
    bool bigEndian_;
};

// The TIFF block of the file's first Exif segment, searched for among the
// segments before the image data.
std::optional<std::span<const std::uint8_t>> ExifBlock(std::span<const std::uint8_t> file) {
    if (file.size() < 2 || file[0] != kMarker || file[1] != kStartOfImage) return std::nullopt;
    std::size_t at = 2;
    while (at + 1 < file.size()) {
        if (file[at] != kMarker) return std::nullopt;  // not a segment: the structure is broken
        const std::uint8_t marker = file[at + 1];
        if (marker == kMarker) {  // fill byte before a marker
            ++at;
            continue;
        }
        if (marker == kStartOfScan || marker == kEndOfImage) return std::nullopt;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // markers without a segment
            at += 2;
            continue;
        }
        if (at + 4 > file.size()) return std::nullopt;
        const std::size_t length = std::size_t{file[at + 2]} << 8 | file[at + 3];  // counts itself
        if (length < 2 || length > file.size() - at - 2) return std::nullopt;
        const auto body = file.subspan(at + 4, length - 2);
        if (marker == kApp1 && body.size() >= sizeof kExifSignature &&
            std::memcmp(body.data(), kExifSignature, sizeof kExifSignature) == 0)
            return body.subspan(sizeof kExifSignature);
        at += 2 + length;
    }
    return std::nullopt;
}

std::optional<Tiff> OpenTiff(std::span<const std::uint8_t> block) {
    if (block.size() < kTiffHeader) return std::nullopt;
    bool bigEndian = false;
    if (block[0] == 'I' && block[1] == 'I')
        bigEndian = false;
    else if (block[0] == 'M' && block[1] == 'M')
        bigEndian = true;
    else
        return std::nullopt;
    Tiff tiff(block, bigEndian);
    if (tiff.U16(2) != 42u) return std::nullopt;
    return tiff;
}

}  // namespace

PhotoMetadata ReadPhotoMetadata(std::span<const std::uint8_t> file) {
    PhotoMetadata metadata;
    const auto block = ExifBlock(file);
    if (!block) return metadata;
    const auto tiff = OpenTiff(*block);
    if (!tiff) return metadata;

    const std::uint32_t first = tiff->U32(4).value_or(0);
    const auto firstEntries = tiff->Directory(first);
    if (!firstEntries) return metadata;
    const auto orientation = tiff->Number(*firstEntries, kOrientationTag);
    if (orientation && *orientation >= 1 && *orientation <= 8) metadata.Orientation = static_cast<int>(*orientation);

    // Only the one link from the first directory to the second is followed,
    // so a chain of directories that loops cannot hold the reader; a second
    // directory that is the first again is no thumbnail's.
    const std::uint32_t second = tiff->NextDirectory(first, firstEntries->size());
    if (second == first) return metadata;
    const auto secondEntries = tiff->Directory(second);
    if (!secondEntries) return metadata;
    const auto offset = tiff->Number(*secondEntries, kPreviewOffsetTag);
    const auto length = tiff->Number(*secondEntries, kPreviewLengthTag);
    if (!offset || !length || *length < 2 || *offset < kTiffHeader || *offset > tiff->Size() ||
        *length > tiff->Size() - *offset)
        return metadata;
    const std::uint8_t* start = block->data() + *offset;
    if (start[0] != kMarker || start[1] != kStartOfImage) return metadata;  // not a JPEG
    metadata.Preview = ByteRange{static_cast<std::size_t>(start - file.data()), *length};
    return metadata;
}

bool SwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

PixelSize OrientedSize(PixelSize stored, int orientation) {
    return SwapsSides(orientation) ? PixelSize{stored.Height, stored.Width} : stored;
}

PixelWalk UprightWalk(int orientation, PixelSize stored) {
    const std::int64_t w = stored.Width, h = stored.Height;
    switch (orientation) {
        case 2: return {w - 1, -1, w};                // (w-1-x, y) in rows of w
        case 3: return {(h - 1) * w + w - 1, -1, -w};  // (w-1-x, h-1-y)
        case 4: return {(h - 1) * w, 1, -w};           // (x, h-1-y)
        case 5: return {0, h, 1};                      // (y, x) in rows of h
        case 6: return {h - 1, h, -1};                 // (h-1-y, x)
        case 7: return {(w - 1) * h + h - 1, -h, -1};  // (h-1-y, w-1-x)
        case 8: return {(w - 1) * h, -h, 1};           // (y, w-1-x)
        default: return {0, 1, w};                     // (x, y)
    }
}

bool SameProportions(PixelSize photo, PixelSize preview) {
    if (photo.Width <= 0 || photo.Height <= 0 || preview.Width <= 0 || preview.Height <= 0) return false;
    // |preview height - preview width x photo height / photo width| <= 1, or the
    // same with the sides exchanged, in whole numbers.
    const std::int64_t cross = std::int64_t{preview.Height} * photo.Width - std::int64_t{preview.Width} * photo.Height;
    return (cross < 0 ? -cross : cross) <= std::max<std::int64_t>(photo.Width, photo.Height);
}

}  // namespace qw
