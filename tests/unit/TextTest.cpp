#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <ostream>
#include <limits>
#include <stdexcept>
#include <string>

#include "shared/Text.h"
#include "shared/TextEncoding.h"

namespace qw {
namespace {

struct TextCase {
    std::string Input;
    std::string Expected;
};

// Non-ASCII bytes as hex, so invalid UTF-8 stays readable in test names.
void PrintTo(const TextCase& c, std::ostream* os) {
    *os << '[';
    for (const unsigned char b : c.Input) {
        if (b >= 0x20 && b < 0x7F) {
            *os << b;
        } else {
            *os << "<" << std::hex << std::uppercase << int(b) << std::dec << ">";
        }
    }
    *os << ']';
}

class LowerCaseTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(LowerCaseTest, LowerCasesLettersAndKeepsEverythingElse) {
    EXPECT_EQ(LowerCase(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, LowerCaseTest,
    ::testing::Values(
        TextCase{"C:\\In\\Photo_1.JPG", "c:\\in\\photo_1.jpg"},
        TextCase{"ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖ×ØÙÚÛÜÝÞßÿ", "àáâãäåæçèéêëìíîïðñòóôõö×øùúûüýþßÿ"},
        TextCase{"ĀĂĄĆČĎĐĚĞĦĪĮİĲĶĹĻĽĿŁŃŅŇŊŌŐŒŔŘŚŞŠŢŤŦŨŪŮŰŲŴŶŸŹŻŽ",
                 "āăąćčďđěğħīįiĳķĺļľŀłńņňŋōőœŕřśşšţťŧũūůűųŵŷÿźżž"},
        TextCase{"ĸŉſıāž", "ĸŉſıāž"},
        TextCase{"ǍǏǑǓǕǛǄǅǇǊǱǴȘȚƏƑƠƯ", "ǎǐǒǔǖǜǆǆǉǌǳǵșțəƒơư"},
        TextCase{"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ", "αβγδεζηθικλμνξοπρστυφχψω"},
        TextCase{"ΆΈΉΊΌΎΏΪΫ ς", "άέήίόύώϊϋ ς"},
        TextCase{"АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ", "абвгдежзийклмнопрстуфхцчшщъыьэюя"},
        TextCase{"ЀЁЂЃЄЅІЇЈЉЊЋЌЍЎЏ", "ѐёђѓєѕіїјљњћќѝўџ"},
        TextCase{"ѢҐҒҚӀӁӃӐӘӨӮԀ", "ѣґғқӏӂӄӑәөӯԁ"},
        TextCase{"ẞẠỲ", "ßạỳ"},
        TextCase{"D:\\Фото\\ΈΛΛΑΣ\\Été 写真 📷.JPG", "d:\\фото\\έλλασ\\été 写真 📷.jpg"}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

INSTANTIATE_TEST_SUITE_P(
    InvalidUtf8, LowerCaseTest,
    ::testing::Values(
        TextCase{"A\xFF" "B", "a\xFF" "b"},          // a byte that never starts a character
        TextCase{"AB\xC3", "ab\xC3"},                // a character cut short at the end
        TextCase{"\xC3(X", "\xC3(x"},                // lead byte without its continuation
        TextCase{"\xC0\x81Z", "\xC0\x81z"},          // overlong form
        TextCase{"\xED\xA0\x80Q", "\xED\xA0\x80q"},  // a surrogate
        TextCase{"\x80\xC3\x89", "\x80\xC3\xA9"}),   // stray continuation, then É
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(EqualsIgnoreCase, ComparesLettersOfAnyCase) {
    EXPECT_TRUE(EqualsIgnoreCase("C:\\In\\Photo.JPG", "c:\\in\\photo.jpg"));
    EXPECT_TRUE(EqualsIgnoreCase("ФОТО Ώρα", "фото ώρα"));
    EXPECT_FALSE(EqualsIgnoreCase("photo", "photos"));
    EXPECT_FALSE(EqualsIgnoreCase("photo_1", "photo_2"));
}

struct RoundCase {
    double Value;
    std::int64_t Expected;
};

void PrintTo(const RoundCase& c, std::ostream* os) { *os << std::setprecision(17) << c.Value; }

class RoundHalfEvenTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEvenTest, RoundsToNearestAndHalvesToEven) {
    EXPECT_EQ(RoundHalfEven(GetParam().Value), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RoundHalfEvenTest,
    ::testing::Values(RoundCase{7.5, 8}, RoundCase{6.5, 6}, RoundCase{-2.5, -2}, RoundCase{-3.5, -4},
                      RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{67.5, 68}, RoundCase{2.4999, 2},
                      RoundCase{2.5000001, 3}, RoundCase{-0.4, 0}, RoundCase{-0.5, 0}, RoundCase{-0.6, -1},
                      RoundCase{1e15 + 0.5, 1000000000000000}, RoundCase{4503599627370497.0, 4503599627370497},
                      RoundCase{-9223372036854775808.0, std::numeric_limits<std::int64_t>::min()}));

TEST(RoundHalfEven, RejectsWhatNoWholeNumberCanHold) {
    for (double value : {std::nan(""), std::numeric_limits<double>::infinity(),
                         -std::numeric_limits<double>::infinity(), 9223372036854775808.0, -1e19}) {
        EXPECT_THROW(RoundHalfEven(value), std::out_of_range) << value;
    }
}

TEST(RoundedQuotient, RoundsTheExactFractionHalfToEven) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    const struct {
        std::int64_t Numerator, Divisor, Expected;
    } cases[] = {
        {15, 2, 8},   {13, 2, 6},   {-5, 2, -2},  {-7, 2, -4}, {5, -2, -2}, {7, 3, 2}, {8, 3, 3},
        {-8, 3, -3},  {0, 7, 0},    {kMax, kMax, 1}, {kMax, 2, kMax / 2 + 1}, {kMax - 1, kMax, 1},
        {3047999, 2540, 1200},      // 1199.99...
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundedQuotient(c.Numerator, c.Divisor), c.Expected) << c.Numerator << " / " << c.Divisor;
    EXPECT_THROW(RoundedQuotient(1, 0), std::domain_error);
}

struct NumberCase {
    std::string Text;
    double Expected;
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << '"' << c.Text.substr(0, 12) << '"'; }

class NumericValueTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumericValueTest, TakesTheLongestLeadingNumber) {
    EXPECT_DOUBLE_EQ(NumericValue(GetParam().Text), GetParam().Expected) << '"' << GetParam().Text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumericValueTest,
    ::testing::Values(NumberCase{"12s", 12}, NumberCase{"abc", 0}, NumberCase{"-3", -3},
                      NumberCase{"  7.5x", 7.5}, NumberCase{".", 0}, NumberCase{"1.2.3", 1.2},
                      NumberCase{"", 0}, NumberCase{"   ", 0}, NumberCase{"+4", 4}, NumberCase{"-.5", -0.5},
                      NumberCase{"5.", 5}, NumberCase{"0012", 12}, NumberCase{"1e5", 1}, NumberCase{"1,5", 1},
                      NumberCase{"- 3", 0}, NumberCase{"x12", 0}, NumberCase{"--1", 0},
                      NumberCase{"0." + std::string(400, '0') + "1", 0}));

TEST(NumericValue, TooManyDigitsGiveAnInfinityOfTheirSign) {
    EXPECT_EQ(NumericValue(std::string(400, '9')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumericValue("-" + std::string(400, '9')), -std::numeric_limits<double>::infinity());
}

TEST(Trim, RemovesBlanksAtBothEndsOnly) {
    EXPECT_EQ(Trim("  D:\\My Pictures  "), "D:\\My Pictures");
    EXPECT_EQ(Trim("     "), "");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim("\tx "), "\tx");
}

TEST(Characters, CountAndCutWholeCharacters) {
    const std::string text = "aé€📷";  // 1, 2, 3 and 4 bytes
    EXPECT_EQ(CharacterCount(text), 4u);
    EXPECT_EQ(FirstCharacters(text, 2), "aé");
    EXPECT_EQ(FirstCharacters(text, 9), text);
    EXPECT_EQ(WithoutLastCharacter(text), "aé€");
    EXPECT_EQ(WithoutLastCharacter(""), "");
    EXPECT_EQ(CharacterCount("a\xFF\xC3"), 3u);  // each invalid byte is one character
    EXPECT_EQ(WithoutLastCharacter("a\xE2\x82"), "a\xE2");
}

TEST(Windows1252, EveryByteSurvivesARoundTrip) {
    const Windows1252 codePage;
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    const std::string utf8 = codePage.ToUtf8(bytes);
    EXPECT_EQ(codePage.FromUtf8(utf8), bytes);
    EXPECT_EQ(CharacterCount(utf8), 256u);
}

TEST(Windows1252, MapsTheHighRangeLikeWindows) {
    const Windows1252 codePage;
    EXPECT_EQ(codePage.ToUtf8("\x80\x8A\x99\x9F\xE9\xFF"), "€Š™Ÿéÿ");
    EXPECT_EQ(codePage.ToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(codePage.FromUtf8("C:\\Café €5 “ok”"), "C:\\Caf\xE9 \x80" "5 \x93ok\x94");
}

TEST(Windows1252, WritesAQuestionMarkForWhatItCannotHold) {
    const Windows1252 codePage;
    EXPECT_EQ(codePage.FromUtf8("Фото Ā 📷"), "???? ? ?");
    EXPECT_EQ(codePage.FromUtf8("a\xFF" "b"), "a?b");
}

}  // namespace
}  // namespace qw
