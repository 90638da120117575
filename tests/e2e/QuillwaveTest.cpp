// The real quillwave.exe, started from a private application folder whose
// path has a space and a non-ASCII letter, with a temporary Bluetooth stack.

#include <gtest/gtest.h>

#include <algorithm>

#include "Harness.h"
#include "WindowCapture.h"

using namespace std::chrono_literals;
using e2e::WaitFor;

namespace {

const wchar_t* const QuillwaveKey = L"Software\\Quillwave";

class Quillwave : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::DeleteUserKey(QuillwaveKey);
        e2e::SetStackFolders(stackInbox, stackRoot);
    }
    void TearDown() override {
        e2e::RemoveStackFolders();
        e2e::DeleteUserKey(QuillwaveKey);
    }

    std::wstring Inbox() const { return app.WidePath() + L"\\inbox"; }
    size_t InboxCount() const { return e2e::FilesIn(Inbox()).size(); }
    bool InInbox(const std::wstring& name) const { return e2e::Exists(Inbox() + L"\\" + name); }

    // Beams files made up here (name -> content) into a stack folder.
    void BeamNew(const std::wstring& folder, const std::vector<std::wstring>& names) {
        std::vector<std::wstring> sources;
        for (const auto& name : names) {
            e2e::WriteFile(outbox / name, "content of a beamed file");
            sources.push_back(outbox / name);
        }
        ASSERT_EQ(e2e::Beam(folder, sources), 0u);
    }

    e2e::TempFolder app{L"qw e2e \u00dcbung"};
    e2e::TempFolder stack{L"qw stack"};
    e2e::TempFolder outbox{L"qw phone"};
    std::wstring stackInbox = stack.WidePath() + L"\\in";
    std::wstring stackRoot = stack.WidePath() + L"\\root";

    void MakeStackFolders() {
        CreateDirectoryW(stackInbox.c_str(), nullptr);
        CreateDirectoryW(stackRoot.c_str(), nullptr);
    }
};

TEST_F(Quillwave, StartsHiddenRecordsItsFolderAndMakesItsFolders) {
    MakeStackFolders();
    e2e::RunningProgram program(app.WidePath());
    HWND window = program.MainWindow();
    ASSERT_NE(window, nullptr);

    std::wstring recorded;
    ASSERT_TRUE(WaitFor([&] { return e2e::ReadUserValue(QuillwaveKey, L"ApplicationPath", recorded); }, 10s));
    EXPECT_EQ(_wcsicmp(recorded.c_str(), app.WidePath().c_str()), 0) << "recorded: " << recorded.size();
    ASSERT_TRUE(WaitFor([&] { return e2e::IsFolder(app / L"desktop"); }, 10s));
    EXPECT_TRUE(e2e::IsFolder(app / L"inbox"));
    EXPECT_TRUE(e2e::IsFolder(app / L"screensaver"));
    EXPECT_FALSE(IsWindowVisible(window));
    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    EXPECT_STREQ(caption, L"Quillwave!");
}

TEST_F(Quillwave, TakesOverBeamedFilesOnePerTick) {
    MakeStackFolders();
    e2e::RunningProgram program(app.WidePath());
    ASSERT_NE(program.MainWindow(), nullptr);

    const std::vector<std::wstring> names{L"a.txt", L"\u0424\u043e\u0442\u043e_\u5199\u771f_\U0001F600.jpg",
                                          L"c.txt"};
    BeamNew(stackInbox, names);
    // The inbox grows one file per tick: polled twenty times a second, every
    // count from 1 to 3 is seen on the way (two files taken in one tick
    // would skip one). Timing is not checked: a slow first tick makes the
    // next come sooner.
    std::vector<size_t> counts;
    ASSERT_TRUE(WaitFor(
        [&] {
            const size_t n = InboxCount();
            if (n > 0 && (counts.empty() || counts.back() != n)) counts.push_back(n);
            return n == names.size();
        },
        20s));
    EXPECT_EQ(counts, (std::vector<size_t>{1, 2, 3}));
    for (const auto& name : names) EXPECT_TRUE(InInbox(name));
    EXPECT_TRUE(e2e::FilesIn(stackInbox).empty());
}

