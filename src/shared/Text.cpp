#include "shared/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <system_error>

namespace qw {

namespace {

// Capitals outside the regular runs below, with their small letters.
struct CasePair {
    char32_t Upper;
    char32_t Lower;
};

constexpr CasePair kSingleCapitals[] = {
    {0x0130, 0x0069},  // I with dot above -> i
    {0x0178, 0x00FF},  // Y with diaeresis
    {0x0181, 0x0253}, {0x0186, 0x0254}, {0x0189, 0x0256}, {0x018A, 0x0257},
    {0x018E, 0x01DD}, {0x018F, 0x0259}, {0x0190, 0x025B}, {0x0193, 0x0260},
    {0x0194, 0x0263}, {0x0196, 0x0269}, {0x0197, 0x0268}, {0x019C, 0x026F},
    {0x019D, 0x0272}, {0x019F, 0x0275}, {0x01A6, 0x0280}, {0x01A9, 0x0283},
    {0x01AE, 0x0288}, {0x01B1, 0x028A}, {0x01B2, 0x028B}, {0x01B7, 0x0292},
    {0x01C4, 0x01C6}, {0x01C5, 0x01C6}, {0x01C7, 0x01C9}, {0x01C8, 0x01C9},
    {0x01CA, 0x01CC}, {0x01CB, 0x01CC}, {0x01F1, 0x01F3}, {0x01F2, 0x01F3},
    {0x01F6, 0x0195}, {0x01F7, 0x01BF}, {0x0220, 0x019E}, {0x023A, 0x2C65},
    {0x023D, 0x019A}, {0x023E, 0x2C66}, {0x0243, 0x0180}, {0x0244, 0x0289},
    {0x0245, 0x028C},
    {0x037F, 0x03F3}, {0x0386, 0x03AC}, {0x038C, 0x03CC}, {0x038E, 0x03CD},
    {0x038F, 0x03CE}, {0x03CF, 0x03D7}, {0x03F4, 0x03B8}, {0x03F9, 0x03F2},
    {0x03FD, 0x037B}, {0x03FE, 0x037C}, {0x03FF, 0x037D},
    {0x04C0, 0x04CF}, {0x1E9E, 0x00DF},
};

// Pairs of neighbouring code points, capital first, in a range where the
// capital sits on an even (or, for OddCapitals, an odd) code point.
struct PairedRange {
    char32_t First;
    char32_t Last;
    bool OddCapitals;
};

constexpr PairedRange kPairedRanges[] = {
    {0x0100, 0x012F, false}, {0x0132, 0x0137, false}, {0x0139, 0x0148, true},
    {0x014A, 0x0177, false}, {0x0179, 0x017E, true},
    {0x0182, 0x0185, false}, {0x0187, 0x0188, true},  {0x018B, 0x018C, true},
    {0x0191, 0x0192, true},  {0x0198, 0x0199, false}, {0x01A0, 0x01A5, false},
    {0x01A7, 0x01A8, true},  {0x01AC, 0x01AD, false}, {0x01AF, 0x01B0, true},
    {0x01B3, 0x01B6, true},  {0x01B8, 0x01B9, false}, {0x01BC, 0x01BD, false},
    {0x01CD, 0x01DC, true},  {0x01DE, 0x01EF, false}, {0x01F4, 0x01F5, false},
    {0x01F8, 0x021F, false}, {0x0222, 0x0233, false}, {0x023B, 0x023C, true},
    {0x0241, 0x0242, true},  {0x0246, 0x024F, false},
    {0x0370, 0x0373, false}, {0x0376, 0x0377, false}, {0x03D8, 0x03EF, false},
    {0x03F7, 0x03F8, true},  {0x03FA, 0x03FB, false},
    {0x0460, 0x0481, false}, {0x048A, 0x04BF, false}, {0x04C1, 0x04CE, true},
    {0x04D0, 0x052F, false},
    {0x1E00, 0x1E95, false}, {0x1EA0, 0x1EFF, false},
};

char32_t LowerCodePoint(char32_t c) {
    if (c < 0x80) return (c >= U'A' && c <= U'Z') ? c + 32 : c;
    // Latin-1 capitals, except the multiplication sign.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    // Greek: accented capitals, then the basic alphabet (0x03A2 is unassigned).
    if (c >= 0x0388 && c <= 0x038A) return c + 37;
    if ((c >= 0x0391 && c <= 0x03A1) || (c >= 0x03A3 && c <= 0x03AB)) return c + 32;
    // Cyrillic: Ѐ-Џ, then А-Я.
    if (c >= 0x0400 && c <= 0x040F) return c + 80;
    if (c >= 0x0410 && c <= 0x042F) return c + 32;
    for (const PairedRange& r : kPairedRanges) {
        if (c >= r.First && c <= r.Last) {
            const bool odd = (c & 1) != 0;
            return odd == r.OddCapitals ? c + 1 : c;
        }
    }
    for (const CasePair& p : kSingleCapitals) {
        if (p.Upper == c) return p.Lower;
    }
    return c;
}

bool IsBlank(char c) { return c == ' '; }

}  // namespace

Utf8Char DecodeUtf8At(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    const Utf8Char invalid{lead, 1, false};
    if (lead < 0x80) return {lead, 1, true};

    std::size_t length;
    char32_t cp;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2; cp = lead & 0x1F; minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3; cp = lead & 0x0F; minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4; cp = lead & 0x07; minimum = 0x10000;
    } else {
        return invalid;
    }
    if (text.size() - pos < length) return invalid;
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) return invalid;
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return invalid;
    return {cp, length, true};
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string LowerCase(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Utf8Char ch = DecodeUtf8At(utf8, pos);
        const char32_t lower = ch.Valid ? LowerCodePoint(ch.CodePoint) : ch.CodePoint;
        if (!ch.Valid || lower == ch.CodePoint) {
            out.append(utf8.substr(pos, ch.Length));
        } else {
            AppendUtf8(out, lower);
        }
        pos += ch.Length;
    }
    return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return LowerCase(a) == LowerCase(b);
}

