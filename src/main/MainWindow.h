#pragma once
// The main window's presenter: start-up, the watcher's tick, the icon menu,
// closing and ending. It owns the window's state record.

#include <string>

#include "main/BluetoothStack.h"
#include "main/InboxWatcher.h"
#include "main/MainState.h"
#include "main/MainView.h"
#include "main/WindowActivation.h"
#include "shared/FileSystem.h"
#include "shared/Registry.h"
#include "shared/TextEncoding.h"

namespace qw {

inline constexpr const char* MainCaption = "Quillwave!";
inline constexpr const char* NoBluetoothText = "No Compatible Bluetooth Hardware Was Detected";
inline constexpr unsigned WatcherInterval = 1000;

// Why the window is asked to close.
enum class UnloadMode {
    UserClose = 0,   // close box, system menu, Alt+F4: only hides the window
    ProgramUnload,   // "Exit Quillwave!"
    SystemShutdown,  // Windows ending the session
};

struct MainPorts {
    qw::FileSystem& Files;
    qw::Registry& Registry;
    const AnsiCodePage& Ansi;
    WindowActivation& Activation;
};

class MainWindow {
public:
    MainWindow(MainView& view, MainPorts ports, std::string applicationFolder);

    // The window's load: everything between creating the (hidden) window and
    // the first message.
    void Load();

    void OnTimer() { watcher_.Tick(); }
    // The icon was clicked (left release or right press).
    void SysTrayMouseEventHandler();
    void RunCommand(Command command);
    // Returns true to cancel the close (the window is hidden instead).
    bool OnQueryUnload(UnloadMode mode);

    void UpdateStatus();
    void BringToFront() { qw::BringToFront(ports_.Activation, view_.Handle()); }

    const MainState& State() const { return state_; }
    MainState& State() { return state_; }
    const AppFolders& Folders() const { return folders_; }

private:
    void FileTakenOver(const std::string& path);
    void ExitProgram();

    MainView& view_;
    MainPorts ports_;
    AppFolders folders_;
    MainState state_;
    BluetoothStack bluetooth_;
    InboxWatcher watcher_;
};

}  // namespace qw
