// Whether the main program's memory stays flat while files keep arriving: it
// lives in the notification area for weeks. Starts the built quillwave.exe
// from a temporary application folder with a demo Bluetooth stack and "add
// to the screen saver" on, beams N photos (1600 x 1200) into the stack's
// folder one after another, each once the program took the one before, and
// prints its working set after the first 50 and after N and the growth per
// file in between. Once with the window shown on every arrival, once hidden
// (a balloon per arrival). Beside the working set it prints the objects
// Windows counts for a process, where it does, and the handles the program's
// owners hold, by kind, and its live pictures, which the program counts
// itself and answers through a window message.
//
//   wbench_soak [N [shown|hidden]]   (default: 500, both)

#include <windows.h>
#include <psapi.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "SettingsFiles.h"
#include "WinBench.h"
#include "win32/kit/Handles.h"
#include "win32/LiveCounts.h"
#include "win32/kit/Utf.h"
#include "win32/main/MainWindow.h"

namespace {

constexpr int kFirst = 50;
constexpr double kGoalKbPerFile = 2.0;

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The resident memory, in KB, of the host process whose command line names
// `marker` in this Wine prefix: Wine answers GetProcessMemoryInfo for another
// process with nothing useful. -1 when no such process is found.
double HostResidentKb(const std::string& marker) {
    WIN32_FIND_DATAW data{};
    const qw::win32::FindHandle find(FindFirstFileW(L"Z:\\proc\\*", &data));
    if (!find) return -1;
    do {
        if (data.cFileName[0] < L'0' || data.cFileName[0] > L'9') continue;
        const std::wstring dir = std::wstring(L"Z:\\proc\\") + data.cFileName;
        if (Lower(bench::ReadSmallFile(dir + L"\\cmdline")).find(marker) == std::string::npos ||
            bench::ReadSmallFile(dir + L"\\environ").find(bench::OwnPrefix()) == std::string::npos)
            continue;
        const std::string status = bench::ReadSmallFile(dir + L"\\status");
        const auto at = status.find("VmRSS:");
        if (at != std::string::npos) return std::atof(status.c_str() + at + 6);
    }
    while (FindNextFileW(find.Get(), &data));
    return -1;
}

struct Sample {
    double WorkingSetKb = -1;  // as Windows answers it; <= 0 when it does not
    double ResidentKb = -1;    // as the host counts it
    DWORD GdiObjects = 0, UserObjects = 0, Handles = 0;
    std::vector<long> Live;  // per handle kind, then the pictures
};

class Program {
public:
    Program(const std::wstring& exe, const std::wstring& app, std::string marker) : marker_(std::move(marker)) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        std::wstring commandLine = L"\"" + exe + L"\"";
        if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, app.c_str(),
                            &startup, &info))
            throw std::runtime_error("quillwave.exe cannot be started");
        process_.Reset(info.hProcess);
        thread_.Reset(info.hThread);
        WaitForInputIdle(info.hProcess, 60000);
        for (int i = 0; i < 300 && !window_; ++i, Sleep(100)) {
            for (HWND w = FindWindowW(qw::win32::MainWindowClass, nullptr); w;
                 w = FindWindowExW(nullptr, w, qw::win32::MainWindowClass, nullptr)) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == info.dwProcessId) window_ = w;
            }
        }
        if (!window_) throw std::runtime_error("the main window of quillwave.exe was not found");
    }
    ~Program() {
        TerminateProcess(process_.Get(), 0);
        WaitForSingleObject(process_.Get(), 10000);
    }
    HWND Window() const { return window_; }

    Sample Measure() const {
        Sample s;
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(process_.Get(), &counters, sizeof counters))
            s.WorkingSetKb = static_cast<double>(counters.WorkingSetSize) / 1024;
        s.ResidentKb = HostResidentKb(marker_);
        s.GdiObjects = GetGuiResources(process_.Get(), GR_GDIOBJECTS);
        s.UserObjects = GetGuiResources(process_.Get(), GR_USEROBJECTS);
        GetProcessHandleCount(process_.Get(), &s.Handles);
        for (WPARAM kind = 0; kind <= qw::win32::LivePictures; ++kind) {
            DWORD_PTR answer = 0;
            const bool ok = SendMessageTimeoutW(window_, qw::win32::LiveCountMessage(), kind, 0, SMTO_ABORTIFHUNG,
                                                10000, &answer) != 0;
            s.Live.push_back(ok ? static_cast<long>(static_cast<LRESULT>(answer)) : -2);
        }
        return s;
    }

private:
    std::string marker_;
    qw::win32::KernelHandle process_, thread_;
    HWND window_ = nullptr;
};

// Writes the file the way the stack does: under its final name, through a
// handle held open without delete sharing until the last byte is in.
void Beam(const std::wstring& target, const std::string& bytes) {
    const qw::win32::KernelHandle file(
        CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        throw std::runtime_error("cannot beam " + qw::win32::Narrow(target));
}

void DeleteTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    {
        const qw::win32::FindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &data));
        if (find) do {
                const std::wstring name = data.cFileName;
                if (name == L"." || name == L"..") continue;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    DeleteTree(folder + L"\\" + name);
                else
                    DeleteFileW((folder + L"\\" + name).c_str());
            } while (FindNextFileW(find.Get(), &data));
    }
    RemoveDirectoryW(folder.c_str());
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Beams `count` photos, numbered from `next`, each once the one before was taken over.
void BeamPhotos(const std::wstring& stack, const std::string& photo, int& next, int count) {
    for (int i = 0; i < count; ++i, ++next) {
        const std::wstring target = stack + L"\\IMG_" + std::to_wstring(10000 + next) + L".jpg";
        Beam(target, photo);
        int waited = 0;
        for (; Exists(target) && waited < 15000; waited += 50) Sleep(50);
        if (Exists(target)) throw std::runtime_error("the program did not take " + qw::win32::Narrow(target));
    }
    Sleep(1500);  // the last file's actions and balloon are done
}