std::int64_t RoundHalfEven(double value) {
    // 2^63 is exact in a double; the range is [-2^63, 2^63).
    constexpr double kLimit = 9223372036854775808.0;
    if (!std::isfinite(value)) throw std::out_of_range("not a finite number");
    double whole = std::floor(value);
    // Exact for |value| >= 0.5; below that a tie cannot occur and the
    // comparison with 0.5 still comes out right.
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    if (whole < -kLimit || whole >= kLimit) throw std::out_of_range("number too large");
    return static_cast<std::int64_t>(whole);
}

std::int64_t RoundedQuotient(std::int64_t numerator, std::int64_t divisor) {
    if (divisor == 0) throw std::domain_error("division by zero");
    if (divisor < 0) {
        numerator = -numerator;
        divisor = -divisor;
    }
    std::int64_t quotient = numerator / divisor;
    std::int64_t remainder = numerator % divisor;
    if (remainder < 0) {  // make it the floor, with 0 <= remainder < divisor
        quotient -= 1;
        remainder += divisor;
    }
    // remainder < divisor, so comparing remainder with divisor - remainder
    // cannot overflow where doubling the remainder could.
    const std::int64_t rest = divisor - remainder;
    if (remainder > rest || (remainder == rest && quotient % 2 != 0)) quotient += 1;
    return quotient;
}

double NumericValue(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;

    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t start = pos;
    bool seenPoint = false;
    bool anyDigit = false;
    bool nonZeroWhole = false;  // a non-zero digit before the point
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (!seenPoint && c != '0') nonZeroWhole = true;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return 0.0;

    // from_chars is locale-independent and rounds correctly; it takes no '+'.
    const std::string_view number = text.substr(start, pos - start);
    double magnitude = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), magnitude,
                                        std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Without an exponent only a huge whole part overflows; a long run of
        // zeros after the point underflows to 0.
        magnitude = nonZeroWhole ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -magnitude : magnitude;
}

std::string Trim(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return std::string(text.substr(first, last - first));
}

std::size_t CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); pos += DecodeUtf8At(utf8, pos).Length) ++count;
    return count;
}

std::string_view FirstCharacters(std::string_view utf8, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count && pos < utf8.size(); ++n) pos += DecodeUtf8At(utf8, pos).Length;
    return utf8.substr(0, pos);
}

std::string_view WithoutLastCharacter(std::string_view utf8) {
    std::size_t lastStart = 0;
    for (std::size_t pos = 0; pos < utf8.size(); pos += DecodeUtf8At(utf8, pos).Length) lastStart = pos;
    return utf8.substr(0, lastStart);
}

}  // namespace qw
