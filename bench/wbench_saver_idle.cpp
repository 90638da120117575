// How much processor time a running slide show uses between slides, with a
// screen-saver folder of 4 and of 10,000 small files: it should not grow with
// the folder. Starts the built quillwavess.scr /s over a temporary
// application folder (60 s per slide, the clock on), waits until its start-up
// is done and reads its processor time over ten seconds. For comparison, the
// cost of the folder check that read the folder, type names included, at
// every tick, measured here on the same folder.

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "PictureFiles.h"
#include "WinBench.h"
#include "shared/Settings.h"
#include "win32/Handles.h"
#include "win32/Utf.h"
#include "win32/Win32Ansi.h"
#include "win32/Win32FileSystem.h"

namespace {

const wchar_t* const kQuillwaveKey = L"Software\\Quillwave";
constexpr DWORD kWatched = 10000;
constexpr int kChecksPerSecond = 2;

std::wstring FolderOfThisProgram() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

std::string ReadSmallFile(const std::wstring& path) {
    const qw::win32::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                   nullptr, OPEN_EXISTING, 0, nullptr));
    std::string text;
    if (!file) return text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    return text;
}

std::string OwnPrefix() {
    char prefix[MAX_PATH * 2] = {};
    GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    return std::string("WINEPREFIX=") + prefix + '\0';
}

// Wine reports no processor time of another process, so it is read where the
// host keeps it: /proc, which Wine shows as Z:\proc. The processor time, in
// seconds, of the host processes whose command line names `program` (the
// Wine server's own share included when it is asked for by name).
double HostProcessorSeconds(const std::string& program) {
    double seconds = 0;
    WIN32_FIND_DATAW data{};
    const qw::win32::FindHandle find(FindFirstFileW(L"Z:\\proc\\*", &data));
    if (!find) throw std::runtime_error("the host's process list cannot be read");
    do {
        if (data.cFileName[0] < L'0' || data.cFileName[0] > L'9') continue;
        const std::wstring dir = std::wstring(L"Z:\\proc\\") + data.cFileName;
        std::string command = ReadSmallFile(dir + L"\\cmdline");
        for (char& c : command) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        // Other Wine prefixes on the host run programs of their own.
        if (command.find(program) == std::string::npos ||
            ReadSmallFile(dir + L"\\environ").find(OwnPrefix()) == std::string::npos)
            continue;
        // Fields 14 and 15, user and system time in ticks, follow the name in parentheses.
        const std::string stat = ReadSmallFile(dir + L"\\stat");
        const auto close = stat.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream fields(stat.substr(close + 2));
        std::string field;
        double ticks = 0;
        for (int n = 3; n <= 15 && fields >> field; ++n)
            if (n >= 14) ticks += std::stod(field);
        seconds += ticks / 100;  // USER_HZ
    }
    while (FindNextFileW(find.Get(), &data));
    return seconds;
}

// The application folder the screen saver reads, kept to be put back.
class ApplicationPath {
public:
    explicit ApplicationPath(const std::wstring& folder) {
        wchar_t value[MAX_PATH * 2] = {};
        DWORD size = sizeof value;
        had_ = RegGetValueW(HKEY_CURRENT_USER, kQuillwaveKey, L"ApplicationPath", RRF_RT_REG_SZ, nullptr, value,
                            &size) == ERROR_SUCCESS;
        old_ = value;
        Set(folder);
    }
    ~ApplicationPath() {
        if (had_)
            Set(old_);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kQuillwaveKey, L"ApplicationPath");
        // A screen saver ended from outside leaves its running flag behind.
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kQuillwaveKey, L"ScreenSaverRunning");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kQuillwaveKey, L"ScreenSaverProcess");
    }

