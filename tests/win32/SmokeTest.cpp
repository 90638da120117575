#include <gtest/gtest.h>

#include "win32/Utf.h"

TEST(Utf, RoundTripsNonAsciiText) {
    const std::string text = "Фото 写真 \xF0\x9F\x93\xB7.jpg";
    EXPECT_EQ(qw::win32::Narrow(qw::win32::Widen(text)), text);
    EXPECT_EQ(qw::win32::Widen(text).size(), 14u);
}
