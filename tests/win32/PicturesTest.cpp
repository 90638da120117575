// Pictures through WIC: sizes, rendering at requested sizes with transparency,
// and refusal of files that are empty, cut off, not pictures or too large.
#include <gtest/gtest.h>

#include "PictureFiles.h"
#include "WindowCapture.h"
#include "win32/kit/Display.h"
#include "win32/WicPictures.h"


using qw::PictureError;
using qw::test::Bytes;
using qw::test::Colour;
using qw::test::Format;
using qw::test::Near;
using qw::test::PixelOf;
using qw::test::TempFolder;
using qw::PixelSize;
using qw::test::BackToPixels;
using qw::win32::Widen;
using qw::win32::WicPicture;
using qw::win32::WicPictureLoader;

namespace {

class PicturesTest : public testing::Test {
protected:
    std::string Encode(Format format, int width, int height,
                       const std::function<Colour(int, int)>& colour = qw::test::Noise) {
        const std::string path = folder_ / (std::to_string(width) + "x" + std::to_string(height) + "." +
                                            qw::test::Extension(format));
        qw::test::EncodePicture(path, format, width, height, colour);
        return path;
    }

    WicPictureLoader loader_;  // first: it initialises COM, which the encoders need too
    TempFolder folder_;
};

struct SizeCase {
    Format Kind;
    int Width, Height;
    std::int64_t HimetricWidthAt96, HimetricHeightAt96;
};

const SizeCase kSizeCases[] = {
    {Format::Bmp, 640, 480, 16933, 12700}, {Format::Gif, 640, 480, 16933, 12700},
    {Format::Jpeg, 640, 480, 16933, 12700}, {Format::Bmp, 1, 1, 26, 26},
    {Format::Gif, 1, 1, 26, 26},           {Format::Jpeg, 1, 1, 26, 26},
    {Format::Bmp, 37, 23, 979, 609},       {Format::Gif, 37, 23, 979, 609},
    {Format::Jpeg, 37, 23, 979, 609},
};

}  // namespace

class NaturalSizes : public PicturesTest, public testing::WithParamInterface<SizeCase> {};

TEST_P(NaturalSizes, AreThePixelsInHimetricAtTheScreenResolution) {
    const SizeCase& c = GetParam();
    const auto picture = loader_.Load(Encode(c.Kind, c.Width, c.Height));
    const auto natural = picture->NaturalSize();
    const auto dpi = qw::win32::ScreenResolution();
    EXPECT_EQ(BackToPixels(natural.Width, dpi.DpiX), c.Width);
    EXPECT_EQ(BackToPixels(natural.Height, dpi.DpiY), c.Height);
    if (dpi.DpiX == 96 && dpi.DpiY == 96) {
        EXPECT_EQ(natural.Width, c.HimetricWidthAt96);
        EXPECT_EQ(natural.Height, c.HimetricHeightAt96);
    }
    const PixelSize pixels = static_cast<WicPicture&>(*picture).Size();
    EXPECT_EQ(pixels.Width, c.Width);
    EXPECT_EQ(pixels.Height, c.Height);
}

INSTANTIATE_TEST_SUITE_P(Pictures, NaturalSizes, testing::ValuesIn(kSizeCases));

TEST_F(PicturesTest, AnIconGivesTheSizeOfItsFirstImage) {
    const std::string path = folder_ / "two.ico";
    qw::test::WriteBytes(path, qw::test::IconFile({{32, qw::test::Noise}, {16, qw::test::Noise}}));
    const auto picture = loader_.LoadPicture(path);
    EXPECT_EQ(picture->Size().Width, 32);
    EXPECT_EQ(picture->Size().Height, 32);
    EXPECT_EQ(BackToPixels(picture->NaturalSize().Width, qw::win32::ScreenResolution().DpiX), 32);
}

class Rendering : public PicturesTest, public testing::WithParamInterface<Format> {};

