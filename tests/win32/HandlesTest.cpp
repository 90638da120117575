#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

#include "win32/kit/Handles.h"

namespace qw::win32 {
namespace {

// Every way a handle comes into an owner and leaves it keeps the owners'
// count true, so a count that grows is a real leak.
TEST(HandlesTest, OwnersCountWhatTheyHold) {
    const auto fonts = [] { return LiveHandles(HandleKind::Font); };
    const auto keys = [] { return LiveHandles(HandleKind::RegistryKey); };
    const long fonts0 = fonts(), keys0 = keys();
    {
        Font font(CreateFontW(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
        Font moved(std::move(font));
        font = std::move(moved);
        EXPECT_EQ(fonts(), fonts0 + 1);
        const HFONT given = font.Release();
        EXPECT_EQ(fonts(), fonts0);
        font.Reset(given);
        RegistryKey key, missing;
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.Receive()), ERROR_SUCCESS);
        RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\No Such Key 4711", 0, KEY_READ, missing.Receive());
        EXPECT_EQ(keys(), keys0 + 1);
        EXPECT_EQ(fonts(), fonts0 + 1);
    }
    EXPECT_EQ(fonts(), fonts0);
    EXPECT_EQ(keys(), keys0);
}

}  // namespace
}  // namespace qw::win32
