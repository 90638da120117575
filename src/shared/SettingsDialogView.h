#pragma once
// The settings dialog as its presenter sees it: setters and getters of the
// controls only. The window decides nothing; it reports clicks, buttons and
// timer ticks to the presenter (SettingsDialog.h).

#include <cstdint>
#include <string>

#include "shared/Settings.h"
#include "shared/SettingsEditing.h"

namespace qw {

class SettingsDialog;

// The controls whose state the presenter sets or reads. The old form's
// names, which the rules of the dialog use, are on the right.
enum class SettingsControl {
    // "Inbox" tab
    ShowWindowBox,         // chkShowQuillwave
    PrintBox,              // chkPrintFile
    ClipboardBox,          // chkCopyFile
    EmailBox,              // chkEmailFile
    WallpaperBox,          // chkDesktopBackground
    AddToScreenSaverBox,   // chkAddFileToScreenSaver
    CopyToFolderBox,       // chkCopyToFolder
    CopyFolderText,        // txtCopyToFolder
    BrowseCopyFolder,      // cmdSelectFolder
    ReceivedFolderBox,     // "Also take over files saved to this folder:"
    ReceivedFolderText,    // read-only: the folder's path
    BrowseReceivedFolder,  // "Browse..."
    // "Screen Saver" tab
    UseScreenSaverBox,     // chkUseScreenSaver
    OriginalSizeOption,    // optDoNotResizeImages
    ResizeOption,          // optResizeImages
    ColumnsText,           // txtNoOfImagesX
    RowsText,              // txtNoOfImagesY
    SecondsText,           // txtShowImagesForSeconds
    ShowClockBox,          // chkShowClock; the last: the window keeps one handle per control
};

class SettingsDialogView {
public:
    virtual ~SettingsDialogView() = default;

    // Check boxes (...Box). Setting a state does not report a click back.
    virtual void SetCheck(SettingsControl box, CheckState state) = 0;
    virtual CheckState Check(SettingsControl box) const = 0;
    virtual void SetEnabled(SettingsControl control, bool enabled) = 0;
    // Text boxes (...Text).
    virtual void SetText(SettingsControl textBox, const std::string& text) = 0;
    virtual std::string Text(SettingsControl textBox) const = 0;
    // The option pair: ResizeOption selected (true) or OriginalSizeOption (false).
    virtual void SetResizeImages(bool resize) = 0;
    virtual bool ResizeImages() const = 0;

    virtual void SelectTab(SettingsTab tab) = 0;
    // An unavailable "Inbox" tab cannot be chosen.
    virtual void SetInboxTabAvailable(bool available) = 0;

    // Colours are 0x00BBGGRR: the swatch lblBackgroundColor and the clock
    // preview lblClock, which shows the clock as the slide show will.
    virtual void SetSwatchColor(std::int32_t color) = 0;
    virtual void SetClockBackColor(std::int32_t color) = 0;
    virtual void SetClockTextColor(std::int32_t color) = 0;
    virtual void SetClockText(const std::string& text) = 0;
    // The timer tmrClock; its ticks come back as SettingsDialog::OnClockTimer.
    virtual void StartClockTimer(unsigned milliseconds) = 0;
    virtual void StopClockTimer() = 0;

    // Shows the dialog modally over its owner, forwarding every event to
    // `presenter`, and returns once the presenter has hidden it. The window
    // exists from its creation to its destruction, so the presenter can fill
    // it before it is shown and read it after it is hidden.
    virtual void ShowModal(SettingsDialog& presenter) = 0;
    // Hides the dialog, which ends its modal display; `confirmed` after a
    // successful OK, false after Cancel and the close box.
    virtual void Hide(bool confirmed) = 0;
};

}  // namespace qw
