#include "Harness.h"

#include "ProjectIcons.h"
#include "WindowCapture.h"
#include "main/TaskPane.h"
#include "win32/main/TaskPaneControl.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace e2e {

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
    qw::win32::RegistryKey handle;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, handle.Receive(),
                        nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create a registry key");
    RegSetValueExW(handle.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::optional<std::wstring> RegisteredSaver() {
    std::wstring value;
    if (!ReadUserValue(L"Control Panel\\Desktop", L"SCRNSAVE.EXE", value)) return std::nullopt;
    return value;
}

void SetRegisteredSaver(const std::optional<std::wstring>& value) {
    if (value) {
        WriteUserValue(L"Control Panel\\Desktop", L"SCRNSAVE.EXE", *value);
        return;
    }
    qw::win32::RegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_SET_VALUE, key.Receive()) == ERROR_SUCCESS)
        RegDeleteValueW(key.Get(), L"SCRNSAVE.EXE");
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
    Start(exe, L"", appFolder);
}

RunningProgram::RunningProgram(InPlace, const std::wstring& exe, const std::wstring& arguments) {
    Start(exe, arguments, exe.substr(0, exe.find_last_of(L'\\')));
}

RunningProgram RunningProgram::Saver(const std::wstring& arguments) {
    RunningProgram saver;
    saver.Start(BinFolder() + L"\\quillwavess.scr", arguments, BinFolder());
    return saver;
}

void RunningProgram::Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &started))
        throw std::runtime_error("cannot start the program: " + qw::win32::ErrorText(GetLastError()));
    process_.Reset(started.hProcess);
    qw::win32::KernelHandle thread(started.hThread);
    id_ = started.dwProcessId;
}

RunningProgram::~RunningProgram() {
    if (WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 5000);
    }
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
}  // namespace

std::vector<HWND> WindowsOf(DWORD processId, const wchar_t* className) {
    WindowSearch search{processId, className, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND RunningProgram::MainWindow(std::chrono::milliseconds deadline) {
    return WindowOfClass(L"QuillwaveMainWindow", deadline);
}

HWND RunningProgram::WindowOfClass(const wchar_t* className, std::chrono::milliseconds deadline) {
    HWND window = nullptr;
    WaitFor(
        [&] {
            auto found = WindowsOf(id_, className);
            window = found.empty() ? nullptr : found.front();
            return window != nullptr;
        },
        deadline);
    return window;
}

bool RunningProgram::WaitForExit(std::chrono::milliseconds deadline) {
    return WaitForSingleObject(process_.Get(), static_cast<DWORD>(deadline.count())) == WAIT_OBJECT_0;
}

void RunningProgram::Kill() {
    TerminateProcess(process_.Get(), 1);
    WaitForSingleObject(process_.Get(), 10000);
}

DWORD RunningProgram::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

DWORD RunToEnd(const std::wstring& exe, const std::wstring& arguments, std::chrono::milliseconds deadline) {
    RunningProgram program(InPlace{}, exe, arguments);
    if (!program.WaitForExit(deadline)) throw std::runtime_error(qw::win32::Narrow(exe) + " did not end in time");
    return program.ExitCode();
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
        throw std::runtime_error("cannot start qwbeam.exe: " + qw::win32::ErrorText(GetLastError()));
    const qw::win32::KernelHandle owned(process.hProcess), thread(process.hThread);
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

bool ChooseFromIconMenu(const RunningProgram& program, HWND window, int entry) {
    PostMessageW(window, 0x205, 0, WM_LBUTTONUP);  // the icon's callback: left button released
    std::vector<HWND> menus;
    if (!WaitFor([&] { return !(menus = MenuWindows(program.Id())).empty(); }, std::chrono::seconds(10)))
        return false;
    // The menu is shown before its own message loop runs; keys sent in that
    // moment can be lost on a busy machine.
    Sleep(200);
    for (int i = 0; i < entry; ++i) PostMessageW(menus.front(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menus.front(), WM_KEYDOWN, VK_RETURN, 0);
    return WaitFor([&] { return MenuWindows(program.Id()).empty(); }, std::chrono::seconds(10));
}

std::vector<HWND> MenuWindows(DWORD processId) {
    std::vector<HWND> visible;
    for (HWND w : WindowsOf(processId, L"#32768"))
        if (IsWindowVisible(w)) visible.push_back(w);
    return visible;
}

TaskPaneClicks::TaskPaneClicks(HWND pane) : pane_(pane) {
    RECT size{};
    GetClientRect(pane, &size);
    host_ = std::make_unique<qw::test::HostWindow>(size.right, size.bottom);
    icons_ = qw::test::LoadPaneIcons();
    layout_ = std::make_unique<qw::win32::TaskPaneControl>(
        GetModuleHandleW(nullptr),
        qw::win32::WindowArgs{.Parent = host_->Handle(), .X = 0, .Y = 0, .Width = size.right, .Height = size.bottom});
    layout_->SetImageList(icons_.Get());
    for (const qw::PaneBar& bar : qw::PaneBars()) {
        layout_->AddBar(bar.Key, bar.Title);
        for (const qw::PaneItem& item : bar.Items)
            layout_->AddItem(bar.Key, item.Key, item.Caption, qw::PaneIconIndex(item.IconKey));
    }
    // Laid out only; shown, it would cover the program's own pane on the screen.
    ShowWindow(host_->Handle(), SW_HIDE);
}

TaskPaneClicks::~TaskPaneClicks() = default;

void TaskPaneClicks::Click(const char* itemKey) const {
    const RECT r = layout_->ItemRect(itemKey);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(pane_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(pane_, WM_LBUTTONUP, 0, at);
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
    const qw::test::Capture shot = qw::test::CaptureScreen(r);
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
    for (int y = 2; y < shot.height - 2; ++y) {
        int textPixels = 0, greyPixels = 0;
        for (int x = 4; x < shot.width - 4; ++x) {
            const COLORREF c = shot.At(x, y);
            if (similar(c, text)) ++textPixels;
            else if (similar(c, grey)) ++greyPixels;
        }
        const int inked = textPixels + greyPixels;
        const bool isText = inked > 0 && inked < (shot.width - 8) * 3 / 4;
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
    return entries;
}

}  // namespace e2e
