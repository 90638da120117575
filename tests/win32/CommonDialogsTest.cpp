// The system's folder and colour dialogs behind their ports, opened for real
// and answered with keys by a second thread, as a user would.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <optional>
#include <string>

#include "OwnWindows.h"
#include "TempFolder.h"
#include "win32/CommonDialogs.h"
#include "win32/kit/Utf.h"
#include "win32/Win32System.h"

namespace {

using namespace std::chrono_literals;
using qw::win32::Narrow;

// How the test answers a dialog once it is open.
enum class Answer { Enter, Escape, CloseBox };

// Answers the dialog; true when it went away on the answer.
bool AnswerWith(HWND dialog, Answer answer) {
    // Give the dialog time to settle (fill its views) before the key.
    std::this_thread::sleep_for(500ms);
    switch (answer) {
        case Answer::Enter:
            qw::test::PostKey(dialog, VK_RETURN);
            break;
        case Answer::Escape:
            qw::test::PostKey(dialog, VK_ESCAPE);
            break;
        case Answer::CloseBox:
            PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
    }
    return qw::test::WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 5s);
}

std::string Documents() {
    PWSTR path = nullptr;
    SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &path);
    const std::string documents = Narrow(path);
    CoTaskMemFree(path);
    return documents;
}

struct FolderCase {
    const char* Name;
    // The start folder, given the test's own folder; and what OK returns.
    std::function<std::string(const std::string& temp)> Start;
    Answer Answer;
    std::function<std::optional<std::string>(const std::string& temp)> Chosen;
};

const FolderCase FolderCases[] = {
    {"OkWithoutAChangeReturnsTheStartFolder", [](const std::string& t) { return t + "\\Фото 2024"; }, Answer::Enter,
     [](const std::string& t) { return t + "\\Фото 2024"; }},
    {"ADriveOpensAtItsRoot", [](const std::string&) { return std::string("c:"); }, Answer::Enter,
     [](const std::string&) { return std::string("C:\\"); }},
    {"AMissingFolderOpensAtItsNearestParent", [](const std::string& t) { return t + "\\gone\\deeper"; },
     Answer::Enter, [](const std::string& t) { return t; }},
    {"AnEmptyStartOpensAtDocuments", [](const std::string&) { return std::string(); }, Answer::Enter,
     [](const std::string&) { return Documents(); }},
    {"EscapeIsCancel", [](const std::string& t) { return t; }, Answer::Escape,
     [](const std::string&) { return std::nullopt; }},
    {"CloseBoxIsCancel", [](const std::string& t) { return t; }, Answer::CloseBox,
     [](const std::string&) { return std::nullopt; }},
};

class FolderPicker : public testing::TestWithParam<FolderCase> {};

TEST_P(FolderPicker, OpensWhereItShouldAndReturnsTheConfirmedFolder) {
    const FolderCase& c = GetParam();
    qw::test::TempFolder temp;
    CreateDirectoryW((temp / L"\u0424\u043e\u0442\u043e 2024").c_str(), nullptr);
    qw::win32::Win32FolderPicker picker;
    bool answered = false;
    std::optional<std::string> chosen;
    {
        qw::test::DialogDriver driver(L"Select Folder", L"#32770",
                                      [&](HWND dialog) { answered = dialog && AnswerWith(dialog, c.Answer); });
        chosen = picker.SelectFolder(c.Start(temp.Path()));
    }
    EXPECT_TRUE(answered) << "no dialog titled \"Select Folder\" took the answer";
    EXPECT_EQ(chosen, c.Chosen(temp.Path()));
}

INSTANTIATE_TEST_SUITE_P(Cases, FolderPicker, testing::ValuesIn(FolderCases),
                         [](const auto& info) { return std::string(info.param.Name); });

struct ColorCase {
    const char* Name;
    std::int32_t Start;
    Answer Answer;
    std::optional<std::int32_t> Chosen;
};

const ColorCase ColorCases[] = {
    {"OkReturnsTheStartColour", 0x00804020, Answer::Enter, 0x00804020},
    {"ASystemColourStartsAsItsValue", static_cast<std::int32_t>(0x8000000F), Answer::Enter,
     static_cast<std::int32_t>(GetSysColor(COLOR_BTNFACE))},
    {"EscapeIsCancel", 0x00804020, Answer::Escape, std::nullopt},
    {"CloseBoxIsCancel", 0x00804020, Answer::CloseBox, std::nullopt},
};

class ColorPicker : public testing::TestWithParam<ColorCase> {};

TEST_P(ColorPicker, StartsFromTheColourAndReturnsTheConfirmedOne) {
    const ColorCase& c = GetParam();
    qw::win32::Win32ColorPicker picker;
    std::optional<std::int32_t> chosen;
    bool answered = false;
    {
        qw::test::DialogDriver driver(L"Color", L"#32770",
                                      [&](HWND dialog) { answered = dialog && AnswerWith(dialog, c.Answer); });
        chosen = picker.PickColor(c.Start);
    }
    EXPECT_TRUE(answered);
    EXPECT_EQ(chosen, c.Chosen);
}

INSTANTIATE_TEST_SUITE_P(Cases, ColorPicker, testing::ValuesIn(ColorCases),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
