#pragma once
// Whether a picture file holds the whole picture, read from its structure
// alone: a file cut off while it was being written, or shortened on its way,
// is found without decoding a single pixel. A JPEG is read forward from its
// start through every segment and scan to its end marker, so whatever a
// phone appends after the picture (padding, a maker's trailer, the video of
// a motion photo) is never taken for its end. A PNG must reach its IEND
// chunk, a GIF its trailer, and a BMP's pixels must fit the file.
//
// Damage inside the compressed data that keeps the structure intact is not
// found here; it shows when the pixels are decoded.

#include <cstdint>
#include <optional>
#include <span>

#include "shared/PictureFitting.h"

namespace qw {

enum class PictureStructure {
    Whole,    // the structure reaches the picture's end
    Cut,      // cut off or malformed: the picture cannot be whole
    Unknown,  // a format this check does not read (icons, for one)
};

PictureStructure CheckPictureStructure(std::span<const std::uint8_t> file);

// The size in a JPEG's frame header, as stored (before any turning); nothing
// when the file is no JPEG or has no frame header with a size before its
// first scan. Lets a JPEG be measured without a decoder, which may decode
// every pixel as soon as it opens the file.
std::optional<PixelSize> JpegFrameSize(std::span<const std::uint8_t> file);

}  // namespace qw