TEST_F(Quillwave, TakesOneFileFromEachStackFolderAndRenamesClashes) {
    MakeStackFolders();
    CreateDirectoryW((app / L"inbox").c_str(), nullptr);
    e2e::WriteFile(app / L"inbox\\photo.jpg", "already in the inbox");
    e2e::RunningProgram program(app.WidePath());
    ASSERT_NE(program.MainWindow(), nullptr);

    BeamNew(stackInbox, {L"Photo.jpg"});
    BeamNew(stackRoot, {L"readme"});
    ASSERT_TRUE(WaitFor([&] { return InInbox(L"Photo_1.jpg") && InInbox(L"readme"); }, 15s));
    EXPECT_TRUE(e2e::FilesIn(stackInbox).empty());
    EXPECT_TRUE(e2e::FilesIn(stackRoot).empty());
}

TEST_F(Quillwave, LeavesAFileThatIsStillOpenUntilItIsReleased) {
    MakeStackFolders();
    const std::wstring held = stackInbox + L"\\arriving.jpg";
    qw::win32::KernelHandle handle(CreateFileW(held.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_TRUE(handle);
    e2e::RunningProgram program(app.WidePath());
    ASSERT_NE(program.MainWindow(), nullptr);

    BeamNew(stackInbox, {L"complete.txt"});
    ASSERT_TRUE(WaitFor([&] { return InInbox(L"complete.txt"); }, 15s));
    EXPECT_TRUE(e2e::Exists(held));
    EXPECT_FALSE(InInbox(L"arriving.jpg"));

    handle.Reset();
    EXPECT_TRUE(WaitFor([&] { return InInbox(L"arriving.jpg"); }, 15s));
    EXPECT_FALSE(e2e::Exists(held));
}

TEST_F(Quillwave, WithoutTheStackNothingMovesAndTheStatusSaysSo) {
    MakeStackFolders();
    e2e::RemoveStackFolders();
    e2e::WriteFile(stackInbox + L"\\waiting.txt", "never taken");
    e2e::RunningProgram program(app.WidePath());
    HWND window = program.MainWindow();
    ASSERT_NE(window, nullptr);

    std::wstring status;
    ASSERT_TRUE(WaitFor(
        [&] {
            HWND label = FindWindowExW(window, nullptr, L"Static", nullptr);
            wchar_t text[128] = {};
            if (label) GetWindowTextW(label, text, 128);
            status = text;
            return !status.empty();
        },
        10s));
    EXPECT_EQ(status, L"No Compatible Bluetooth Hardware Was Detected");
    // Proving that nothing happens needs an observation window: three ticks' worth.
    EXPECT_FALSE(WaitFor([&] { return InboxCount() > 0; }, 3s));
    EXPECT_TRUE(e2e::Exists(stackInbox + L"\\waiting.txt"));
}

TEST_F(Quillwave, IconMenuOpensOnAClickAndExitEndsTheProgram) {
    MakeStackFolders();
    e2e::RunningProgram program(app.WidePath());
    HWND window = program.MainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitFor([&] { return e2e::IsFolder(app / L"desktop"); }, 10s));

    // The icon is there, and a taskbar announcing its restart leaves one.
    ASSERT_TRUE(WaitFor([&] { return e2e::TrayIconCount() == 1; }, 10s));
    SendMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_FALSE(WaitFor([&] { return e2e::TrayIconCount() != 1; }, 500ms));

    // Moving the mouse over the icon opens nothing.
    PostMessageW(window, 0x205, 0, WM_MOUSEMOVE);
    EXPECT_FALSE(WaitFor([&] { return !e2e::MenuWindows(program.Id()).empty(); }, 500ms));

    // The left button released over the icon.
    PostMessageW(window, 0x205, 0, WM_LBUTTONUP);
    std::vector<HWND> menus;
    ASSERT_TRUE(WaitFor([&] { return !(menus = e2e::MenuWindows(program.Id())).empty(); }, 10s));
    // "Show Quillwave!...", "Inbox Settings...", "Screen Saver Settings...",
    // "Exit Quillwave!", all of them on.
    std::vector<bool> entries;
    EXPECT_TRUE(WaitFor([&] { return (entries = e2e::MenuEntriesEnabled(menus.front())).size() == 4; }, 5s))
        << entries.size() << " entries";
    EXPECT_EQ(entries, std::vector<bool>(4, true));
    qw::test::SaveShot(qw::test::CaptureScreen(), L"quillwave-icon-menu.bmp");

    // Up from no selection reaches the last entry, "Exit Quillwave!".
    PostMessageW(menus.front(), WM_KEYDOWN, VK_UP, 0);
    PostMessageW(menus.front(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(program.WaitForExit(10s));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(WaitFor([&] { return e2e::TrayIconCount() == 0; }, 5s));
}

}  // namespace
