// A photo's orientation and embedded preview read from its Exif segment, and
// how an orientation turns the stored pixels.

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <utility>
#include <string>

#include "ExifBytes.h"
#include "shared/PhotoMetadata.h"

namespace qw {
namespace {

using test::ByteOrder;
using test::Bytes;
using test::TiffEntry;

const Bytes kPreview = {0xFF, 0xD8, 0xFF, 0xD9, 0x11, 0x22};  // stands for a small JPEG

// A JPEG's structure around the segments given: start, segments, a scan, end.
Bytes Jpeg(const std::vector<Bytes>& segments) {
    Bytes out = {0xFF, 0xD8};
    for (const Bytes& segment : segments) out.insert(out.end(), segment.begin(), segment.end());
    const Bytes scan = {0xFF, 0xDA, 0x00, 0x02, 0x12, 0x34, 0x56, 0xFF, 0xD9};
    out.insert(out.end(), scan.begin(), scan.end());
    return out;
}

const Bytes kJfif = {0xFF, 0xE0, 0x00, 0x07, 'J', 'F', 'I', 'F', 0};
const Bytes kXmp = {0xFF, 0xE1, 0x00, 0x0A, 'h', 't', 't', 'p', ':', '/', '/', 0};

TiffEntry Orientation(std::uint32_t value) { return {test::kOrientationTag, test::kTiffShort, 1, value}; }

// Where the TIFF block starts in a file made by Jpeg({segment}).
constexpr std::size_t kTiffInFile = 2 + 10;

TEST(PhotoMetadataTest, OrientationIsReadInBothByteOrders) {
    for (const ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola})
        for (std::uint32_t value = 0; value <= 10; ++value) {
            const Bytes file = Jpeg({kJfif, test::ExifSegment(test::WriteTiff(order, {Orientation(value)}).Data)});
            const int expected = value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
            const PhotoMetadata metadata = ReadPhotoMetadata(file);
            EXPECT_EQ(metadata.Orientation, expected) << value << (order == ByteOrder::Intel ? " II" : " MM");
            EXPECT_FALSE(metadata.Preview);
        }
}

TEST(PhotoMetadataTest, ThePreviewIsFoundWhereTheSecondDirectorySays) {
    for (const ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola}) {
        const test::TiffBlock tiff = test::WriteTiff(order, {Orientation(6)}, {}, kPreview);
        const Bytes file = Jpeg({test::ExifSegment(tiff.Data), kJfif});
        const PhotoMetadata metadata = ReadPhotoMetadata(file);
        EXPECT_EQ(metadata.Orientation, 6);
        ASSERT_TRUE(metadata.Preview);
        EXPECT_EQ(*metadata.Preview, (ByteRange{kTiffInFile + tiff.Preview, kPreview.size()}));
        EXPECT_EQ(Bytes(file.begin() + metadata.Preview->Offset,
                        file.begin() + metadata.Preview->Offset + metadata.Preview->Length),
                  kPreview);
    }
}

// Changes to a well-formed photo (Intel order, orientation 6, a preview) and
// what is still read from it afterwards.
struct Damage {
    const char* Case;
    std::function<Bytes(test::TiffBlock&)> Make;  // the file, from the block
    int Orientation;
    bool Preview;
};

Bytes Put(test::TiffBlock& tiff, std::size_t at, std::uint32_t value, int width = 4) {
    test::PutAt(tiff.Data, at, value, width, ByteOrder::Intel);
    return Jpeg({test::ExifSegment(tiff.Data)});
}

// The file of the block with bytes of it changed: (position in the file, new value).
Bytes FileWith(const test::TiffBlock& tiff, std::initializer_list<std::pair<std::size_t, std::uint8_t>> changes) {
    Bytes file = Jpeg({test::ExifSegment(tiff.Data)});
    for (const auto& [at, value] : changes) file.at(at) = value;
    return file;
}

// The offset of the value of the entry `index` of the directory at `directory`.
std::size_t ValueOf(std::size_t directory, int index) { return directory + 2 + 12 * index + 8; }

