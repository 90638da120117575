#pragma once
// Text and number helpers shared by both programs. Text is UTF-8; a byte that
// is not part of a well-formed UTF-8 sequence is kept as it is and counts as
// one character of its own.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qw {

// Lower-cases letters of the Latin, Greek and Cyrillic scripts (and leaves every
// other character alone). The one lower-casing used for paths and for
// case-insensitive comparison of names.
std::string LowerCase(std::string_view utf8);

bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Nearest whole number, a half going to the even neighbour (7.5 -> 8, 6.5 -> 6,
// -2.5 -> -2). Throws std::out_of_range for NaN, infinities and values beyond
// the 64-bit range.
std::int64_t RoundHalfEven(double value);

// numerator / divisor to the nearest whole number, a half going to the even
// neighbour, computed exactly on the fraction (no floating point). Throws
// std::domain_error for a divisor of 0.
std::int64_t RoundedQuotient(std::int64_t numerator, std::int64_t divisor);

// The value of the text's longest leading number: leading blanks skipped, an
// optional sign, digits with at most one decimal point; the rest is ignored.
// A text that starts with no number is 0. A number too large for a double
// gives an infinity of its sign.
double NumericValue(std::string_view text);

// The text without blanks (spaces) at either end.
std::string Trim(std::string_view text);

// One character read from UTF-8 text.
struct Utf8Char {
    char32_t CodePoint = 0;  // for an invalid byte: the byte's value
    std::size_t Length = 0;  // bytes taken, 1 for an invalid byte
    bool Valid = false;
};

// Reads the character starting at `pos` (which must be inside the text).
// Overlong forms, surrogates and values above U+10FFFF are invalid.
Utf8Char DecodeUtf8At(std::string_view text, std::size_t pos);

// Appends the UTF-8 form of a code point (up to U+10FFFF, surrogates excluded).
void AppendUtf8(std::string& out, char32_t codePoint);

std::size_t CharacterCount(std::string_view utf8);

// The first `count` characters (the whole text when it is shorter).
std::string_view FirstCharacters(std::string_view utf8, std::size_t count);

// The text without its last character (empty stays empty).
std::string_view WithoutLastCharacter(std::string_view utf8);

}  // namespace qw
