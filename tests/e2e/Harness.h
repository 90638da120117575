#pragma once
// Drives the built programs from outside: a private application folder, the
// demo Bluetooth stack's registry values, started processes and polling waits.

#include <windows.h>

#include "BinFolder.h"
#include "MessagePump.h"
#include "TempFolder.h"
#include "TrayIcons.h"
#include "win32/kit/Handles.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qw::win32 {
class TaskPaneControl;
}
namespace qw::test {
class HostWindow;
}

namespace e2e {

using qw::test::WaitFor;

using qw::test::Exists;
using qw::test::IsFolder;
using qw::test::TempFolder;

// The files (not folders) directly in the folder, sorted.
inline std::vector<std::wstring> FilesIn(const std::wstring& folder) { return qw::test::NamesIn(folder, true); }
inline void WriteFile(const std::wstring& path, const std::string& content) { qw::test::WriteText(path, content); }

// A path of the build machine as Wine sees it, and the folder holding the
// built programs (quillwave.exe, qwbeam.exe).
using qw::test::BinFolder;
using qw::test::FromUnixPath;

// Registry text values under HKEY_CURRENT_USER: read (false when missing),
// write, and delete a whole key tree.
bool ReadUserValue(const std::wstring& key, const std::wstring& name, std::wstring& value);
void WriteUserValue(const std::wstring& key, const std::wstring& name, const std::wstring& value);
void DeleteUserKey(const std::wstring& key);

// Windows' choice of screen saver (HKCU\Control Panel\Desktop\SCRNSAVE.EXE),
// nothing when there is none; setting nothing deletes the value.
std::optional<std::wstring> RegisteredSaver();
void SetRegisteredSaver(const std::optional<std::wstring>& value);

// Points the Bluetooth stack's two values at the folders (or removes them).
void SetStackFolders(const std::wstring& inbox, const std::wstring& root);
void RemoveStackFolders();

// Marks a program started where it already is (an installed copy).
struct InPlace {};

// A running copy of quillwave.exe, started from its own application folder.
class RunningProgram {
public:
    RunningProgram(const std::wstring& appFolder, const std::wstring& exeName = L"quillwave.exe");
    // The program file started in its own folder, with the arguments as
    // they stand on the command line.
    RunningProgram(InPlace, const std::wstring& exe, const std::wstring& arguments = L"");
    // The built screen saver, started where it was built with the arguments
    // Windows would give it ("/s", "/p 1234").
    static RunningProgram Saver(const std::wstring& arguments);
    RunningProgram(RunningProgram&&) = default;
    ~RunningProgram();  // ends the process if it still runs

    HWND MainWindow(std::chrono::milliseconds deadline = std::chrono::seconds(20));
    // The process's first top-level window of the class, or nullptr.
    HWND WindowOfClass(const wchar_t* className, std::chrono::milliseconds deadline = std::chrono::seconds(20));
    bool WaitForExit(std::chrono::milliseconds deadline);
    // Ends the process at once, as the task manager would.
    void Kill();
    DWORD ExitCode() const;
    DWORD Id() const { return id_; }

private:
    RunningProgram() = default;
    void Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder);

    qw::win32::KernelHandle process_;
    DWORD id_ = 0;
};

// Starts a program where it is and waits for it to end; returns its exit
// code, or throws when it does not end in time (it is ended then).
DWORD RunToEnd(const std::wstring& exe, const std::wstring& arguments,
               std::chrono::milliseconds deadline = std::chrono::seconds(60));

// Beams files into a folder with qwbeam.exe; returns its exit code.
DWORD Beam(const std::wstring& folder, const std::vector<std::wstring>& files,
           const std::vector<std::wstring>& options = {});

// Top-level windows of the process with the class.
std::vector<HWND> WindowsOf(DWORD processId, const wchar_t* className);
// Visible pop-up menu windows of the given process.
std::vector<HWND> MenuWindows(DWORD processId);
// Opens the icon menu as a click on the icon does and chooses its entry
// number `entry` (1 for the first; separators are skipped) with the
// keyboard; false when the menu did not open or close.
bool ChooseFromIconMenu(const RunningProgram& program, HWND window, int entry);

using qw::test::TrayIconCount;

// The first child window of the class, or nullptr.
HWND ChildOfClass(HWND parent, const wchar_t* className);
// A window's rectangle in its parent's client coordinates.
RECT PlaceInParent(HWND window);

// Clicks on the items of the program's task pane, at the places a pane of the
// same content and size, laid out here, gives them.
class TaskPaneClicks {
public:
    explicit TaskPaneClicks(HWND pane);
    ~TaskPaneClicks();
    void Click(const char* itemKey) const;

private:
    HWND pane_;
    std::unique_ptr<qw::test::HostWindow> host_;
    qw::win32::ImageList icons_;
    std::unique_ptr<qw::win32::TaskPaneControl> layout_;
};

// Whether each text entry of an open pop-up menu is enabled, top to bottom,
// read from its pixels: Wine keeps a menu's data in the process that owns it,
// so another process can only look at it. Enabled text is drawn in the menu
// text colour, disabled text in grey; separators hold no text.
std::vector<bool> MenuEntriesEnabled(HWND menuWindow);

}  // namespace e2e
