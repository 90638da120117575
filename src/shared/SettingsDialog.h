#pragma once
// The settings dialog "Settings", shared by both programs:
// - SettingsDialog, the presenter, holds every rule of the dialog;
// - SettingsDialogView is the dialog as the presenter sees it, and the
//   window that shows it (SettingsWindow on Windows) implements it;
// - SettingsDialogEditor is what a program calls to edit its settings
//   (the SettingsEditor port): it makes a window, runs the presenter on it
//   and saves what the user confirms.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "shared/Clock.h"
#include "shared/Dialogs.h"
#include "shared/FileSystem.h"
#include "shared/ReceivedFolder.h"
#include "shared/Registry.h"
#include "shared/Settings.h"
#include "shared/SettingsDialogView.h"
#include "shared/SettingsEditing.h"
#include "shared/ShortPaths.h"
#include "shared/TextEncoding.h"

namespace qw {

inline constexpr unsigned ClockPreviewInterval = 1000;

struct SettingsDialogPorts {
    MessageBoxes& Messages;
    FolderPicker& Folders;
    ColorPicker& Colors;
    qw::Clock& Clock;
    qw::ShortPaths& ShortPaths;
    const AnsiCodePage& Ansi;
};

// The folder of received files is the main program's: where it is stored,
// what it must not be, and the program's own folder.
struct ReceivedFolderPorts {
    qw::Registry& Registry;
    SystemFolders& System;
    std::string ApplicationFolder;
};

class SettingsDialog {
public:
    // The dialog's creation: no result yet, every dependent control disabled,
    // "Show images using original size" selected, the clock preview running.
    // With `received`, the Inbox tab also edits the folder of received files.
    SettingsDialog(SettingsDialogView& view, SettingsDialogPorts ports, const ReceivedFolderPorts* received = nullptr);

    // Shows `startTab`, makes the "Inbox" tab unavailable when `hideInboxTab`,
    // and fills the controls from `record` (and the stored folder of received
    // files).
    void Open(SettingsTab startTab, bool hideInboxTab, const SettingsRecord& record);

    // ---- Events of the window.
    // A check box was clicked; its new state is the view's.
    void OnCheckBoxClick(SettingsControl box);
    void OnOk();
    void OnCancel();
    void OnClose();  // the close box
    void OnSelectFolder();
    void OnSelectReceivedFolder();
    void OnSelectBackgroundColor();
    void OnSelectClockColor();
    void OnClockTimer();

    // True once OK has passed every check.
    bool Confirmed() const { return confirmed_; }
    // What the controls hold, for SaveSettings. Read before the window goes.
    SettingsDialogValues Values() const;
    // The folder of received files confirmed: empty when its box is unticked.
    std::string ReceivedFolder() const;

private:
    void Fill(const SettingsRecord& record);
    bool NumbersAccepted();
    bool FolderStorable();
    bool ReceivedFolderAccepted();
    bool Storable(const std::string& text) const;
    void End(bool confirmed);

    SettingsDialogView& view_;
    SettingsDialogPorts ports_;
    const ReceivedFolderPorts* received_;
    std::int32_t backgroundColor_ = 0;
    std::int32_t clockColor_ = 0;
    bool confirmed_ = false;
};

// Makes a new, hidden settings dialog with every control in place.
using MakeSettingsWindow = std::function<std::unique_ptr<SettingsDialogView>()>;

// EditSettings for both programs.
class SettingsDialogEditor : public SettingsEditor {
public:
    SettingsDialogEditor(MakeSettingsWindow makeWindow, FileSystem& files, SettingsDialogPorts ports,
                         std::optional<ReceivedFolderPorts> received = std::nullopt)
        : makeWindow_(std::move(makeWindow)), files_(files), ports_(ports), received_(std::move(received)) {}

    // A save that fails is told to the user; `record` then holds the new
    // values, which the running program goes on using.
    void EditSettings(SettingsTab startTab, bool hideInboxTab, const std::string& settingsFile,
                      SettingsRecord& record) override;
    void CloseSettingsDialog() override;

private:
    MakeSettingsWindow makeWindow_;
    FileSystem& files_;
    SettingsDialogPorts ports_;
    std::optional<ReceivedFolderPorts> received_;
    SettingsDialog* open_ = nullptr;  // while EditSettings shows it
};

}  // namespace qw
