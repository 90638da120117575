// The main program's start-up with an empty inbox, with 2,000 and with
// 10,000 photos in it: from its start until it waits for input, its window
// made and the strip filled. Starts the built quillwave.exe from a temporary
// application folder with an empty demo stack, three times for each inbox,
// and prints the medians. Then, in this process, the per-file work a
// start-up did before: asking the shell for each file's type name as the
// inbox is listed, and reading each listed file again for the strip.

#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "PictureFiles.h"
#include "WinBench.h"
#include "win32/kit/Handles.h"
#include "win32/kit/Utf.h"
#include "win32/Win32FileSystem.h"

namespace {

constexpr int kRuns = 3;

struct Start {
    double Wall;          // ms from the start until the program first waits for input
    double Work, Later;   // its processor time by then, and 3 s later, ms
};

Start StartUp(const std::wstring& exe, const std::wstring& app) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    const double t0 = bench::Now();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, app.c_str(), &startup,
                        &process))
        throw std::runtime_error("quillwave.exe cannot be started");
    const qw::win32::KernelHandle owned(process.hProcess), thread(process.hThread);
    const DWORD waited = WaitForInputIdle(process.hProcess, 60000);
    const double ms = bench::Now() - t0;
    // Read where the host keeps it: Wine reports no processor time of another process.
    const double work = bench::HostProcessorSeconds("quillwave.exe") * 1000;
    Sleep(3000);
    const double later = bench::HostProcessorSeconds("quillwave.exe") * 1000;
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    if (waited != 0) throw std::runtime_error("quillwave.exe did not finish its start-up");
    return {ms, work, later};
}

}  // namespace

int main() {
    try {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const std::wstring app = bench::NewWorkFolder(L"qwbench-startup-");
        const std::wstring stack = app + L"\\stack", inbox = app + L"\\inbox";
        for (const std::wstring& folder : {stack, inbox, app + L"\\screensaver", app + L"\\desktop"})
            CreateDirectoryW(folder.c_str(), nullptr);
        const std::wstring exe = app + L"\\quillwave.exe";
        // A folder given on the command line holds another build to compare with.
        const std::vector<std::wstring> arguments = bench::Arguments();
        const std::wstring bin = arguments.size() >= 2 ? arguments[1] : bench::FolderOfThisProgram() + L"\\bin";
        std::printf("%s\n", arguments.size() >= 2 ? qw::win32::Narrow(bin).c_str() : "this build");
        if (!CopyFileW((bin + L"\\quillwave.exe").c_str(), exe.c_str(), FALSE))
            throw std::runtime_error("quillwave.exe not found beside the benchmark");
        const bench::ApplicationPath registered(app);  // the program records its own; put back afterwards
        bench::SetUserValue(L"Software\\Widcomm\\BTConfig\\Services\\0004", L"InboxDirectory", stack);
        bench::SetUserValue(L"Software\\Widcomm\\BTConfig\\Services\\0005", L"root", stack);

        const std::wstring model = app + L"\\model.jpg";
        qw::test::WritePhotoJpeg(model, 320, 240);
        std::vector<std::wstring> photos;
        std::printf("start-up of quillwave.exe until it waits for input, median of %d starts\n", kRuns);
        double empty = 0, most = 0;
        for (const int count : {0, 2000, 10000}) {
            while (static_cast<int>(photos.size()) < count) {
                photos.push_back(inbox + L"\\IMG_" + std::to_wstring(10000 + photos.size()) + L".jpg");
                if (!CopyFileW(model.c_str(), photos.back().c_str(), FALSE))
                    throw std::runtime_error("cannot copy the model photo");
            }
            std::vector<double> times, work, later;
            for (int run = 0; run < kRuns; ++run) {
                const Start start = StartUp(exe, app);
                times.push_back(start.Wall);
                work.push_back(start.Work);
                later.push_back(start.Later);
            }
            const double ms = bench::Median(times);
            if (count == 0) empty = ms;
            most = ms;
            // The processor time 3 s later shows whether the start-up's work was done by then.
            std::printf("  %5d photos: %7.1f ms (%.2fx the empty inbox); processor time %.0f ms by then, %.0f ms 3 s"
                        " later\n",
                        count, ms, ms / empty, bench::Median(work), bench::Median(later));
        }
        std::printf("  goal: 10,000 photos at most 1.3x the empty inbox: %.2fx -> %s\n", most / empty,
                    most / empty <= 1.3 ? "met" : "NOT met");

        // The per-file work of the start-up before, on the same inbox.
        double t0 = bench::Now();
        for (const std::wstring& photo : photos) qw::win32::FileTypeName(qw::win32::Narrow(photo));
        const double types = bench::Now() - t0;
        qw::win32::Win32FileSystem files;
        t0 = bench::Now();
        for (const std::wstring& photo : photos) files.GetFile(qw::win32::Narrow(photo));
        const double reads = bench::Now() - t0;
        t0 = bench::Now();
        files.ListFiles(qw::win32::Narrow(inbox));
        const double listing = bench::Now() - t0;
        std::printf("  before, a start-up also asked for %zu type names (%.1f ms) and read each file again for the"
                    " strip (%.1f ms); the listing now takes %.1f ms\n",
                    photos.size(), types, reads, listing);

        for (const std::wstring& photo : photos) DeleteFileW(photo.c_str());
        for (const wchar_t* name : {L"\\model.jpg", L"\\quillwave.exe", L"\\settings.txt"})
            DeleteFileW((app + name).c_str());
        for (const wchar_t* name : {L"\\stack", L"\\inbox", L"\\screensaver", L"\\desktop", L""})
            RemoveDirectoryW((app + name).c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Widcomm");
        CoUninitialize();
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "wbench_startup: %s\n", error.what());
        return 1;
    }
}
