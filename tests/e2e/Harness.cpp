#include "Harness.h"

#include <shellapi.h>

#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace e2e {

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (true) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

namespace {

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace

TempFolder::TempFolder(const std::wstring& prefix) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    path_ = std::wstring(temp) + prefix + L" " + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++counter);
    if (!CreateDirectoryW(path_.c_str(), nullptr)) throw std::runtime_error("cannot create a temp folder");
}

TempFolder::~TempFolder() { RemoveTree(path_); }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void WriteFile(const std::wstring& path, const std::string& content) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write a test file");
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

std::wstring BinFolder() {
    // The build passes its Unix path; Wine's Z: drive is the Unix root.
    std::string unix = QW_BIN_DIR;
    std::wstring path = L"Z:";
    for (char c : unix) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return path;
}

bool ReadUserValue(const std::wstring& key, const std::wstring& name, std::wstring& value) {
    wchar_t buffer[4096];
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, buffer, &size) !=
        ERROR_SUCCESS)
        return false;
    value = buffer;
    return true;
}

void WriteUserValue(const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    HKEY handle;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot create a registry key");
    RegSetValueExW(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
}

void DeleteUserKey(const std::wstring& key) { RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str()); }

namespace {
const wchar_t* const StackKey = L"Software\\Widcomm\\BTConfig\\Services";
}

void SetStackFolders(const std::wstring& inbox, const std::wstring& root) {
    WriteUserValue(std::wstring(StackKey) + L"\\0004", L"InboxDirectory", inbox);
    WriteUserValue(std::wstring(StackKey) + L"\\0005", L"root", root);
}

void RemoveStackFolders() { DeleteUserKey(L"Software\\Widcomm"); }

RunningProgram::RunningProgram(const std::wstring& appFolder, const std::wstring& exeName) {
    const std::wstring exe = appFolder + L"\\" + exeName;
    if (!CopyFileW((BinFolder() + L"\\" + exeName).c_str(), exe.c_str(), FALSE))
        throw std::runtime_error("cannot copy the program into the application folder");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, appFolder.c_str(),
                        &startup, &process_))
        throw std::runtime_error("cannot start the program");
}

RunningProgram::~RunningProgram() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

namespace {
struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[64];
    if (owner == search->processId && GetClassNameW(window, name, 64) && wcscmp(name, search->className) == 0)
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> WindowsOf(DWORD processId, const wchar_t* className) {
    WindowSearch search{processId, className, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
}  // namespace

HWND RunningProgram::MainWindow(std::chrono::milliseconds deadline) {
    HWND window = nullptr;
    WaitFor(
        [&] {
            auto found = WindowsOf(process_.dwProcessId, L"QuillwaveMainWindow");
            window = found.empty() ? nullptr : found.front();
            return window != nullptr;
        },
        deadline);
    return window;
}

bool RunningProgram::WaitForExit(std::chrono::milliseconds deadline) {
    return WaitForSingleObject(process_.hProcess, static_cast<DWORD>(deadline.count())) == WAIT_OBJECT_0;
}

DWORD Beam(const std::wstring& folder, const std::vector<std::wstring>& files,
           const std::vector<std::wstring>& options) {
    const std::wstring exe = BinFolder() + L"\\qwbeam.exe";
    std::wstring commandLine = L"\"" + exe + L"\"";
    for (const auto& o : options) commandLine += L" \"" + o + L"\"";
    commandLine += L" \"" + folder + L"\"";
    for (const auto& f : files) commandLine += L" \"" + f + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process))
        throw std::runtime_error("cannot start qwbeam.exe");
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

std::vector<HWND> MenuWindows(DWORD processId) {
    std::vector<HWND> visible;
    for (HWND w : WindowsOf(processId, L"#32768"))
        if (IsWindowVisible(w)) visible.push_back(w);
    return visible;
}

int TrayIconCount() {
    HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    if (!tray || !IsWindowVisible(tray)) return 0;
    int count = 0;
    for (HWND child = GetWindow(tray, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child)) ++count;
    return count;
}

void WriteBitmap(const std::wstring& path, int width, int height, unsigned color) {
    const int stride = ((width * 3 + 3) / 4) * 4;
    std::string bytes(54 + static_cast<size_t>(stride) * height, '\0');
    auto put32 = [&](size_t at, unsigned v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, static_cast<unsigned>(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<unsigned>(width));
    put32(22, static_cast<unsigned>(height));
    bytes[26] = 1;
    bytes[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const size_t at = 54 + static_cast<size_t>(y) * stride + x * 3;
            bytes[at] = static_cast<char>((color >> 16) & 0xFF);
            bytes[at + 1] = static_cast<char>((color >> 8) & 0xFF);
            bytes[at + 2] = static_cast<char>(color & 0xFF);
        }
    WriteFile(path, bytes);
}

HWND ChildOfClass(HWND parent, const wchar_t* className) {
    return FindWindowExW(parent, nullptr, className, nullptr);
}

RECT PlaceInParent(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::vector<bool> MenuEntriesEnabled(HWND menuWindow) {
    RECT r;
    GetWindowRect(menuWindow, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    const COLORREF text = GetSysColor(COLOR_MENUTEXT), grey = GetSysColor(COLOR_GRAYTEXT);
    auto similar = [](COLORREF a, COLORREF b) {
        return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
                   std::abs(GetBValue(a) - GetBValue(b)) < 60;
    };
    // Each run of rows with text pixels is one entry; a separator is a line
    // one or two rows high, which no text is.
    std::vector<bool> entries;
    bool inEntry = false, sawText = false;
    int rows = 0;
    for (int y = 2; y < height - 2; ++y) {
        int textPixels = 0, greyPixels = 0;
        for (int x = 4; x < width - 4; ++x) {
            const COLORREF c = GetPixel(memory, x, y);
            if (similar(c, text)) ++textPixels;
            else if (similar(c, grey)) ++greyPixels;
        }
        const int inked = textPixels + greyPixels;
        const bool isText = inked > 0 && inked < (width - 8) * 3 / 4;
        if (isText) {
            inEntry = true;
            ++rows;
            sawText = sawText || textPixels > 0;
        } else if (inEntry) {
            if (rows > 2) entries.push_back(sawText);
            inEntry = sawText = false;
            rows = 0;
        }
    }
    if (inEntry && rows > 2) entries.push_back(sawText);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return entries;
}

void SaveScreenshot(const std::wstring& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    const DWORD stride = ((width * 3 + 3) / 4) * 4, imageSize = stride * height;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + imageSize;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written;
        ::WriteFile(file, &header, sizeof header, &written, nullptr);
        ::WriteFile(file, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
        ::WriteFile(file, bits, imageSize, &written, nullptr);
        CloseHandle(file);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

}  // namespace e2e
