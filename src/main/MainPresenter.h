#pragma once
// The main window's presenter: start-up, the watcher's tick, the icon menu,
// the task pane and context menus, the thumbnail strip's events, the preview
// and the layout. It owns the window's state record.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "main/ArrivalNotices.h"
#include "main/AutomaticActions.h"
#include "main/BluetoothStack.h"
#include "main/CommandPorts.h"
#include "main/FileCommands.h"
#include "main/InboxWatcher.h"
#include "main/KeyboardNavigation.h"
#include "main/MainState.h"
#include "main/MainView.h"
#include "main/Shell.h"
#include "main/TaskPane.h"
#include "main/ThumbnailStrip.h"
#include "main/WindowActivation.h"
#include "shared/FileSystem.h"
#include "shared/Pictures.h"
#include "shared/ReceivedFolder.h"
#include "shared/Registry.h"
#include "shared/ScreenSaverState.h"
#include "shared/ScreenSaverRegistration.h"
#include "shared/SettingsEditing.h"
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
    PictureLoader& Pictures;
    qw::Shell& Shell;
    qw::Questions& Questions;  // before a received file that can run code is opened
    // ---- The settings dialog and the Windows screen-saver choice.
    SettingsEditor& Settings;
    ScreenSaverRegistration& ScreenSaver;  // install, remove, preview
    ScreenSaverProcesses& SlideShows;      // whether a "YES" is a live slide show's
    SystemFolders& System;                 // what the folder of received files must not be
    // ---- The file commands' dialogs and platform services.
    FileCommandPorts Commands;
    std::function<Resolution()> DisplayResolution = [] { return Resolution{}; };
};

class MainPresenter {
public:
    MainPresenter(MainView& view, ThumbnailStrip& strip, MainPorts ports, std::string applicationFolder);

    // The window's load: everything between creating the (hidden) window and
    // the first message.
    void Load();

    // ---- Events.
    void OnTimer() { watcher_.Tick(); }
    // The icon was clicked (left release or right press).
    void OnTrayIconClick();
    // The balloon of a notice was clicked: the window comes up with the
    // notice's last file current.
    void OnNoticeClick();
    // Returns true to cancel the close (the window is hidden instead).
    bool OnQueryUnload(UnloadMode mode);
    void OnResize();  // Form_Resize
    void OnPaneItemClick(const std::string& itemKey);
    // A mouse button (1 left, 2 right) was released over the preview.
    void OnPreviewMouseUp(int button);
    void RunCommand(Command command);

    // ---- What other parts of the window use.
    void UpdateStatus();
    void BringToFront() { qw::BringToFront(ports_.Activation, view_.Id()); }
    void ShowFile(const std::string& path);
    void ClearFile();
    void UpdateFileCommands(const std::string& path);
    void ShowInbox();
    void ShowScreenSaverImages();
    void ShowInboxSettings() { ShowSettings(SettingsTab::Inbox); }
    void ShowScreenSaverSettings() { ShowSettings(SettingsTab::ScreenSaver); }
    void PreviewScreenSaver();

    // The keys of the task pane, the strip and its scroll buttons.
    KeyboardNavigation& Keyboard() { return keyboard_; }

    const MainState& State() const { return state_; }
    MainState& State() { return state_; }
    const AppFolders& Folders() const { return folders_; }

private:
    void BuildTaskPane();
    // `listedNow`: the folder's list was read just now, so its files are not
    // read again one by one.
    void ShowFolder(bool inbox, bool listedNow = false);
    void FileTakenOver(const std::string& path);
    // At the mouse, or for the keyboard at the thumbnail of `slot`.
    void PopUpThumbMenu(int slot = 0);
    void ExitProgram();
    CommandTarget CurrentTarget() const;
    void ShowSettings(SettingsTab startTab);
    void ApplyScreenSaverChoice();
    void FindReceivedFiles();

    MainView& view_;
    ThumbnailStrip& strip_;
    MainPorts ports_;
    AppFolders folders_;
    MainState state_;
    BluetoothStack bluetooth_;
    InboxWatcher watcher_;
    // imgMain's picture: the current file's, or null when it has none.
    std::shared_ptr<const Picture> preview_;
    std::vector<FileCommandState> fileCommands_;
    FileCommands commands_;
    AutomaticActions actions_;
    ArrivalNotices notices_;
    KeyboardNavigation keyboard_;
    bool stackFound_ = false;
    bool watcherStarted_ = false;
    bool exiting_ = false;
    bool settingsOpen_ = false;
    bool exitPending_ = false;  // asked for while the settings dialog was open
};

}  // namespace qw
