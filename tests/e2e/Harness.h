#pragma once
// Drives the built programs from outside: a private application folder, the
// demo Bluetooth stack's registry values, started processes and polling waits.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

// Polls until the condition holds or the deadline passes; true when it held.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline);

// A unique folder under %TEMP%, removed with everything in it at the end.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& prefix);
    ~TempFolder();
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

bool Exists(const std::wstring& path);
bool IsFolder(const std::wstring& path);
void WriteFile(const std::wstring& path, const std::string& content);
std::vector<std::wstring> FilesIn(const std::wstring& folder);

// The folder holding the built programs (quillwave.exe, qwbeam.exe).
std::wstring BinFolder();

// Registry text values under HKEY_CURRENT_USER: read (false when missing),
// write, and delete a whole key tree.
bool ReadUserValue(const std::wstring& key, const std::wstring& name, std::wstring& value);
void WriteUserValue(const std::wstring& key, const std::wstring& name, const std::wstring& value);
void DeleteUserKey(const std::wstring& key);

// Points the Bluetooth stack's two values at the folders (or removes them).
void SetStackFolders(const std::wstring& inbox, const std::wstring& root);
void RemoveStackFolders();

// A running copy of quillwave.exe, started from its own application folder.
class RunningProgram {
public:
    RunningProgram(const std::wstring& appFolder, const std::wstring& exeName = L"quillwave.exe");
    ~RunningProgram();  // ends the process if it still runs

    HWND MainWindow(std::chrono::milliseconds deadline = std::chrono::seconds(20));
    bool WaitForExit(std::chrono::milliseconds deadline);
    DWORD Id() const { return process_.dwProcessId; }

private:
    PROCESS_INFORMATION process_{};
};

// Beams files into a folder with qwbeam.exe; returns its exit code.
DWORD Beam(const std::wstring& folder, const std::vector<std::wstring>& files,
           const std::vector<std::wstring>& options = {});

// Visible pop-up menu windows of the given process.
std::vector<HWND> MenuWindows(DWORD processId);

// The icons in the notification area. Wine on a display without a tray of
// its own shows them as child windows of one "standalone tray" window.
int TrayIconCount();

// A 24-bit bitmap file of one colour (0x00BBGGRR).
void WriteBitmap(const std::wstring& path, int width, int height, unsigned color);

// The first child window of the class, or nullptr.
HWND ChildOfClass(HWND parent, const wchar_t* className);
// A window's rectangle in its parent's client coordinates.
RECT PlaceInParent(HWND window);

// Whether each text entry of an open pop-up menu is enabled, top to bottom,
// read from its pixels: Wine keeps a menu's data in the process that owns it,
// so another process can only look at it. Enabled text is drawn in the menu
// text colour, disabled text in grey; separators hold no text.
std::vector<bool> MenuEntriesEnabled(HWND menuWindow);

// Saves the screen to a BMP file (for people to look at).
void SaveScreenshot(const std::wstring& path);

}  // namespace e2e
