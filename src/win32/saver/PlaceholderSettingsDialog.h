#pragma once
// PLACEHOLDER, to be replaced when the settings dialog and the Windows
// screen-saver registration are wired into this program: until then
// configuration mode ("/C") shows no dialog and changes neither the settings
// nor Windows' choice of screen saver. Nothing else depends on this class;
// the entry point is the only place that names it.

#include "shared/SettingsEditing.h"

namespace qw::win32 {

class PlaceholderSettingsDialog : public qw::SettingsEditor, public qw::ScreenSaverInstaller {
public:
    void EditSettings(qw::SettingsTab, bool, const std::string&, qw::SettingsRecord&) override {}
    void InstallScreenSaver() override {}
    void RemoveScreenSaver() override {}
};

}  // namespace qw::win32