const Damage kDamage[] = {
    {"Intact", [](test::TiffBlock& t) { return Jpeg({test::ExifSegment(t.Data)}); }, 6, true},
    {"AfterJfifAndXmp", [](test::TiffBlock& t) { return Jpeg({kJfif, kXmp, test::ExifSegment(t.Data)}); }, 6, true},
    {"NotAJpeg", [](test::TiffBlock& t) { return FileWith(t, {{1, 0xD9}}); }, 1, false},
    {"Empty", [](test::TiffBlock&) { return Bytes{}; }, 1, false},
    {"OnlyTheStart", [](test::TiffBlock&) { return Bytes{0xFF, 0xD8}; }, 1, false},
    {"NoExifSegment", [](test::TiffBlock&) { return Jpeg({kJfif, kXmp}); }, 1, false},
    {"ExifAfterTheImageData",
     [](test::TiffBlock& t) {
         Bytes file = Jpeg({});
         const Bytes segment = test::ExifSegment(t.Data);
         file.insert(file.end() - 2, segment.begin(), segment.end());
         return file;
     },
     1, false},
    {"GarbageBetweenSegments", [](test::TiffBlock& t) { return Jpeg({kJfif, {0x00, 0x00}, test::ExifSegment(t.Data)}); },
     1, false},
    {"SegmentLongerThanTheFile", [](test::TiffBlock& t) { return FileWith(t, {{4, 0xFF}}); }, 1, false},
    {"SegmentLengthBelowTwo", [](test::TiffBlock& t) { return FileWith(t, {{4, 0}, {5, 1}}); }, 1, false},
    {"NoByteOrder", [](test::TiffBlock& t) { return Put(t, 0, 'I' | 'M' << 8, 2); }, 1, false},
    {"NotTiff", [](test::TiffBlock& t) { return Put(t, 2, 43, 2); }, 1, false},
    {"FirstDirectoryInTheHeader", [](test::TiffBlock& t) { return Put(t, t.FirstLink, 4); }, 1, false},
    {"FirstDirectoryPastTheBlock",
     [](test::TiffBlock& t) { return Put(t, t.FirstLink, static_cast<std::uint32_t>(t.Data.size())); }, 1, false},
    {"FirstDirectoryAtTheTopOfTheRange", [](test::TiffBlock& t) { return Put(t, t.FirstLink, 0xFFFFFFFF); }, 1, false},
    {"EntryCountPastTheBlock", [](test::TiffBlock& t) { return Put(t, t.First, 5000, 2); }, 1, false},
    {"OrientationCountedTwice", [](test::TiffBlock& t) { return Put(t, t.First + 2 + 4, 2); }, 1, true},
    {"OrientationAsText", [](test::TiffBlock& t) { return Put(t, t.First + 2 + 2, 2, 2); }, 1, true},
    {"OrientationAsLong", [](test::TiffBlock& t) { return Put(t, t.First + 2 + 2, 4, 2); }, 6, true},
    {"SecondDirectoryIsTheFirst",
     [](test::TiffBlock& t) { return Put(t, t.SecondLink, static_cast<std::uint32_t>(t.First)); }, 6, false},
    {"SecondDirectoryLinksBackToTheFirst",
     [](test::TiffBlock& t) { return Put(t, t.Second + 2 + 2 * 12, static_cast<std::uint32_t>(t.First)); }, 6, true},
    {"SecondDirectoryPastTheBlock", [](test::TiffBlock& t) { return Put(t, t.SecondLink, 0x7FFFFFFF); }, 6, false},
    {"PreviewPastTheBlock",
     [](test::TiffBlock& t) { return Put(t, ValueOf(t.Second, 0), static_cast<std::uint32_t>(t.Data.size() - 1)); },
     6, false},
    {"PreviewInTheHeader", [](test::TiffBlock& t) { return Put(t, ValueOf(t.Second, 0), 0); }, 6, false},
    {"PreviewLengthPastTheBlock",
     [](test::TiffBlock& t) { return Put(t, ValueOf(t.Second, 1), static_cast<std::uint32_t>(kPreview.size() + 1)); },
     6, false},
    {"PreviewLengthPastTheSegmentButInTheFile",
     [](test::TiffBlock& t) {
         Put(t, ValueOf(t.Second, 1), static_cast<std::uint32_t>(kPreview.size() + 4));
         return Jpeg({test::ExifSegment(t.Data), kJfif});
     },
     6, false},
    {"PreviewEndBeyondThirtyTwoBits",
     [](test::TiffBlock& t) {
         Put(t, ValueOf(t.Second, 0), 0xFFFFFFF0);
         return Put(t, ValueOf(t.Second, 1), 0x20);
     },
     6, false},
    {"PreviewOfNoLength", [](test::TiffBlock& t) { return Put(t, ValueOf(t.Second, 1), 0); }, 6, false},
    {"PreviewWithoutItsLength", [](test::TiffBlock& t) { return Put(t, t.Second, 1, 2); }, 6, false},
    {"PreviewNotAJpeg", [](test::TiffBlock& t) { return Put(t, t.Preview, 0, 2); }, 6, false},
    {"PreviewTagsAsShorts",
     [](test::TiffBlock& t) {
         Put(t, t.Second + 2 + 2, test::kTiffShort, 2);
         return Put(t, t.Second + 2 + 12 + 2, test::kTiffShort, 2);
     },
     6, true},
};

