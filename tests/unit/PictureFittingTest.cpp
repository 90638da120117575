#include <gtest/gtest.h>

#include <limits>
#include <ostream>

#include "fakes/FakePictures.h"
#include "shared/PictureFitting.h"

namespace qw {

void PrintTo(const PixelSize& size, std::ostream* os) { *os << size.Width << " x " << size.Height; }

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct FitCase {
    std::int32_t W, H, BoxW, BoxH;
    FitMode Mode;
    PixelSize Expected;
};

void PrintTo(const FitCase& c, std::ostream* os) {
    *os << c.W << "x" << c.H << " in " << c.BoxW << "x" << c.BoxH
        << (c.Mode == FitMode::Fit ? " fit" : " shrink-only");
}

class GetSizeTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(GetSizeTest, FitsThePictureKeepingItsProportions) {
    const FitCase& c = GetParam();
    EXPECT_EQ(GetSize(c.W, c.H, c.BoxW, c.BoxH, c.Mode), c.Expected);
}

constexpr FitMode kShrink = FitMode::ShrinkOnly;
constexpr FitMode kFit = FitMode::Fit;

INSTANTIATE_TEST_SUITE_P(
    ShrinkOnly, GetSizeTest,
    ::testing::Values(
        FitCase{400, 300, 800, 600, kShrink, {400, 300}},    // fits: own size
        FitCase{400, 300, 400, 300, kShrink, {400, 300}},    // exactly fits
        FitCase{400, 300, 200, 300, kShrink, {200, 150}},    // too wide only
        FitCase{400, 300, 400, 150, kShrink, {200, 150}},    // too high only
        FitCase{480, 640, 120, 90, kShrink, {68, 90}},       // 67.5 -> 68
        FitCase{1000, 100, 120, 90, kShrink, {120, 12}},
        FitCase{2000, 1000, 100, 100, kShrink, {100, 50}},   // full height too wide: full width
        FitCase{400, 100, 90, 90, kShrink, {90, 22}},        // 22.5 -> 22
        FitCase{400, 300, -5, 600, kShrink, {0, 0}},         // window too small
        FitCase{400, 300, -1, -1, kShrink, {0, 0}},
        FitCase{0, 0, 100, 100, kShrink, {0, 0}},            // empty picture
        FitCase{0, 50, 120, 90, kShrink, {0, 50}},           // a side of 0 fits as it is
        FitCase{0, 100, 120, 90, kShrink, {0, 90}},
        FitCase{100, 0, 120, -5, kShrink, {0, 0}}));

INSTANTIATE_TEST_SUITE_P(
    Fit, GetSizeTest,
    ::testing::Values(
        FitCase{400, 300, 800, 800, kFit, {800, 600}},
        FitCase{100, 200, 800, 600, kFit, {300, 600}},
        FitCase{400, 300, 400, 300, kFit, {400, 300}},
        FitCase{480, 640, 120, 90, kFit, {68, 90}},
        FitCase{400, 300, 0, 0, kFit, {0, 0}},
        FitCase{0, 0, 100, 100, kFit, {0, 0}},
        FitCase{100, 0, 120, 90, kFit, {120, 0}},            // unbounded width gives way to the box width
        FitCase{0, 50, 120, 90, kFit, {0, 90}},
        FitCase{400, 300, 800, -600, kFit, {0, 0}}));

// Products far beyond 32 bits, where a 32-bit or double computation goes wrong.
INSTANTIATE_TEST_SUITE_P(
    HugeSizes, GetSizeTest,
    ::testing::Values(
        FitCase{2000000000, 1000000000, 1500000000, 1500000000, kShrink, {1500000000, 750000000}},
        FitCase{100000, 75000, kMax - 1, kMax - 1, kFit, {kMax - 1, 1610612734}},  // .5 -> even
        FitCase{2147483646, 1073741823, 2147483645, kMax, kShrink, {2147483645, 1073741822}},  // .5 -> even
        // 525614152.5000000008: a double product loses the excess and rounds to 525614152.
        FitCase{1255293968, 867729919, 760375159, kMax, kShrink, {760375159, 525614153}},
        FitCase{kMax, 1, 10, 10, kShrink, {10, 0}},
        FitCase{1, kMax, kMax, 10, kFit, {0, 10}}));

TEST(HimetricConversion, RoundsHalfToEven) {
    EXPECT_EQ(HimetricToPixels(2540, 96), 96);
    EXPECT_EQ(HimetricToPixels(26458, 96), 1000);  // 999.99
    EXPECT_EQ(HimetricToPixels(1270, 1), 0);       // 0.5
    EXPECT_EQ(HimetricToPixels(3810, 1), 2);       // 1.5
    EXPECT_EQ(HimetricToPixels(-3810, 1), -2);
    EXPECT_EQ(HimetricToTwips(2540), 1440);
    EXPECT_EQ(HimetricToTwips(127), 72);
    EXPECT_EQ(HimetricToTwips(1), 1);  // 0.567
}

TEST(HimetricConversion, HoldsAbsurdSizesAtTheEndsOfTheRange) {
    EXPECT_EQ(HimetricToPixels(std::int64_t{1} << 50, 96), kMax);
    EXPECT_EQ(HimetricToPixels(-(std::int64_t{1} << 50), 96), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(HimetricToTwips(std::numeric_limits<std::int64_t>::max()), kMax);
}

TEST(PixelsToHimetric, RoundsHalvesToEvenAndConvertsBackExactly) {
    struct Case {
        int Pixels, Dpi;
        std::int64_t Himetric;
    };
    const Case cases[] = {
        {640, 96, 16933}, {12, 96, 318},  // 317.5
        {36, 96, 952},                    // 952.5
        {1, 120, 21},     {6, 120, 127},  {9, 144, 159}, {0, 96, 0}, {96, 0, 2540},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PixelsToHimetric({c.Pixels, 1}, {c.Dpi, 96}).Width, c.Himetric) << c.Pixels << " px at " << c.Dpi;
    for (int dpi : {72, 96, 120, 144, 192, 288})
        for (int pixels = 1; pixels <= 3000; ++pixels) {
            const auto himetric = PixelsToHimetric({1, pixels}, {96, dpi}).Height;
            ASSERT_EQ(HimetricToPixels(himetric, dpi), pixels) << pixels << " px at " << dpi;
        }
}

TEST(PictureSize, UsesEachAxisOwnResolution) {
    const FakePicture picture({2540, 5080});
    EXPECT_EQ(PictureSizeInPixels(picture, Resolution{120, 96}), (PixelSize{120, 192}));
    EXPECT_EQ(PictureSizeInTwips(picture), (PixelSize{1440, 2880}));
}

TEST(PictureSize, PixelSizesAt96DpiComeBackExactly) {
    for (std::int32_t pixels : {1, 3, 67, 480, 640, 1023, 4000, 65535}) {
        const FakePicture picture(HimetricOfPixels(pixels, pixels + 1));
        EXPECT_EQ(PictureSizeInPixels(picture, Resolution{}), (PixelSize{pixels, pixels + 1}));
    }
}

TEST(GetSizeOfPicture, NoPictureIsEmpty) {
    EXPECT_EQ(GetSize(nullptr, Resolution{}, 800, 600, FitMode::ShrinkOnly), (PixelSize{0, 0}));
    EXPECT_EQ(GetSize(nullptr, Resolution{}, 800, 600, FitMode::Fit), (PixelSize{0, 0}));
}

TEST(GetSizeOfPicture, FitsTheSizeInPixelsOfTheDisplay) {
    const FakePicture picture(HimetricOfPixels(480, 640));
    EXPECT_EQ(GetSize(&picture, Resolution{}, 120, 90, FitMode::ShrinkOnly), (PixelSize{68, 90}));
    // At twice the resolution the same picture is 960 x 1280 pixels and no longer fits.
    EXPECT_EQ(GetSize(&picture, Resolution{192, 192}, 800, 1280, FitMode::ShrinkOnly), (PixelSize{800, 1067}));
    const FakePicture empty({0, 0});
    EXPECT_EQ(GetSize(&empty, Resolution{}, 800, 600, FitMode::Fit), (PixelSize{0, 0}));
}

}  // namespace
}  // namespace qw
