// Photos through WIC as the camera meant them: turned by their Exif
// orientation, and thumbnails drawn from the preview they carry.
#include <gtest/gtest.h>

#include "PictureFiles.h"
#include "win32/kit/Display.h"
#include "win32/WicPictures.h"

#include <ostream>

using qw::PixelSize;
using qw::test::BackToPixels;
using qw::test::Bytes;
using qw::test::ByteOrder;
using qw::test::Colour;
using qw::test::kBlue;
using qw::test::kGreen;
using qw::test::kRed;
using qw::test::kWhite;
using qw::test::Near;
using qw::test::PixelOf;
using qw::win32::WicPictureLoader;

namespace {

constexpr int kTolerance = 40;

class PhotosTest : public testing::Test {
protected:
    WicPictureLoader loader_;  // first: it initialises COM, which the encoders need too
    qw::test::TempFolder folder_;
};

// A red block in the stored top-left corner and a green one in the top-right,
// each a third of the width and half the height, on white.
Colour Marked(int x, int y, int width, int height) {
    if (y >= height / 2) return kWhite;
    if (x < width / 3) return kRed;
    if (x >= width - width / 3) return kGreen;
    return kWhite;
}

struct Corners {
    Colour TopLeft, TopRight, BottomLeft, BottomRight;
};

// The corners of the picture as drawn, sampled an eighth of the way in.
Corners CornersOf(HBITMAP bitmap, PixelSize size) {
    const int left = size.Width / 8, right = size.Width - 1 - size.Width / 8;
    const int top = size.Height / 8, bottom = size.Height - 1 - size.Height / 8;
    return {PixelOf(bitmap, left, top), PixelOf(bitmap, right, top), PixelOf(bitmap, left, bottom),
            PixelOf(bitmap, right, bottom)};
}

void ExpectCorners(const Corners& actual, const Corners& expected, const std::string& what) {
    EXPECT_PRED3(Near, actual.TopLeft, expected.TopLeft, kTolerance) << what << " top left";
    EXPECT_PRED3(Near, actual.TopRight, expected.TopRight, kTolerance) << what << " top right";
    EXPECT_PRED3(Near, actual.BottomLeft, expected.BottomLeft, kTolerance) << what << " bottom left";
    EXPECT_PRED3(Near, actual.BottomRight, expected.BottomRight, kTolerance) << what << " bottom right";
}

struct OrientationCase {
    int Orientation;
    Corners Seen;  // where the stored red and green corners are seen
};

void PrintTo(const OrientationCase& c, std::ostream* os) { *os << "orientation " << c.Orientation; }

// What each orientation means: which side the stored first row and first
// column are seen on.
const OrientationCase kOrientations[] = {
    {1, {kRed, kGreen, kWhite, kWhite}}, {2, {kGreen, kRed, kWhite, kWhite}},
    {3, {kWhite, kWhite, kGreen, kRed}}, {4, {kWhite, kWhite, kRed, kGreen}},
    {5, {kRed, kWhite, kGreen, kWhite}}, {6, {kWhite, kRed, kWhite, kGreen}},
    {7, {kWhite, kGreen, kWhite, kRed}}, {8, {kGreen, kWhite, kRed, kWhite}},
};

}  // namespace

class Orientations : public PhotosTest, public testing::WithParamInterface<OrientationCase> {};

TEST_P(Orientations, TurnTheSizeAndThePixels) {
    const OrientationCase& c = GetParam();
    constexpr int kWidth = 96, kHeight = 48;
    const std::string path = folder_ / ("turned" + std::to_string(c.Orientation) + ".jpg");
    // Both byte orders, as phones of both kinds write them.
    const ByteOrder order = c.Orientation % 2 ? ByteOrder::Motorola : ByteOrder::Intel;
    qw::test::WritePhoto(
        path, kWidth, kHeight, [](int x, int y) { return Marked(x, y, kWidth, kHeight); },
        qw::test::PhotoExif(c.Orientation, {}, order));

    const auto picture = loader_.LoadPicture(path);
    const bool sideways = c.Orientation >= 5;
    const PixelSize seen = sideways ? PixelSize{kHeight, kWidth} : PixelSize{kWidth, kHeight};
    EXPECT_EQ(picture->Size(), seen);
    const auto dpi = qw::win32::ScreenResolution();
    EXPECT_EQ(BackToPixels(picture->NaturalSize().Width, dpi.DpiX), seen.Width);
    EXPECT_EQ(BackToPixels(picture->NaturalSize().Height, dpi.DpiY), seen.Height);

    // At its own size, and scaled down first and turned afterwards.
    for (const PixelSize size : {seen, PixelSize{seen.Width / 2, seen.Height / 2}}) {
        HBITMAP bitmap = picture->Render(size.Width, size.Height);
        ExpectCorners(CornersOf(bitmap, size), c.Seen,
                      "orientation " + std::to_string(c.Orientation) + " at " + std::to_string(size.Width));
    }
}