class PhotoMetadataDamage : public testing::TestWithParam<Damage> {};

TEST_P(PhotoMetadataDamage, GivesTheDefaultsForWhatIsBroken) {
    test::TiffBlock tiff = test::WriteTiff(ByteOrder::Intel, {Orientation(6)}, {}, kPreview);
    const Damage& c = GetParam();
    const Bytes file = c.Make(tiff);
    const PhotoMetadata metadata = ReadPhotoMetadata(file);
    EXPECT_EQ(metadata.Orientation, c.Orientation);
    EXPECT_EQ(metadata.Preview.has_value(), c.Preview);
    if (metadata.Preview) {
        EXPECT_LE(metadata.Preview->Offset + metadata.Preview->Length, file.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Photos, PhotoMetadataDamage, testing::ValuesIn(kDamage),
                         [](const auto& info) { return std::string(info.param.Case); });

TEST(PhotoMetadataTest, EveryCutOfTheFileReadsNothingOutsideIt) {
    const Bytes whole = Jpeg({kJfif, test::PhotoExif(8, kPreview, ByteOrder::Motorola)});
    for (std::size_t size = 0; size < whole.size(); ++size) {
        // A copy of exactly this size, so reading past it is reading past the buffer.
        const Bytes cut(whole.begin(), whole.begin() + size);
        const PhotoMetadata metadata = ReadPhotoMetadata(cut);
        if (metadata.Preview) {
            EXPECT_LE(metadata.Preview->Offset + metadata.Preview->Length, size) << size;
        }
        EXPECT_TRUE(metadata.Orientation == 1 || metadata.Orientation == 8) << size;
    }
}

// The stored pixels    a b c    seen upright, for each orientation, row by row.
//                      d e f
TEST(PhotoOrientationTest, TurnsTheStoredPixelsUpright) {
    const struct {
        int Orientation;
        const char* Upright;
    } cases[] = {
        {1, "abc/def"}, {2, "cba/fed"},     {3, "fed/cba"},     {4, "def/abc"},
        {5, "ad/be/cf"}, {6, "da/eb/fc"},   {7, "fc/eb/da"},    {8, "cf/be/ad"},
        {0, "abc/def"},  // not an orientation: as stored
    };
    const PixelSize stored{3, 2};
    for (const auto& c : cases) {
        const PixelSize upright = OrientedSize(stored, c.Orientation);
        std::string pixels(static_cast<std::size_t>(upright.Width * upright.Height), '?');
        const PixelWalk walk = UprightWalk(c.Orientation, stored);
        for (int y = 0; y < stored.Height; ++y)
            for (int x = 0; x < stored.Width; ++x)
                pixels.at(static_cast<std::size_t>(walk.Origin + x * walk.StepX + y * walk.StepY)) =
                    "abcdef"[y * stored.Width + x];
        std::string rows;
        for (int y = 0; y < upright.Height; ++y) {
            if (y > 0) rows += '/';
            rows.append(pixels, static_cast<std::size_t>(y * upright.Width), upright.Width);
        }
        EXPECT_EQ(rows, c.Upright) << c.Orientation;
        EXPECT_EQ(OrientedSize(upright, c.Orientation), stored) << c.Orientation;
    }
}

TEST(PhotoOrientationTest, APreviewMatchesOnlyAPhotoOfItsProportions) {
    const struct {
        PixelSize Photo, Preview;
        bool Matches;
    } cases[] = {
        {{4000, 3000}, {160, 120}, true},   {{4032, 3024}, {160, 120}, true},
        {{4000, 2992}, {160, 120}, true},   // 119.7 high at the photo's proportions
        {{3000, 4000}, {120, 160}, true},   {{4000, 3000}, {160, 121}, true},   // a pixel off
        {{4000, 3000}, {160, 122}, false},  {{4000, 2250}, {160, 120}, false},  // 16:9 with bars
        {{3000, 4000}, {160, 120}, false},  {{8000, 1000}, {160, 21}, true},
        {{8000, 1000}, {160, 22}, false},   {{1000, 8000}, {21, 160}, true},
        {{0, 0}, {160, 120}, false},        {{4000, 3000}, {0, 0}, false},
        {{4000, 3000}, {-160, -120}, false},
        {{2147483647, 2147483646}, {160, 160}, true},  // products beyond 32 bits
        {{2147483647, 1073741823}, {160, 160}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SameProportions(c.Photo, c.Preview), c.Matches)
            << c.Photo.Width << "x" << c.Photo.Height << " / " << c.Preview.Width << "x" << c.Preview.Height;
}

}  // namespace
}  // namespace qw
