// A beamed batch file runs only after Yes, a document opens unasked, and
// the zone marks leave nothing beside the received files.

#include <gtest/gtest.h>

#include <thread>

#include "BeamFixture.h"
#include "OwnWindows.h"
#include "SettingsFiles.h"
#include "WindowCapture.h"

using namespace std::chrono_literals;
using e2e::WaitFor;

namespace {

using FromOutside = e2e::BeamFixture;

TEST_F(FromOutside, AReceivedProgramRunsOnlyAfterYesAndADocumentOpensUnasked) {
    e2e::TempFolder app{L"qw outside"};
    qw::SettingsRecord settings;
    settings.UseScreenSaver = false;
    e2e::WriteFile(app / L"settings.txt", qw::test::SettingsFile(settings));
    const std::wstring ran = phone / L"ran.txt";
    e2e::WriteFile(phone / L"run me.bat", "@echo ran> \"" + (phone / std::string("ran.txt")) + "\"\r\n");
    e2e::WriteFile(phone / L"notes.txt", "milk");
    e2e::RunningProgram program(app.WidePath());
    HWND window = program.MainWindow(), strip = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (strip = e2e::ChildOfClass(window, L"QuillwaveThumbnailStrip")); }, 10s));
    const auto doubleClickNewest = [&] { PostMessageW(strip, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(70, 55)); };
    const auto beamAndDoubleClick = [&](const wchar_t* name) {
        ASSERT_EQ(e2e::Beam(stackInbox, {phone / name}), 0u);
        ASSERT_TRUE(WaitFor([&] { return e2e::Exists(app / (std::wstring(L"inbox\\") + name)); }, 15s));
        doubleClickNewest();
    };

    beamAndDoubleClick(L"run me.bat");
    for (const int answer : {IDNO, IDYES}) {
        if (answer == IDYES) {
            std::this_thread::sleep_for(3s);  // time enough for a batch file to run
            EXPECT_FALSE(e2e::Exists(ran)) << "ran after No";
            doubleClickNewest();
        }
        if (answer == IDNO && qw::test::WaitForWindowOf(program.Id(), L"Quillwave!", L"#32770", 15s)) {
            std::this_thread::sleep_for(300ms);  // the picture for people to look at, not a check
            qw::test::SaveShot(qw::test::CaptureScreen(), L"quillwave-open-question.bmp");
        }
        const auto seen = qw::test::AnswerMessageBox(L"Quillwave!", 15s, program.Id(), answer);
        ASSERT_TRUE(seen) << "no question";
        EXPECT_EQ(seen->Text, L"run me.bat can run a program on this computer. Open it only if you trust the device "
                              L"it came from. Open it?");
    }
    EXPECT_TRUE(WaitFor([&] { return e2e::Exists(ran); }, 30s)) << "did not run after Yes";

    // The prefix has no program for text: the double-click opens nothing, and asks nothing.
    beamAndDoubleClick(L"notes.txt");
    EXPECT_FALSE(WaitFor([&] { return !e2e::WindowsOf(program.Id(), L"#32770").empty(); }, 3s));
    // No "name:Zone.Identifier" beside the files.
    EXPECT_EQ(e2e::FilesIn(app / L"inbox"), (std::vector<std::wstring>{L"notes.txt", L"run me.bat"}));
}

}  // namespace
