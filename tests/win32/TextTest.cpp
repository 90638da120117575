// UTF-8 <-> UTF-16 at the API boundary, and the system's ANSI code page.
#include <gtest/gtest.h>

#include <windows.h>

#include "win32/kit/Utf.h"
#include "win32/Win32Ansi.h"

TEST(Utf, RoundTripsNonAsciiText) {
    const std::string text = "Фото 写真 \xF0\x9F\x93\xB7.jpg";
    EXPECT_EQ(qw::win32::Narrow(qw::win32::Widen(text)), text);
    EXPECT_EQ(qw::win32::Widen(text).size(), 14u);
}

struct AnsiCase {
    const char* Utf8;
    const char* Ansi;
    bool RoundTrips;
};

// Windows-1252, the code page of western Windows (and of the test prefix).
const AnsiCase kWestern[] = {
    {"", "", true},
    {"C:\\Quillwave\\inbox", "C:\\Quillwave\\inbox", true},
    {"Caf\xC3\xA9 na\xC3\xAFve \xC3\x85ngstr\xC3\xB6m", "Caf\xE9 na\xEFve \xC5ngstr\xF6m", true},
    {"\xE2\x82\xAC 5", "\x80 5", true},
    // No look-alikes: a Ł is not quietly made an L.
    {"\xC5\x81\xC3\xB3\x64\xC5\xBA", "?\xF3" "d?", false},
    {"写真", "??", false},
    {"\xF0\x9F\x98\x80.jpg", "?.jpg", false},  // one character beyond the first plane, one '?'
};

class Win32Ansi : public testing::TestWithParam<AnsiCase> {};

TEST_P(Win32Ansi, ConvertsToTheWesternCodePage) {
    if (GetACP() != 1252) GTEST_SKIP() << "the system code page is " << GetACP();
    const AnsiCase& c = GetParam();
    const qw::win32::Win32Ansi ansi;
    EXPECT_EQ(ansi.FromUtf8(c.Utf8), c.Ansi);
    if (c.RoundTrips) {
        EXPECT_EQ(ansi.ToUtf8(c.Ansi), c.Utf8);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, Win32Ansi, testing::ValuesIn(kWestern));
