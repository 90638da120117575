#include "main/MainWindow.h"

#include "shared/Folders.h"
#include "shared/RegistryValues.h"

namespace qw {

MainWindow::MainWindow(MainView& view, MainPorts ports, std::string applicationFolder)
    : view_(view),
      ports_(ports),
      folders_{std::move(applicationFolder)},
      bluetooth_(ports.Registry),
      watcher_(state_, ports.Files, folders_, [this](const std::string& path) { FileTakenOver(path); }) {}

void MainWindow::Load() {
    view_.HookWindow();
    view_.AddTrayIcon(MainCaption);
    // The program lives in the notification area: the window exists from
    // here on but is shown only on request.
    view_.Hide();

    // Start-up goes on when a step fails: a program without its registry
    // value, its settings or one of its lists still takes files over, which
    // matters more than reporting the step.
    try {
        ports_.Registry.WriteText(ApplicationPathValue, folders_.Application);
    } catch (const std::exception&) {
        // The screen saver then finds the folder of an earlier start, if any.
    }

    // Fixed places of the controls and the task pane: with the window layout.
    view_.SetStatusVisible(false);

    try {
        LoadSettings(ports_.Files, ports_.Ansi, folders_.SettingsFile(), state_.CurrentSettings);
    } catch (const std::exception&) {
        state_.CurrentSettings = SettingsRecord{};  // an unreadable file counts as none
    }
    // Registering the screen saver from CurrentSettings.UseScreenSaver: with
    // the screen-saver installation.

    EnsureFolder(ports_.Files, folders_.Inbox());
    try {
        FillCollection(ports_.Files, state_.InboxFiles, folders_.Inbox());
    } catch (const std::exception&) {
        // An inbox that cannot be listed starts empty; received files still arrive.
    }
    EnsureFolder(ports_.Files, folders_.ScreenSaver());
    try {
        FillCollection(ports_.Files, state_.ScreenSaverFiles, folders_.ScreenSaver());
    } catch (const std::exception&) {
    }
    EnsureFolder(ports_.Files, folders_.Desktop());
    // Showing the inbox in the thumbnail strip: with the strip.

    state_.LastFolder = folders_.Application;

    state_.BluetoothFound = bluetooth_.ReadBluetoothFolders();
    if (state_.BluetoothFound) {
        state_.BluetoothInboxFolder = bluetooth_.GetBluetoothInboxFolder();
        state_.BluetoothRootFolder = bluetooth_.GetBluetoothRootFolder();
        view_.StartWatcherTimer(WatcherInterval);
    }

    UpdateStatus();
}

void MainWindow::UpdateStatus() {
    view_.SetCaption(MainCaption);
    view_.SetStatusText("");
    if (!state_.BluetoothFound) {
        view_.SetStatusText(NoBluetoothText);
        view_.SetStatusVisible(true);
    }
}

void MainWindow::FileTakenOver(const std::string&) {
    // Adding the file to the strip, showing it and the automatic actions
    // follow here as those parts of the window exist.
}

void MainWindow::SysTrayMouseEventHandler() { RunCommand(view_.PopUpMenu(TrayPopUpMenu())); }

void MainWindow::RunCommand(Command command) {
    switch (command) {
        case Command::ShowWindow:
            view_.Show();
            break;
        case Command::ExitProgram:
            ExitProgram();
            break;
        default:
            break;
    }
}

bool MainWindow::OnQueryUnload(UnloadMode mode) {
    if (mode == UnloadMode::UserClose) {
        view_.Hide();
        return true;
    }
    return false;
}

void MainWindow::ExitProgram() {
    view_.RemoveTrayIcon();
    // Open dialogs are closed here once the program has dialogs.
    view_.Unload();
}

}  // namespace qw
