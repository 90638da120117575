#include "shared/TextEncoding.h"

#include "shared/Text.h"

namespace qw {

namespace {

// What the bytes 0x80-0x9F stand for in Windows-1252. The five bytes the code
// page leaves undefined map to the control characters of the same value, as
// Windows itself does, so every byte survives a round trip.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t CodePointOf(unsigned char byte) {
    return (byte >= 0x80 && byte <= 0x9F) ? kHighControls[byte - 0x80] : byte;
}

// The byte for a code point, or '?' when the code page has none.
char ByteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (unsigned i = 0; i < 32; ++i) {
        if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

std::string Windows1252::FromUtf8(const std::string& utf8) const {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Utf8Char ch = DecodeUtf8At(utf8, pos);
        out += ch.Valid ? ByteOf(ch.CodePoint) : '?';
        pos += ch.Length;
    }
    return out;
}

std::string Windows1252::ToUtf8(const std::string& ansi) const {
    std::string out;
    out.reserve(ansi.size() * 2);
    for (const char byte : ansi) AppendUtf8(out, CodePointOf(static_cast<unsigned char>(byte)));
    return out;
}

}  // namespace qw
