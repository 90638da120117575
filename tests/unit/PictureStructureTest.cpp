// Whole and cut-off picture files told apart by their structure alone.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "shared/PictureStructure.h"

namespace qw {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

// ---- JPEG pieces. The entropy-coded data holds a stuffed 0xFF and a restart
// marker, both of which belong to the scan.
const Bytes kStart = {0xFF, 0xD8};
const Bytes kEnd = {0xFF, 0xD9};
const Bytes kTables = {0xFF, 0xDB, 0x00, 0x04, 0x00, 0x01, 0xFF, 0xC4, 0x00, 0x03, 0x10};
// A frame header: 8 bits, 2 rows of 3 pixels, one component.
const Bytes kFrame = {0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x02, 0x00, 0x03, 0x01, 0x01, 0x11, 0x00};
const Bytes kScan = {0xFF, 0xDA, 0x00, 0x03, 0x01, 0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD3, 0x56};
// An Exif segment whose preview is a JPEG of its own, end marker included.
const Bytes kExif = Join({{0xFF, 0xE1, 0x00, 0x0E}, Text("Exif"), {0, 0}, kStart, kEnd, {0x00, 0x00}});

const Bytes kJpeg = Join({kStart, kExif, kTables, kFrame, kScan, kEnd});
const Bytes kProgressive = Join({kStart, {0xFF, 0xC2, 0x00, 0x0B, 0x08, 0x01, 0x00, 0x00, 0x80, 0x01, 0x01, 0x11, 0x00},
                                  kScan, kTables, kScan, kScan, kEnd});

// ---- PNG: signature, header, data, end.
Bytes Chunk(const std::string& type, const Bytes& data) {
    const auto n = static_cast<std::uint32_t>(data.size());
    return Join({{std::uint8_t(n >> 24), std::uint8_t(n >> 16), std::uint8_t(n >> 8), std::uint8_t(n)}, Text(type),
                 data, {0xAA, 0xBB, 0xCC, 0xDD}});
}
const Bytes kPng = Join({{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, Chunk("IHDR", Bytes(13, 1)),
                         Chunk("IDAT", {0x78, 0x9C, 0x01}), Chunk("IEND", {})});

// ---- GIF: a global table of two colours, a control extension, an image
// with a local table of two colours, its data in two sub-blocks, the trailer.
const Bytes kGif = Join({Text("GIF89a"), {2, 0, 2, 0, 0x80, 0, 0}, Bytes(6, 0x11), {0x21, 0xF9, 4, 0, 0, 0, 0, 0},
                         {0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0x80}, Bytes(6, 0x22), {2, 2, 0x3B, 0x44, 1, 0x3B, 0, 0x3B}});

// ---- BMP: 3 x 2 pixels of 24 bits, rows padded from 9 to 12 bytes; with the
// full header the height is -2 (rows top-down), with the old core header 2.
Bytes Bmp(std::uint8_t header) {
    Bytes info = header == 12 ? Bytes{12, 0, 0, 0, 3, 0, 2, 0, 1, 0, 24, 0}
                              : Join({{header, 0, 0, 0, 3, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 24}, Bytes(25, 0)});
    return Join({{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, std::uint8_t(14 + header), 0, 0, 0}, info, Bytes(24, 0x33)});
}

// Every prefix of a sample shorter than its end is cut off, every longer one whole.
TEST(PictureStructureTest, APictureIsWholeExactlyWhenItsStructureReachesItsEnd) {
    struct Sample {
        const char* Name;
        Bytes File;
        std::size_t End;  // bytes needed to be whole; those after it may be anything
    };
    const Bytes trailer = Join({Text("MakerTrailer"), kEnd, {0xFF, 0xD8, 0xFF}});
    const Bytes video = Join({{0, 0, 0, 0x18}, Text("ftypmp42"), {0xFF, 0xDA, 0xFF, 0xD9, 0xFF}, Bytes(300, 0xFF)});
    const std::vector<Sample> samples = {
        {"jpeg", kJpeg, kJpeg.size()},
        {"progressive jpeg", kProgressive, kProgressive.size()},
        {"jpeg with padding", Join({kJpeg, Bytes(64, 0)}), kJpeg.size()},
        {"jpeg with a maker trailer", Join({kJpeg, trailer}), kJpeg.size()},
        {"motion photo", Join({kJpeg, video}), kJpeg.size()},
        {"png", kPng, kPng.size()},
        {"gif", kGif, kGif.size()},
        {"bmp", Bmp(40), Bmp(40).size()},
        {"bmp with the core header", Bmp(12), Bmp(12).size()},
    };
    for (const Sample& sample : samples)
        for (std::size_t length = 8; length <= sample.File.size(); ++length) {
            const auto result = CheckPictureStructure(std::span(sample.File.data(), length));
            EXPECT_EQ(result, length >= sample.End ? PictureStructure::Whole : PictureStructure::Cut)
                << sample.Name << " of " << length << " bytes";
        }
}

// Malformed and foreign files; a JPEG's size is read from its frame header,
// past the tables and an Exif segment, and never after the first scan.
TEST(PictureStructureTest, MalformedFilesAreCutAndOnlyAFrameHeaderGivesASize) {
    using enum PictureStructure;
    const Bytes bmp = Bmp(40);
    const std::optional<PixelSize> none;
    const struct {
        const char* Name;
        Bytes File;
        PictureStructure Structure;
        std::optional<PixelSize> Size;
    } cases[] = {
        {"jpeg", kJpeg, Whole, PixelSize{3, 2}},
        {"progressive jpeg", kProgressive, Whole, PixelSize{128, 256}},
        {"jpeg without a scan", Join({kStart, kTables, kFrame, kEnd}), Cut, PixelSize{3, 2}},
        {"jpeg framed after its scan", Join({kStart, kTables, kScan, kFrame, kEnd}), Whole, none},
        {"jpeg segment past the end", Join({kStart, {0xFF, 0xE1, 0xFF, 0xF0}, Bytes(40, 0), kEnd}), Cut, none},
        {"jpeg segment shorter than its length", Join({kStart, {0xFF, 0xE1, 0x00, 0x01}, kScan, kEnd}), Cut, none},
        {"png chunk of impossible length",
         Join({Bytes(kPng.begin(), kPng.begin() + 8), {0xFF, 0xFF, 0xFF, 0xFF}, Text("IDAT"), Chunk("IEND", {})}), Cut,
         none},
        {"gif with a stray block", Join({Bytes(kGif.begin(), kGif.begin() + 19), {0x99, 0x3B}}), Cut, none},
        {"bmp header past the end", Join({Bytes(bmp.begin(), bmp.begin() + 14), {200, 0, 0, 0}, Bytes(30, 0)}), Cut,
         none},
        {"icon", {0, 0, 1, 0, 1, 0, 16, 16, 0, 0}, Unknown, none},
        {"text", Text("not a picture"), Unknown, none},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckPictureStructure(c.File), c.Structure) << c.Name;
        EXPECT_EQ(JpegFrameSize(c.File), c.Size) << c.Name;
    }
}

}  // namespace
}  // namespace qw
