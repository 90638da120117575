#pragma once
// What both programs do with the settings beyond reading them: edit them in
// the settings dialog, and make the Windows screen-saver choice follow them.

#include <string>

#include "shared/Settings.h"

namespace qw {

enum class SettingsTab : int { Inbox = 0, ScreenSaver = 1 };

class SettingsEditor {
public:
    virtual ~SettingsEditor() = default;
    // EditSettings: shows the settings dialog on `startTab`, the Inbox tab
    // unavailable when `hideInboxTab`; on OK saves `record` to `settingsFile`
    // and updates it in place. An empty `settingsFile` means the settings
    // have no home yet: OK tells the user so and saves nothing.
    virtual void EditSettings(SettingsTab startTab, bool hideInboxTab, const std::string& settingsFile,
                              SettingsRecord& record) = 0;
    // Closes the dialog EditSettings is showing as its close box would, so
    // nothing is saved and EditSettings returns. An editor without an open
    // dialog has nothing to close.
    virtual void CloseSettingsDialog() {}
};

class ScreenSaverInstaller {
public:
    virtual ~ScreenSaverInstaller() = default;
    // Makes this screen saver the Windows screen saver. A failing registry
    // write reaches the caller.
    virtual void InstallScreenSaver() = 0;
    // Removes the Windows choice when it names this screen saver; silent on
    // every failure and when it names another one.
    virtual void RemoveScreenSaver() = 0;
};

// Installs or removes as `UseScreenSaver` says.
inline void ApplyScreenSaverSetting(ScreenSaverInstaller& installer, const SettingsRecord& settings) {
    if (settings.UseScreenSaver)
        installer.InstallScreenSaver();
    else
        installer.RemoveScreenSaver();
}

}  // namespace qw
