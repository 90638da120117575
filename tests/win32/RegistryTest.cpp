// The registry adapter against the real registry, under a key of its own
// (HKEY_CURRENT_USER\Software\QuillwaveTests\<unique>) removed afterwards.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "win32/Win32Registry.h"

using qw::RegistryError;
using qw::win32::Narrow;
using qw::win32::Widen;
using qw::win32::Win32Registry;

namespace {

class RegistryTest : public testing::Test {
protected:
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\QuillwaveTests");  // only when no other run left keys
    }
    // The full value name under the test key.
    std::string Name(const std::string& rest) const { return "HKEY_CURRENT_USER\\" + Narrow(key_) + "\\" + rest; }

    // Stores raw data, as other programs may have written it.
    void Store(const wchar_t* value, DWORD type, const void* data, DWORD size) {
        qw::win32::RegistryKey key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  key.Receive(), nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(key.Get(), value, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }

    DWORD TypeOf(const std::wstring& subKey, const wchar_t* value) {
        DWORD type = REG_NONE;
        if (RegGetValueW(HKEY_CURRENT_USER, (key_ + subKey).c_str(), value, RRF_RT_ANY, &type, nullptr,
                         nullptr) != ERROR_SUCCESS)
            return REG_NONE;
        return type;
    }

    const std::wstring key_ = L"Software\\QuillwaveTests\\" + qw::test::UniqueName(L"run-");
    Win32Registry registry_;
};

}  // namespace

TEST_F(RegistryTest, ReadingAMissingKeyOrValueFails) {
    EXPECT_THROW(registry_.ReadText(Name("ApplicationPath")), RegistryError);
    registry_.WriteText(Name("Other"), "x");
    EXPECT_THROW(registry_.ReadText(Name("ApplicationPath")), RegistryError);
    EXPECT_THROW(registry_.ReadText(Name("")), RegistryError);  // no default value set
}

TEST_F(RegistryTest, WritingCreatesMissingKeysAsText) {
    registry_.WriteText(Name("Deep\\Deeper\\ApplicationPath"), "C:\\Program Files\\Quillwave");
    EXPECT_EQ(registry_.ReadText(Name("Deep\\Deeper\\ApplicationPath")), "C:\\Program Files\\Quillwave");
    EXPECT_EQ(TypeOf(L"\\Deep\\Deeper", L"ApplicationPath"), static_cast<DWORD>(REG_SZ));
}

TEST_F(RegistryTest, WritingReplacesAValueAndDeleteRemovesIt) {
    registry_.WriteText(Name("ScreenSaverRunning"), "YES");
    registry_.WriteText(Name("ScreenSaverRunning"), "NO");
    EXPECT_EQ(registry_.ReadText(Name("ScreenSaverRunning")), "NO");
    registry_.WriteText(Name("ScreenSaverRunning"), "");
    EXPECT_EQ(registry_.ReadText(Name("ScreenSaverRunning")), "");
    registry_.DeleteValue(Name("ScreenSaverRunning"));
    EXPECT_THROW(registry_.ReadText(Name("ScreenSaverRunning")), RegistryError);
    EXPECT_THROW(registry_.DeleteValue(Name("ScreenSaverRunning")), RegistryError);
    EXPECT_THROW(registry_.DeleteValue(Name("Missing\\Value")), RegistryError);
}

TEST_F(RegistryTest, UnicodeNamesAndTextRoundTrip) {
    const std::string text = "D:\\Фото\\写真\\😀 — ελληνικά";
    registry_.WriteText(Name("Ключ_键\\Значение_😀"), text);
    EXPECT_EQ(registry_.ReadText(Name("Ключ_键\\Значение_😀")), text);
}

TEST_F(RegistryTest, ATrailingBackslashMeansTheDefaultValue) {
    registry_.WriteText(Name("Key\\"), "default");
    EXPECT_EQ(registry_.ReadText(Name("Key\\")), "default");
    DWORD size = 0;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, (key_ + L"\\Key").c_str(), nullptr, RRF_RT_REG_SZ, nullptr, nullptr,
                           &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, sizeof(L"default"));
    registry_.DeleteValue(Name("Key\\"));
    EXPECT_THROW(registry_.ReadText(Name("Key\\")), RegistryError);
}

