#include "win32/Win32System.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "win32/kit/Handles.h"
#include "win32/kit/Utf.h"

namespace qw::win32 {

namespace {

// Asks a call that fills a buffer and reports the length, growing the buffer
// until the answer fits. `fill` returns the length written (without the NUL),
// the size needed when the buffer is too small, or 0 on failure.
template <typename Fill>
std::wstring GrowingBuffer(Fill&& fill) {
    std::wstring text(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = fill(text.data(), static_cast<DWORD>(text.size()));
        if (n == 0) return {};
        if (n < text.size()) {
            text.resize(n);
            return text;
        }
        text.resize(std::max<std::size_t>(n + 1, text.size() * 2));
    }
}

}  // namespace

std::wstring SystemFolderPath() {
    std::wstring folder = GrowingBuffer([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
    if (folder.empty()) throw std::runtime_error("The system folder is unknown: " + ErrorText(GetLastError()));
    return folder;
}

std::wstring ProgramFilePath() {
    // GetModuleFileNameW fills the whole buffer, without a NUL, when the path is longer.
    return GrowingBuffer([](wchar_t* buffer, DWORD size) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer, size);
        return n == size ? size : n;
    });
}

std::string Win32Clock::LongTimeText() {
    const std::wstring text = GrowingBuffer([](wchar_t* buffer, DWORD size) {
        const int n = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, buffer, static_cast<int>(size));
        if (n > 0) return static_cast<DWORD>(n - 1);
        return GetLastError() == ERROR_INSUFFICIENT_BUFFER ? size : 0;
    });
    return Narrow(text);
}

std::optional<std::string> Win32ShortPaths::ShortPathOf(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const std::wstring wide = Widen(path);
    const std::wstring shortPath =
        GrowingBuffer([&](wchar_t* buffer, DWORD size) { return GetShortPathNameW(wide.c_str(), buffer, size); });
    if (shortPath.empty()) return std::nullopt;
    return Narrow(shortPath);
}

std::string Win32ScreenSaverPlatform::SystemFolder() { return Narrow(SystemFolderPath()); }

std::string Win32ScreenSaverPlatform::ProgramFile() { return Narrow(ProgramFilePath()); }

void Win32ScreenSaverPlatform::StartProgram(const std::string& path) {
    const std::wstring file = Widen(path);
    // No arguments: the program's own name, quoted, is the whole command line.
    std::wstring commandLine = L"\"" + file + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(file.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        throw std::runtime_error("Windows cannot start " + path + ": " + ErrorText(GetLastError()));
    const KernelHandle process(started.hProcess), thread(started.hThread);
    // It may take the focus from us, the program the user is working in.
    AllowSetForegroundWindow(started.dwProcessId);
}

}  // namespace qw::win32
