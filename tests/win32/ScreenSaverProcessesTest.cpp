// Telling a running screen saver by its process id: copies of this test
// program under various names, started suspended so they stay alive.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "TempFolder.h"
#include "WindowCapture.h"
#include "win32/kit/Handles.h"
#include "win32/Win32ScreenSaverProcesses.h"
#include "win32/saver/Win32SaverProcess.h"

namespace {

TEST(ScreenSaverProcesses, KnowARunningScreenSaverByItsProgramFileName) {
    wchar_t self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    qw::test::TempFolder folder(L"qw processes ");
    qw::win32::Win32ScreenSaverProcesses processes;

    const struct {
        const wchar_t* name;
        bool byShortName;
        bool ended;
        bool expected;
    } cases[] = {
        {L"quillwavess.scr", false, false, true},
        {L"QuillWaveSS.SCR", false, false, true},
        {L"quillwavess.scr", true, false, true},  // as Windows may start it
        {L"quillwavess.exe", false, false, false},
        {L"notquillwavess.scr", false, false, false},
        {L"quillwavess.scr", false, true, false},  // ended, its handle still held
    };
    int index = 0;
    for (const auto& c : cases) {
        const std::wstring place = folder / std::to_wstring(++index);
        ASSERT_TRUE(CreateDirectoryW(place.c_str(), nullptr));
        std::wstring program = place + L"\\" + c.name;
        ASSERT_TRUE(CopyFileW(self, program.c_str(), TRUE));
        if (c.byShortName) {
            wchar_t shortName[MAX_PATH];
            const DWORD length = GetShortPathNameW(program.c_str(), shortName, MAX_PATH);
            if (length > 0 && length < MAX_PATH) program.assign(shortName, length);
        }
        std::wstring commandLine = L"\"" + program + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        ASSERT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                                   nullptr, nullptr, &startup, &started));
        const qw::win32::KernelHandle process(started.hProcess), thread(started.hThread);
        if (c.ended) {
            TerminateProcess(process.Get(), 0);
            WaitForSingleObject(process.Get(), 10000);
        }
        EXPECT_EQ(processes.IsScreenSaverProcess(started.dwProcessId), c.expected) << index;
        TerminateProcess(process.Get(), 0);
        WaitForSingleObject(process.Get(), 10000);
    }
    EXPECT_FALSE(processes.IsScreenSaverProcess(GetCurrentProcessId())) << "this test program";
    EXPECT_FALSE(processes.IsScreenSaverProcess(0));
}

// A slide show counts only while its window shows: a hidden one is ending.
TEST(ScreenSaverProcesses, AnotherSlideShowCountsOnlyWhileItsWindowIsVisible) {
    const char* title = "Quillwave! Screen Saver";
    qw::win32::Win32SaverProcess first, second;  // the second finds the first's mark
    qw::test::HostWindow window(10, 10);
    SetWindowTextW(window.Handle(), L"Quillwave! Screen Saver");
    EXPECT_FALSE(first.IsScreenSaverAlreadyRunning(title)) << "no other copy ran when it started";
    EXPECT_TRUE(second.IsScreenSaverAlreadyRunning(title));
    ShowWindow(window.Handle(), SW_HIDE);
    EXPECT_FALSE(second.IsScreenSaverAlreadyRunning(title));
}

}  // namespace
