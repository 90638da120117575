// The settings commands of the main window and the Windows screen-saver
// choice that follows the settings.

#include "main/MainWindow.h"

namespace qw {

void MainWindow::ShowSettings(SettingsTab startTab) {
    // The icon menu still works while the dialog is open; one dialog at a
    // time, so a second request leaves the open one as it is.
    if (settingsOpen_) return;
    settingsOpen_ = true;
    try {
        ports_.Settings.EditSettings(startTab, false, folders_.SettingsFile(), state_.CurrentSettings);
    } catch (...) {
        settingsOpen_ = false;
        throw;
    }
    settingsOpen_ = false;
    if (exitPending_) {
        view_.Unload();
        return;
    }
    // Also after Cancel: the Windows choice may have been changed meanwhile
    // in the display settings, and the program's own choice wins.
    ApplyScreenSaverChoice();
    UpdateStatus();
}

void MainWindow::ApplyScreenSaverChoice() {
    try {
        ApplyScreenSaverSetting(ports_.ScreenSaver, state_.CurrentSettings);
    } catch (const std::exception&) {
        // Windows keeps its previous screen saver; the next start or the
        // next settings dialog tries again. Nothing else depends on it.
    }
}

void MainWindow::PreviewScreenSaver() { ports_.ScreenSaver.PreviewScreenSaver(); }

}  // namespace qw
