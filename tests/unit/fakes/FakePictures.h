#pragma once
// Pictures without image files: a loader that knows the natural size of each
// registered path, and fails for the others or for paths made to fail.

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "shared/Pictures.h"
#include "shared/Text.h"

namespace qw {

class FakePicture : public Picture {
public:
    explicit FakePicture(HimetricSize size) : size_(size) { ++live; }
    ~FakePicture() override { --live; }
    FakePicture(const FakePicture&) = delete;
    FakePicture& operator=(const FakePicture&) = delete;
    HimetricSize NaturalSize() const override { return size_; }

    // The fake pictures alive: whoever keeps pictures after use shows up here.
    inline static int live = 0;

private:
    HimetricSize size_;
};

// The HIMETRIC size of a picture that is width x height pixels at 96 dpi.
inline HimetricSize HimetricOfPixels(std::int32_t width, std::int32_t height) {
    return {RoundHalfEven(width * 2540.0 / 96.0), RoundHalfEven(height * 2540.0 / 96.0)};
}

class FakePictureLoader : public PictureLoader {
public:
    void Add(const std::string& path, HimetricSize size) { sizes_[LowerCase(path)] = size; }
    // A picture of width x height pixels at 96 dpi.
    void AddPixels(const std::string& path, std::int32_t width, std::int32_t height) {
        Add(path, HimetricOfPixels(width, height));
    }
    // The file is gone: loading it throws PictureError.
    void Remove(const std::string& path) { sizes_.erase(LowerCase(path)); }
    // Loading the path throws PictureError, as for a damaged file.
    void Fail(const std::string& path) { failing_.insert(LowerCase(path)); }
    // It loads again, as a file written to its end does.
    void Mend(const std::string& path) { failing_.erase(LowerCase(path)); }
    int LoadCount(const std::string& path) const {
        const auto it = loads_.find(LowerCase(path));
        return it == loads_.end() ? 0 : it->second;
    }

    // Paths compare ignoring letter case; an unknown path is a missing file.
    std::unique_ptr<Picture> Load(const std::string& path) override {
        const std::string key = LowerCase(path);
        ++loads_[key];
        if (failing_.count(key) != 0) throw PictureError("cannot decode the picture: " + path);
        const auto it = sizes_.find(key);
        if (it == sizes_.end()) throw PictureError("no such picture: " + path);
        return std::make_unique<FakePicture>(it->second);
    }

private:
    std::map<std::string, HimetricSize> sizes_;
    std::set<std::string> failing_;
    std::map<std::string, int> loads_;
};

}  // namespace qw
