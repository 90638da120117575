// The settings commands of the main window and the Windows screen-saver
// choice that follows the settings.

#include "main/MainPresenter.h"

#include "shared/Text.h"

namespace qw {

void MainPresenter::ShowSettings(SettingsTab startTab) {
    // The icon menu still works while the dialog is open; one dialog at a
    // time, so a second request leaves the open one as it is.
    {
        const Busy::Scope dialog = busy_.Enter(Busy::Work::SettingsDialog);
        if (!dialog) return;
        ports_.Settings.EditSettings(startTab, false, folders_.SettingsFile(), state_.CurrentSettings);
    }
    if (busy_.ExitWaitsForSettings()) {
        view_.Unload();
        return;
    }
    // Also after Cancel: the Windows choice may have been changed meanwhile
    // in the display settings, and the program's own choice wins.
    ApplyScreenSaverChoice();
    FindReceivedFiles();
    UpdateStatus();
    UpdateFileCommands(state_.CurrentFile);
}

// Received files are taken over when the stack is there or a folder of
// received files is set; the folder counts only while it holds nothing else
// (a value written by other hands may name Documents), and the watcher runs
// from the first time either is there.
void MainPresenter::FindReceivedFiles() {
    const std::string folder = ReadReceivedFolder(ports_.Registry);
    const KnownFolders known{folders_.Application, Trim(state_.CurrentSettings.CopyToFolderPath),
                             state_.BluetoothInboxFolder, state_.BluetoothRootFolder};
    const bool usable = !folder.empty() && !HoldsOtherFiles(ports_.System, folder, known);
    state_.ReceivedFilesFolder = usable ? folder : std::string();
    state_.BluetoothFound = stackFound_ || usable;
    if (state_.BluetoothFound && !watcherStarted_) {
        view_.StartWatcherTimer(WatcherInterval);
        watcherStarted_ = true;
    }
}

void MainPresenter::ApplyScreenSaverChoice() {
    try {
        ApplyScreenSaverSetting(ports_.ScreenSaver, state_.CurrentSettings);
    } catch (const std::exception&) {
        // Windows keeps its previous screen saver; the next start or the
        // next settings dialog tries again. Nothing else depends on it.
    }
}

void MainPresenter::PreviewScreenSaver() { ports_.ScreenSaver.PreviewScreenSaver(); }

}  // namespace qw
