// Short names through the real Windows call.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "TempFolder.h"
#include "win32/kit/Utf.h"
#include "win32/Win32System.h"

namespace {

using qw::win32::Narrow;
using qw::win32::Widen;

std::wstring LongPathOf(const std::string& path) {
    wchar_t buffer[1024];
    const DWORD n = GetLongPathNameW(Widen(path).c_str(), buffer, 1024);
    return std::wstring(buffer, n);
}

std::string LastPart(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

bool PlainLetters(const std::string& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80 || c == ' ') return false;
    return true;
}

struct ShortNameCase {
    const char* Name;
    const wchar_t* Entry;  // made in a fresh folder: a file, or a folder when it ends in a backslash
    bool Exists;
    bool KeepsItsName;  // an 8.3 name is its own short name
};

const ShortNameCase ShortNameCases[] = {
    {"LongFileName", L"quillwave screen saver.scr", true, false},
    {"FolderWithOtherLetters", L"\u0424\u043e\u0442\u043e \u5199\u771f\\", true, false},
    {"EightDotThreeName", L"abc.txt", true, true},
    {"MissingFile", L"gone.scr", false, false},
};

class ShortNames : public testing::TestWithParam<ShortNameCase> {};

TEST_P(ShortNames, AreThePlainLetterFormOfTheSameEntry) {
    const ShortNameCase& c = GetParam();
    qw::test::TempFolder folder;
    std::wstring entry = folder / c.Entry;
    if (entry.back() == L'\\') {
        entry.pop_back();
        if (c.Exists) CreateDirectoryW(entry.c_str(), nullptr);
    } else if (c.Exists) {
        qw::test::WriteText(entry, "x");
    }
    const std::optional<std::string> shortForm = qw::win32::Win32ShortPaths().ShortPathOf(Narrow(entry));
    if (!c.Exists) {
        EXPECT_EQ(shortForm, std::nullopt);
        return;
    }
    ASSERT_TRUE(shortForm.has_value());
    EXPECT_TRUE(PlainLetters(*shortForm)) << *shortForm;
    EXPECT_EQ(_wcsicmp(LongPathOf(*shortForm).c_str(), LongPathOf(Narrow(entry)).c_str()), 0) << *shortForm;
    EXPECT_EQ(LastPart(*shortForm) == Narrow(c.Entry), c.KeepsItsName) << *shortForm;
}

INSTANTIATE_TEST_SUITE_P(Cases, ShortNames, testing::ValuesIn(ShortNameCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ShortNames, OfNothingIsNothing) { EXPECT_EQ(qw::win32::Win32ShortPaths().ShortPathOf(""), std::nullopt); }

}  // namespace
