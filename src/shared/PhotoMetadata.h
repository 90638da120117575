#pragma once
// What a JPEG photo says about itself in its Exif block: which way up the
// camera held it, and where the small preview it carries lies in the file.
// Read from the file's bytes with every offset and length checked, so a
// damaged or hostile file gives the defaults (upright, no preview) and never
// a read outside the buffer.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "shared/PictureFitting.h"

namespace qw {

// Exif orientations: how the stored pixels are turned to be seen upright.
//   1 upright                       5 mirrored along the top-left diagonal
//   2 mirrored left to right        6 to be turned a quarter clockwise
//   3 to be turned half round       7 mirrored along the top-right diagonal
//   4 mirrored top to bottom        8 to be turned a quarter anticlockwise
constexpr int kUpright = 1;

// Bytes of the file.
struct ByteRange {
    std::size_t Offset = 0;
    std::size_t Length = 0;
    bool operator==(const ByteRange&) const = default;
};

struct PhotoMetadata {
    int Orientation = kUpright;        // 1 to 8
    std::optional<ByteRange> Preview;  // the embedded JPEG thumbnail
};

// Reads the first Exif segment of a JPEG file: the orientation from its first
// image directory, the thumbnail from its second. Anything missing, out of
// range or malformed gives the defaults for that item.
PhotoMetadata ReadPhotoMetadata(std::span<const std::uint8_t> file);

// Orientations 5 to 8 turn the picture a quarter: width and height trade places.
bool SwapsSides(int orientation);
// The size as seen upright from the size as stored, and back (the same swap).
PixelSize OrientedSize(PixelSize stored, int orientation);

// Where the stored pixel (x, y) lands in the upright picture, as an index into
// its rows laid one after another: Origin + x * StepX + y * StepY.
struct PixelWalk {
    std::int64_t Origin = 0;
    std::int64_t StepX = 1;
    std::int64_t StepY = 0;
};
PixelWalk UprightWalk(int orientation, PixelSize stored);

// Whether a preview shows the whole photo without bars: it is the photo scaled
// to the preview's width or to its height, the other side within a pixel (a
// 160 x 120 preview of a 4:3 photo is; of a 16:9 photo it has black bars and
// is not). Empty sizes never match.
bool SameProportions(PixelSize photo, PixelSize preview);

}  // namespace qw