std::string Objects(DWORD count) { return count ? std::to_string(count) : "not available"; }

bool Phase(const std::wstring& bin, const std::wstring& exeSource, const std::string& photo, bool shown, int n) {
    const std::wstring app = bench::NewWorkFolder(shown ? L"qwbench-soak-shown-" : L"qwbench-soak-hidden-");
    const std::string marker = Lower(qw::win32::Narrow(app.substr(app.find_last_of(L'\\') + 1)));
    const std::wstring stack = app + L"\\stack";
    CreateDirectoryW(stack.c_str(), nullptr);
    const std::wstring exe = app + L"\\quillwave.exe";
    if (!CopyFileW(exeSource.c_str(), exe.c_str(), FALSE))
        throw std::runtime_error("quillwave.exe not found in " + qw::win32::Narrow(bin));
    qw::SettingsRecord settings;
    settings.ShowQuillwave = shown;
    settings.AddFileToScreenSaver = true;
    settings.UseScreenSaver = false;  // leaves the prefix's screen saver alone
    const std::string file = qw::test::SettingsFile(settings);
    {
        const qw::win32::KernelHandle out(CreateFileW((app + L"\\settings.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                                      CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        WriteFile(out.Get(), file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    }
    const bench::ApplicationPath registered(app);
    bench::SetUserValue(L"Software\\Widcomm\\BTConfig\\Services\\0004", L"InboxDirectory", stack);
    bench::SetUserValue(L"Software\\Widcomm\\BTConfig\\Services\\0005", L"root", stack);

    Sample first, last;
    {
        const Program program(exe, app, marker);
        int next = 0;
        BeamPhotos(stack, photo, next, kFirst);
        first = program.Measure();
        BeamPhotos(stack, photo, next, n - kFirst);
        last = program.Measure();
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Widcomm");
    DeleteTree(app);

    const bool windows = first.WorkingSetKb > 0 && last.WorkingSetKb > first.WorkingSetKb / 4;
    const double a = windows ? first.WorkingSetKb : first.ResidentKb, b = windows ? last.WorkingSetKb : last.ResidentKb;
    const double perFile = (b - a) / (n - kFirst);
    std::printf("window %s, %d photos:\n", shown ? "shown" : "hidden (balloon notices)", n);
    std::printf("  working set (%s): %.1f MB after %d, %.1f MB after %d, growth %.2f KB per file -> goal <= %.0f KB: %s\n",
                windows ? "GetProcessMemoryInfo" : "host's VmRSS, Windows' answer is empty", a / 1024, kFirst, b / 1024,
                n, perFile, kGoalKbPerFile, perFile <= kGoalKbPerFile ? "met" : "NOT met");
    std::printf("  GDI objects: %s / %s, user objects: %s / %s, handles: %s / %s\n", Objects(first.GdiObjects).c_str(),
                Objects(last.GdiObjects).c_str(), Objects(first.UserObjects).c_str(), Objects(last.UserObjects).c_str(),
                Objects(first.Handles).c_str(), Objects(last.Handles).c_str());
    bool flat = true;
    std::printf("  live, counted by the program (after %d / after %d):", kFirst, n);
    for (size_t kind = 0; kind < first.Live.size(); ++kind) {
        const bool pictures = kind == qw::win32::LivePictures;
        if (!pictures && first.Live[kind] == 0 && last.Live[kind] == 0) continue;
        std::printf(" %s %ld/%ld;", pictures ? "pictures" : qw::win32::HandleKindName(static_cast<qw::win32::HandleKind>(kind)),
                    first.Live[kind], last.Live[kind]);
        // A picture keeps the bitmaps of its last two sizes, so the bitmaps
        // on hand move by a few with what is on show.
        flat = flat && last.Live[kind] <= first.Live[kind] + (pictures ? 0 : 2);
    }
    std::printf("\n  live counts flat: %s\n", flat ? "yes" : "NO");
    std::fflush(stdout);
    return perFile <= kGoalKbPerFile && flat;
}

}  // namespace

int main() {
    try {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const std::vector<std::wstring> arguments = bench::Arguments();
        const int n = arguments.size() >= 2 ? std::max(kFirst + 1, _wtoi(arguments[1].c_str())) : 500;
        const std::wstring bin = bench::FolderOfThisProgram() + L"\\bin";
        const std::wstring work = bench::NewWorkFolder(L"qwbench-soak-photo-");
        const std::wstring model = work + L"\\model.jpg";
        qw::test::WritePhotoJpeg(model, 1600, 1200);
        const std::string photo = bench::ReadSmallFile(model);
        DeleteFileW(model.c_str());
        RemoveDirectoryW(work.c_str());
        std::printf("quillwave.exe receiving %d photos of 1600 x 1200 (%.0f KB), each once the last was taken over\n",
                    n, photo.size() / 1024.0);
        bool met = true;
        const std::wstring only = arguments.size() >= 3 ? arguments[2] : L"";
        for (const bool shown : {true, false})
            if (only.empty() || only == (shown ? L"shown" : L"hidden"))
                met = Phase(bin, bin + L"\\quillwave.exe", photo, shown, n) && met;
        std::printf("goal: at most %.0f KB per file beyond the first %d, live counts flat: %s\n", kGoalKbPerFile,
                    kFirst, met ? "met" : "NOT met");
        return 0;
    } catch (const std::exception& e) {
        std::printf("wbench_soak failed: %s\n", e.what());
        return 1;
    }
}