TEST_P(Rendering, GivesExactlyTheAskedSizeTopDownAndKeepsTheLastOne) {
    const auto picture = loader_.LoadPicture(
        Encode(GetParam(), 40, 40, [](int, int y) { return y < 20 ? qw::test::kRed : qw::test::kBlue; }));
    const int tolerance = GetParam() == Format::Jpeg ? 40 : 0;
    for (const PixelSize size : {PixelSize{8, 8}, PixelSize{40, 40}, PixelSize{80, 80}, PixelSize{120, 90},
                                 PixelSize{300, 7}}) {
        HBITMAP bitmap = picture->Render(size.Width, size.Height);
        DIBSECTION dib{};
        ASSERT_EQ(GetObjectW(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
        EXPECT_EQ(dib.dsBm.bmWidth, size.Width);
        EXPECT_EQ(dib.dsBm.bmHeight, size.Height);
        EXPECT_EQ(dib.dsBm.bmBitsPixel, 32);
        EXPECT_EQ(dib.dsBm.bmWidthBytes, size.Width * 4);
        EXPECT_PRED3(Near, PixelOf(bitmap, size.Width / 2, 0), qw::test::kRed, tolerance) << size.Width;
        EXPECT_PRED3(Near, PixelOf(bitmap, size.Width / 2, size.Height - 1), qw::test::kBlue, tolerance)
            << size.Width;
        EXPECT_EQ(picture->Render(size.Width, size.Height), bitmap);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, Rendering, testing::Values(Format::Bmp, Format::Gif, Format::Jpeg));

TEST_F(PicturesTest, IconTransparencyIsPremultipliedAndBlended) {
    const std::string path = folder_ / "half.ico";
    qw::test::WriteBytes(path, qw::test::IconFile({{32, [](int x, int) {
                                                        return x < 16 ? qw::test::kClear : qw::test::kGreen;
                                                    }}}));
    const auto picture = loader_.LoadPicture(path);
    HBITMAP bitmap = picture->Render(32, 32);
    EXPECT_EQ(PixelOf(bitmap, 2, 10), 0u);
    EXPECT_EQ(PixelOf(bitmap, 30, 10), qw::test::kGreen);

    // Drawn onto white, the transparent half stays white.
    const qw::test::Capture drawn = qw::test::detail::CaptureWith(32, 32, [&](HDC dc, HDC) {
        const RECT all{0, 0, 32, 32};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        picture->Draw(dc, all);
        picture->Draw(dc, RECT{0, 0, 0, 32});  // an empty rectangle draws nothing
    });
    EXPECT_EQ(drawn.At(2, 10), RGB(255, 255, 255));
    EXPECT_EQ(drawn.At(30, 10), RGB(0, 255, 0));
}

TEST_F(PicturesTest, TheFileIsNotHeldOpenWhileThePictureLives) {
    const std::string path = Encode(Format::Jpeg, 64, 48);
    const auto picture = loader_.LoadPicture(path);
    const std::string moved = folder_ / "moved.jpg";
    EXPECT_TRUE(MoveFileExW(Widen(path).c_str(), Widen(moved).c_str(), 0));
    EXPECT_TRUE(DeleteFileW(Widen(moved).c_str()));
    EXPECT_NE(picture->Render(20, 15), nullptr);
}

TEST_F(PicturesTest, RefusesEmptyAndHugeRenderSizes) {
    const auto picture = loader_.LoadPicture(Encode(Format::Bmp, 4, 4));
    EXPECT_THROW(picture->Render(0, 10), PictureError);
    EXPECT_THROW(picture->Render(10, -1), PictureError);
    EXPECT_THROW(picture->Render(100000, 100000), PictureError);
    EXPECT_NE(picture->Render(4, 4), nullptr);
}

namespace {

struct BadFile {
    const char* Case;
    std::string (*Make)(const TempFolder& folder);
};

std::string Truncated(const TempFolder& folder, Format format, int percent) {
    const std::string whole = folder / (std::string("whole.") + qw::test::Extension(format));
    qw::test::EncodePicture(whole, format, 256, 256, qw::test::Noise);
    Bytes bytes = qw::test::ReadAll(whole);
    bytes.resize(bytes.size() * percent / 100);
    const std::string cut = folder / ("cut." + std::string(qw::test::Extension(format)));
    qw::test::WriteBytes(cut, bytes);
    return cut;
}

const BadFile kBadFiles[] = {
    {"Missing", [](const TempFolder& f) { return f / "missing.jpg"; }},
    {"Folder", [](const TempFolder& f) { return f.Path(); }},
    {"Empty",
     [](const TempFolder& f) {
         qw::test::WriteBytes(f / "empty.jpg", {});
         return f / "empty.jpg";
     }},
    {"TextNamedJpg",
     [](const TempFolder& f) {
         qw::test::WriteText(f / "text.jpg", "This is a letter, not a picture.\r\n");
         return f / "text.jpg";
     }},
    {"JpegCutInHalf", [](const TempFolder& f) { return Truncated(f, Format::Jpeg, 50); }},
    {"JpegCutNearTheEnd", [](const TempFolder& f) { return Truncated(f, Format::Jpeg, 95); }},
    {"GifCutInHalf", [](const TempFolder& f) { return Truncated(f, Format::Gif, 50); }},
    {"GifCutNearTheEnd", [](const TempFolder& f) { return Truncated(f, Format::Gif, 95); }},
    {"BmpCutInHalf", [](const TempFolder& f) { return Truncated(f, Format::Bmp, 50); }},
    {"BmpCutNearTheEnd", [](const TempFolder& f) { return Truncated(f, Format::Bmp, 95); }},
    {"IconCutInHalf",
     [](const TempFolder& f) {
         Bytes icon = qw::test::IconFile({{32, qw::test::Noise}});
         icon.resize(icon.size() / 2);
         qw::test::WriteBytes(f / "cut.ico", icon);
         return f / "cut.ico";
     }},
};

}  // namespace

class BadFiles : public PicturesTest, public testing::WithParamInterface<BadFile> {};

TEST_P(BadFiles, AreRefused) {
    EXPECT_THROW(loader_.Load(GetParam().Make(folder_)), PictureError);
}

INSTANTIATE_TEST_SUITE_P(Files, BadFiles, testing::ValuesIn(kBadFiles),
                         [](const auto& info) { return std::string(info.param.Case); });

TEST_F(PicturesTest, AHeaderClaimingTenGigapixelsIsRefusedBeforeDecoding) {
    const std::string path = folder_ / "huge.bmp";
    qw::test::WriteBytes(path, qw::test::BmpHeader(100000, 100000));
    try {
        loader_.Load(path);
        FAIL() << "loaded";
    } catch (const PictureError& error) {
        EXPECT_NE(std::string(error.what()).find("100000 x 100000"), std::string::npos) << error.what();
    }
}
