#pragma once
// The picture port. The core needs a picture's natural size only; drawing at a
// requested size is the adapters' business (they keep what they decoded).

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace qw {

class PictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Hundredths of a millimetre.
struct HimetricSize {
    std::int64_t Width = 0;
    std::int64_t Height = 0;
};

class Picture {
public:
    virtual ~Picture() = default;
    virtual HimetricSize NaturalSize() const = 0;
};

class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // Loads an ico, gif, bmp or jpeg file. Throws PictureError for a missing,
    // empty, truncated or unreadable file, or one too large to decode safely.
    virtual std::unique_ptr<Picture> Load(const std::string& path) = 0;
};

// The resolution of the display a window is on, in dots per inch.
struct Resolution {
    int DpiX = 96;
    int DpiY = 96;
};

}  // namespace qw
