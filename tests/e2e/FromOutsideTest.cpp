// Files beamed from a phone are files from outside: a received batch file
// runs only after the user says Yes, a document opens without a question,
// and nothing appears beside the received files.

#include <gtest/gtest.h>

#include <thread>

#include "BeamFixture.h"
#include "OwnWindows.h"
#include "SettingsFiles.h"

using namespace std::chrono_literals;
using e2e::WaitFor;

namespace {

// Text documents open with a stand-in program that copies the file it is
// given into the traces folder: the prefix has no program for them.
class FromOutside : public e2e::BeamFixture {
protected:
    void SetUp() override {
        BeamFixture::SetUp();
        qw::win32::RegistryKey existing;
        ASSERT_NE(RegOpenKeyExW(HKEY_CLASSES_ROOT, L".txt", 0, KEY_READ, existing.Receive()), ERROR_SUCCESS)
            << "the prefix has its own text program";
        registered = true;
        SetClassText(L".txt", L"QuillwaveTestDocument");
        SetClassText(L"QuillwaveTestDocument\\shell\\open\\command",
                     L"cmd.exe /c copy \"%1\" \"" + (traces / L"opened.txt") + L"\"");
    }
    void TearDown() override {
        if (registered) {
            RegDeleteTreeW(HKEY_CLASSES_ROOT, L".txt");
            RegDeleteTreeW(HKEY_CLASSES_ROOT, L"QuillwaveTestDocument");
        }
        BeamFixture::TearDown();
    }
    static void SetClassText(const wchar_t* key, const std::wstring& text) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, text.c_str(),
                                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    e2e::TempFolder traces{L"qw traces"};
    bool registered = false;
};

TEST_F(FromOutside, AReceivedProgramRunsOnlyAfterYesAndADocumentOpensUnasked) {
    e2e::TempFolder app{L"qw outside"};
    qw::SettingsRecord settings;
    settings.UseScreenSaver = false;
    e2e::WriteFile(app / L"settings.txt", qw::test::SettingsFile(settings));
    const std::wstring ran = traces / L"ran.txt";
    e2e::WriteFile(phone / L"run me.bat", "@echo ran> \"" + (traces / std::string("ran.txt")) + "\"\r\n");
    e2e::WriteFile(phone / L"notes.txt", "milk");

    e2e::RunningProgram program(app.WidePath());
    HWND window = program.MainWindow();
    HWND strip = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (strip = e2e::ChildOfClass(window, L"QuillwaveThumbnailStrip")) != nullptr; }, 10s));
    const auto beam = [&](const wchar_t* name) {
        ASSERT_EQ(e2e::Beam(stackInbox, {phone / name}), 0u);
        ASSERT_TRUE(WaitFor([&] { return e2e::Exists(app / (std::wstring(L"inbox\\") + name)); }, 15s));
    };
    // The newest file is in slot 1.
    const auto doubleClickNewest = [&] {
        PostMessageW(strip, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(70, 55));
        PostMessageW(strip, WM_LBUTTONUP, 0, MAKELPARAM(70, 55));
    };

    beam(L"run me.bat");
    for (const int answer : {IDNO, IDYES}) {
        doubleClickNewest();
        const auto seen = qw::test::AnswerMessageBox(L"Quillwave!", 15s, program.Id(), answer);
        ASSERT_TRUE(seen) << "no question";
        EXPECT_EQ(seen->Text,
                  L"run me.bat can run a program on this computer. Open it only if you trust the device it came from. "
                  L"Open it?");
        if (answer == IDNO) {
            std::this_thread::sleep_for(3s);  // time enough for a batch file to run
            EXPECT_FALSE(e2e::Exists(ran)) << "ran after No";
        }
    }
    EXPECT_TRUE(WaitFor([&] { return e2e::Exists(ran); }, 30s)) << "did not run after Yes";

    beam(L"notes.txt");
    doubleClickNewest();
    EXPECT_TRUE(WaitFor([&] { return e2e::Exists(traces / L"opened.txt"); }, 30s)) << "not opened";
    EXPECT_TRUE(e2e::WindowsOf(program.Id(), L"#32770").empty()) << "asked before a document";

    // The marks live in no file of their own: no "name:Zone.Identifier" here.
    EXPECT_EQ(e2e::FilesIn(app / L"inbox"), (std::vector<std::wstring>{L"notes.txt", L"run me.bat"}));
}

}  // namespace