class RegistryRoots : public RegistryTest, public testing::WithParamInterface<const char*> {};

TEST_P(RegistryRoots, LongAndShortNamesReachTheSameKey) {
    const std::string name = std::string(GetParam()) + "\\" + Narrow(key_) + "\\Value";
    registry_.WriteText(name, GetParam());
    EXPECT_EQ(registry_.ReadText(Name("Value")), GetParam());
    registry_.DeleteValue(name);
    EXPECT_THROW(registry_.ReadText(Name("Value")), RegistryError);
}

INSTANTIATE_TEST_SUITE_P(Roots, RegistryRoots, testing::Values("HKEY_CURRENT_USER", "HKCU", "hkcu"));

TEST_F(RegistryTest, NamesWithoutAKnownRootFail) {
    for (const std::string& name : {std::string("HKEY_NOWHERE\\Software\\Value"), std::string("Software"),
                                    std::string(""), "HKCUX\\" + Narrow(key_) + "\\Value"}) {
        EXPECT_THROW(registry_.WriteText(name, "x"), RegistryError) << name;
        EXPECT_THROW(registry_.ReadText(name), RegistryError) << name;
        EXPECT_THROW(registry_.DeleteValue(name), RegistryError) << name;
    }
}

struct StoredValue {
    const char* Case;
    DWORD Type;
    std::vector<BYTE> Data;
    const char* Text;  // nullptr: not text, reading fails
};

std::vector<BYTE> Utf16(const wchar_t* text, std::size_t characters) {
    const auto* bytes = reinterpret_cast<const BYTE*>(text);
    return std::vector<BYTE>(bytes, bytes + characters * sizeof(wchar_t));
}

const StoredValue kStoredValues[] = {
    {"TextWithNul", REG_SZ, Utf16(L"C:\\Bt", 6), "C:\\Bt"},
    {"TextWithoutNul", REG_SZ, Utf16(L"C:\\Bt", 5), "C:\\Bt"},
    {"TextWithOddLength", REG_SZ, {'A', 0, 'B', 0, 'C'}, "AB"},
    {"EmptyText", REG_SZ, {}, ""},
    // Expandable text names the environment's folders; unknown names stay.
    {"ExpandableText", REG_EXPAND_SZ, Utf16(L"%QW_TEST_FOLDER%\\x", 19), "D:\\Фото\\x"},
    {"ExpandableTextWithUnknownName", REG_EXPAND_SZ, Utf16(L"%QW_UNSET%\\x", 13), "%QW_UNSET%\\x"},
    {"EmptyExpandableText", REG_EXPAND_SZ, {}, ""},
    {"Number", REG_DWORD, {0x39, 0x30, 0, 0}, "12345"},
    {"LargestNumber", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, "4294967295"},
    {"Binary", REG_BINARY, {1, 2, 3}, nullptr},
    {"ShortNumber", REG_DWORD, {1, 2}, nullptr},
};

class StoredValues : public RegistryTest, public testing::WithParamInterface<StoredValue> {};

TEST_P(StoredValues, ReadAsText) {
    SetEnvironmentVariableW(L"QW_TEST_FOLDER", L"D:\\\u0424\u043e\u0442\u043e");
    const StoredValue& value = GetParam();
    Store(L"Value", value.Type, value.Data.data(), static_cast<DWORD>(value.Data.size()));
    if (value.Text)
        EXPECT_EQ(registry_.ReadText(Name("Value")), value.Text);
    else
        EXPECT_THROW(registry_.ReadText(Name("Value")), RegistryError);
}

INSTANTIATE_TEST_SUITE_P(Types, StoredValues, testing::ValuesIn(kStoredValues),
                         [](const auto& info) { return std::string(info.param.Case); });

TEST_F(RegistryTest, ReadsLongTexts) {
    const std::string text(5000, 'p');
    registry_.WriteText(Name("Long"), text);
    EXPECT_EQ(registry_.ReadText(Name("Long")), text);
}
