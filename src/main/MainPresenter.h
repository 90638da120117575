#pragma once
// The main window's presenter: start-up, the watcher's tick, the icon menu,
// the task pane and context menus, the thumbnail strip's events, the preview
// and the layout. It owns the window's state record and dispatches the rest
// to its parts (FileCommands, AutomaticActions, InboxWatcher, ArrivalNotices,
// the settings dialog).
//
// The order of calls, as the entry point (QuillwaveMain.cpp) makes them:
// 1. Construction. The window (MainWindow) is made first, hidden, with its
//    controls; then the strip's presenter on the strip's control, then this
//    presenter on both. Nothing is shown or read yet: the constructor only
//    wires the parts to each other and to the strip's events.
// 2. Attach. The window is given both presenters (MainWindow::Attach). Until
//    then it drops every event, so no message that Windows sends while the
//    window is made reaches a presenter that does not exist yet. The window
//    and its presenters point at each other, so one of them has to be told
//    after construction; it is the window, since it exists first.
// 3. Load, once: route the icon's messages, add the icon, hide the window,
//    then read the registry, the settings, both folders, the stack's folders
//    and the folder of received files, and start the watcher's timer. A step
//    that fails does not stop the rest.
// 4. Events, each from the message loop: the timer (OnTimer), the icon
//    (OnTrayIconClick, OnNoticeClick), the pane (OnPaneItemClick), the strip
//    (through ThumbnailStrip's callbacks), the preview (OnPreviewMouseUp),
//    the window's size (OnResize) and close (OnQueryUnload). Any of them may
//    arrive while another waits for the user in a message box or dialog;
//    what happens then is Busy's (Busy.h).
// 5. Exit ("Exit Quillwave!", or the setup program's message): ExitProgram
//    marks the program exiting, removes the icon and unloads the window, or
//    first closes the settings dialog when it is open. The window's
//    destruction ends the message loop; the objects then go in the reverse
//    order of their construction.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "main/ArrivalNotices.h"
#include "main/AutomaticActions.h"
#include "main/BluetoothStack.h"
#include "main/Busy.h"
#include "main/FileCommands.h"
#include "main/InboxWatcher.h"
#include "main/KeyboardNavigation.h"
#include "main/MainState.h"
#include "main/MainPorts.h"
#include "main/MainView.h"
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

class MainPresenter {
public:
    MainPresenter(MainView& view, ThumbnailStrip& strip, MainPorts ports, std::string applicationFolder);

    // The window's load: everything between creating the (hidden) window and
    // the first message.
    void Load();

    // ---- Events.
    void OnTimer() { watcher_.Tick(); }
    // The icon was clicked (left release or right press).
    void OnTrayIconClick();  // SysTrayMouseEventHandler
    // The balloon of a notice was clicked: the window comes up with the
    // notice's last file current.
    void OnNoticeClick();
    // Returns true to cancel the close (the window is hidden instead).
    bool OnQueryUnload(UnloadMode mode);
    void OnResize(int clientWidth, int clientHeight);  // Form_Resize
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
    // What is open while the user is asked something, and whether Exit was
    // asked for: every rule for a message that arrives meanwhile.
    Busy busy_;
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
};

}  // namespace qw
