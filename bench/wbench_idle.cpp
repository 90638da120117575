// How much processor time quillwave.exe uses while it waits between ticks
// with nothing to take over: it should sleep in its message loop. Starts the
// built program from a temporary application folder with an empty demo
// stack, lets it run for ten seconds and reads its processor time.

#include <windows.h>

#include <cstdio>
#include <string>

#include "WinBench.h"
#include "win32/kit/Handles.h"

namespace {

double Seconds(const FILETIME& time) {
    ULARGE_INTEGER v;
    v.LowPart = time.dwLowDateTime;
    v.HighPart = time.dwHighDateTime;
    return static_cast<double>(v.QuadPart) / 1e7;
}

}  // namespace

int main() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring app = std::wstring(temp) + L"qw idle bench " + std::to_wstring(GetCurrentProcessId());
    const std::wstring stack = app + L"\\stack";
    CreateDirectoryW(app.c_str(), nullptr);
    CreateDirectoryW(stack.c_str(), nullptr);
    const std::wstring exe = app + L"\\quillwave.exe";
    if (!CopyFileW((bench::FolderOfThisProgram() + L"\\bin\\quillwave.exe").c_str(), exe.c_str(), FALSE)) {
        std::printf("quillwave.exe not found beside the benchmark\n");
        return 1;
    }
    bench::SetUserValue(L"Software\\Widcomm\\BTConfig\\Services\\0004", L"InboxDirectory", stack);
    bench::SetUserValue(L"Software\\Widcomm\\BTConfig\\Services\\0005", L"root", stack);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, app.c_str(),
                        &startup, &process))
        return 1;
    const qw::win32::KernelHandle owned(process.hProcess), thread(process.hThread);
    Sleep(3000);  // start-up done
    FILETIME created, exited, kernel0, user0, kernel1, user1;
    GetProcessTimes(process.hProcess, &created, &exited, &kernel0, &user0);
    const DWORD watched = 10000;
    Sleep(watched);
    GetProcessTimes(process.hProcess, &created, &exited, &kernel1, &user1);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Widcomm");
    const double cpu = Seconds(user1) - Seconds(user0) + Seconds(kernel1) - Seconds(kernel0);
    std::printf("processor time of start-up (first 3 s): %.1f ms\n", (Seconds(user0) + Seconds(kernel0)) * 1000);
    std::printf("idle for %lu ms with 10 ticks: %.1f ms of processor time (%.2f%%)\n", watched, cpu * 1000,
                100.0 * cpu * 1000 / watched);
    DeleteFileW(exe.c_str());
    DeleteFileW((app + L"\\settings.txt").c_str());
    for (const wchar_t* folder : {L"\\stack", L"\\inbox", L"\\screensaver", L"\\desktop"})
        RemoveDirectoryW((app + folder).c_str());
    RemoveDirectoryW(app.c_str());
    return 0;
}