private:
    static void Set(const std::wstring& folder) {
        qw::win32::RegistryKey key;
        RegCreateKeyExW(HKEY_CURRENT_USER, kQuillwaveKey, 0, nullptr, 0, KEY_WRITE, nullptr, key.Receive(), nullptr);
        RegSetValueExW(key.Get(), L"ApplicationPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                       static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    }
    bool had_ = false;
    std::wstring old_;
};

struct Idle {
    double Saver = 0, Server = 0;  // processor time over kWatched, ms
};

// Processor time of the running slide show over kWatched ms.
Idle IdleProcessor(const std::wstring& app) {
    const std::wstring scr = FolderOfThisProgram() + L"\\bin\\quillwavess.scr";
    std::wstring commandLine = L"\"" + scr + L"\" /s";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(scr.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, app.c_str(),
                        &startup, &process))
        throw std::runtime_error("quillwavess.scr cannot be started");
    const qw::win32::KernelHandle owned(process.hProcess), thread(process.hThread);
    for (int waited = 0; waited < 30000 && !FindWindowW(L"QuillwaveSlideShow", nullptr); waited += 100) Sleep(100);
    if (!FindWindowW(L"QuillwaveSlideShow", nullptr)) throw std::runtime_error("the slide show did not open");
    Sleep(3000);  // the first slide, the first folder read
    const double saver = HostProcessorSeconds("quillwavess.scr");
    const double server = HostProcessorSeconds("wineserver");
    Sleep(kWatched);
    const Idle used{(HostProcessorSeconds("quillwavess.scr") - saver) * 1000,
                    (HostProcessorSeconds("wineserver") - server) * 1000};
    DWORD code = 0;
    const bool ran = GetExitCodeProcess(process.hProcess, &code) && code == STILL_ACTIVE;
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    if (!ran) throw std::runtime_error("the slide show ended early");
    return used;
}

}  // namespace

int main() {
    try {
        const std::wstring app = bench::NewWorkFolder(L"qwbench-saver-idle-");
        const std::wstring folder = app + L"\\screensaver";
        CreateDirectoryW(folder.c_str(), nullptr);
        qw::SettingsRecord settings;
        settings.ShowImagesForSeconds = 60;
        const qw::SettingsBytes bytes = qw::EncodeSettings(settings, qw::win32::Win32Ansi());
        qw::test::WriteBytes(app + L"\\settings.txt", std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        const ApplicationPath registered(app);

        const qw::test::Bytes picture = qw::test::SolidBmp(16, 12, RGB(30, 200, 60));
        std::vector<std::wstring> written;
        const auto fill = [&](int count) {
            while (static_cast<int>(written.size()) < count) {
                written.push_back(folder + L"\\IMG_" + std::to_wstring(10000 + written.size()) + L".bmp");
                qw::test::WriteBytes(written.back(), picture);
            }
        };
        std::printf("a running slide show (60 s per slide, the clock on), processor time over %lu ms\n", kWatched);
        double few = 0, many = 0;
        for (const int count : {4, 10000}) {
            fill(count);
            const Idle idle = IdleProcessor(app);
            (count == 4 ? few : many) = idle.Saver;
            std::printf("  %5d files: %7.1f ms (%.2f %% of a core), the Wine server meanwhile %.1f ms (%.2f %%)\n",
                        count, idle.Saver, 100.0 * idle.Saver / kWatched, idle.Server,
                        100.0 * idle.Server / kWatched);
        }

        // The check as it was: the folder read, type names included, twice a second.
        qw::win32::Win32FileSystem files;
        const std::string path = qw::win32::Narrow(folder);
        std::vector<double> full, names;
        for (int run = 0; run < 3; ++run) {
            double t0 = bench::Now();
            files.ListFiles(path);
            full.push_back(bench::Now() - t0);
            t0 = bench::Now();
            files.ListFileNames(path);
            names.push_back(bench::Now() - t0);
        }
        const double fullShare = bench::Median(full) * kChecksPerSecond / 10.0;
        std::printf("  before, a check reading the folder at every tick: %.1f ms per check with type names"
                    " (%.1f %% of a core at 2 checks a second), %.1f ms with names only (%.1f %%)\n",
                    bench::Median(full), fullShare, bench::Median(names),
                    bench::Median(names) * kChecksPerSecond / 10.0);
        const double share = 100.0 * many / kWatched;
        std::printf("  goal: 10,000 files at most 0.3 %% of a core: %.2f %% -> %s (4 files: %.2f %%; times in"
                    " steps of 10 ms)\n",
                    share, share <= 0.3 ? "met" : "NOT met", 100.0 * few / kWatched);

        for (const std::wstring& file : written) DeleteFileW(file.c_str());
        DeleteFileW((app + L"\\settings.txt").c_str());
        RemoveDirectoryW(folder.c_str());
        RemoveDirectoryW(app.c_str());
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "wbench_saver_idle: %s\n", error.what());
        return 1;
    }
}