INSTANTIATE_TEST_SUITE_P(Photos, Orientations, testing::ValuesIn(kOrientations),
                         [](const auto& info) { return "Orientation" + std::to_string(info.param.Orientation); });

namespace {

// A photo in blue with its stored top-left quarter red, and the preview it
// carries in green with the same red quarter, so the thumbnail tells which
// one it was drawn from and which way it was turned.
struct PreviewCase {
    const char* Case;
    PixelSize Photo;
    int Orientation;
    PixelSize Preview;  // 0 x 0: a damaged preview of the photo's proportions
    PixelSize Render;
    Colour Centre;     // green: from the preview; blue: from the photo
    bool RedTopRight;  // the red quarter seen top right, else top left
};

void PrintTo(const PreviewCase& c, std::ostream* os) { *os << c.Case; }

Colour Quartered(int x, int y, PixelSize size, Colour rest) {
    return x < size.Width / 4 && y < size.Height / 4 ? kRed : rest;
}

const PreviewCase kPreviewCases[] = {
    {"SlotFromThePreview", {320, 240}, 1, {160, 120}, {120, 90}, kGreen, false},
    {"PreviewSizeFromThePreview", {320, 240}, 1, {160, 120}, {160, 120}, kGreen, false},
    {"LargerThanThePreviewFromThePhoto", {320, 240}, 1, {160, 120}, {240, 180}, kBlue, false},
    {"SidewaysSlotFromThePreviewTurned", {320, 240}, 6, {160, 120}, {68, 90}, kGreen, true},
    {"SidewaysLargeFromThePhotoTurned", {320, 240}, 6, {160, 120}, {180, 240}, kBlue, true},
    {"PreviewWithBarsIgnored", {320, 180}, 1, {160, 120}, {120, 68}, kBlue, false},
    {"PreviewOfATallPhotoIgnored", {240, 320}, 1, {160, 120}, {68, 90}, kBlue, false},
    {"DamagedPreviewIgnored", {320, 240}, 1, {0, 0}, {120, 90}, kBlue, false},
};

}  // namespace

class Previews : public PhotosTest, public testing::WithParamInterface<PreviewCase> {};

TEST_P(Previews, ServeOnlyThumbnailsOfThePhotosProportions) {
    const PreviewCase& c = GetParam();
    Bytes preview;
    if (c.Preview.Width > 0) {
        preview = qw::test::JpegBytes(folder_ / "preview.jpg", c.Preview.Width, c.Preview.Height,
                                      [&](int x, int y) { return Quartered(x, y, c.Preview, kGreen); });
    } else {
        preview = qw::test::JpegBytes(folder_ / "preview.jpg", 160, 120, [](int, int) { return kGreen; });
        std::fill(preview.begin() + 2, preview.end(), 0x5A);  // only its start marker left
    }
    const std::string path = folder_ / "photo.jpg";
    qw::test::WritePhoto(
        path, c.Photo.Width, c.Photo.Height, [&](int x, int y) { return Quartered(x, y, c.Photo, kBlue); },
        qw::test::PhotoExif(c.Orientation, preview));

    const auto picture = loader_.LoadPicture(path);
    // The photo's own size, whatever the preview's.
    EXPECT_EQ(picture->Size(), qw::OrientedSize(c.Photo, c.Orientation));
    HBITMAP bitmap = picture->Render(c.Render.Width, c.Render.Height);
    EXPECT_PRED3(Near, PixelOf(bitmap, c.Render.Width / 2, c.Render.Height / 2), c.Centre, kTolerance);
    const int y = c.Render.Height / 10, left = c.Render.Width / 10, right = c.Render.Width - 1 - left;
    EXPECT_PRED3(Near, PixelOf(bitmap, c.RedTopRight ? right : left, y), kRed, kTolerance);
    EXPECT_PRED3(Near, PixelOf(bitmap, c.RedTopRight ? left : right, y), c.Centre, kTolerance);
}

INSTANTIATE_TEST_SUITE_P(Photos, Previews, testing::ValuesIn(kPreviewCases),
                         [](const auto& info) { return std::string(info.param.Case); });
