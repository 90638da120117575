#include "saver/ScreenSaverProgram.h"

#include "shared/RegistryValues.h"

namespace qw {

AfterMain ScreenSaverProgram::Main(std::string_view commandLine) {
    ReadApplicationFolder();
    LoadStartSettings();

    const SaverCommand command = ParseSaverCommand(ArgumentsOf(commandLine));
    mode_ = command.Mode;
    switch (command.Mode) {
    case SaverMode::Configure:
        Configure();
        return AfterMain::End;
    case SaverMode::Run:
        if (IsScreenSaverAlreadyRunning()) return AfterMain::End;
        StartScreenSaver();
        return AfterMain::RunWindows;
    case SaverMode::Preview:
        return StartPreview(command);
    case SaverMode::Password:
        ports_.Messages.Show(PasswordMessage, PasswordTitle, MessageIcon::Information);
        return AfterMain::End;
    case SaverMode::End:
        break;
    }
    return AfterMain::End;
}

// ---- Folder and settings.

void ScreenSaverProgram::ReadApplicationFolder() {
    try {
        applicationFolder_ = ports_.Registry.ReadText(ApplicationPathValue);
    } catch (const std::exception&) {
        // The main program has never run here: no folder, the defaults serve.
        applicationFolder_.clear();
    }
}

void ScreenSaverProgram::LoadStartSettings() {
    // Without a known folder nothing is read, and above all no settings file
    // is created in whatever folder a relative path would name.
    if (applicationFolder_.empty()) return;
    try {
        LoadSettings(ports_.Files, ports_.Ansi, SettingsFile(), settings_);
    } catch (const std::exception&) {
        // A folder that is gone or cannot be written: the defaults serve.
        settings_ = SettingsRecord{};
    }
}

std::string ScreenSaverProgram::SettingsFile() const {
    return applicationFolder_.empty() ? std::string() : applicationFolder_ + "\\settings.txt";
}

std::string ScreenSaverProgram::ScreenSaverFolder() const {
    return applicationFolder_.empty() ? std::string() : applicationFolder_ + "\\screensaver";
}

// ---- The modes.

void ScreenSaverProgram::Configure() {
    // An empty file name tells the dialog that the settings have no home yet.
    configuring_ = true;
    try {
        ports_.Editor.EditSettings(SettingsTab::ScreenSaver, true, SettingsFile(), settings_);
    } catch (...) {
        configuring_ = false;
        throw;
    }
    configuring_ = false;
    try {
        ApplyScreenSaverSetting(ports_.Installer, settings_);
    } catch (const std::exception&) {
        // Windows' choice could not be written. The process ends either way,
        // and the main program applies the setting again at its next start.
    }
}

AfterMain ScreenSaverProgram::StartPreview(const SaverCommand& command) {
    // The preview never ends on input and never tells the main program
    // anything: the user is looking at the display settings, not away.
    if (!command.Window) return AfterMain::End;
    show_ = NewShow(nullptr);
    if (!ports_.Windows.OpenPreview(*command.Window, settings_.BackgroundColor)) {
        show_.reset();
        return AfterMain::End;
    }
    show_->Opened();
    // A child of another program's dialog may never get the focus.
    show_->SetUp();
    return AfterMain::RunWindows;
}

std::unique_ptr<SlideShow> ScreenSaverProgram::NewShow(SlideShow::EndRequest endRequest) {
    return std::make_unique<SlideShow>(view_, SlideShowPorts{ports_.Files, ports_.Pictures, ports_.Clock},
                                       SlideShowSettingsFrom(settings_), ScreenSaverFolder(),
                                       std::move(endRequest));
}

// ---- Running.

bool ScreenSaverProgram::IsScreenSaverAlreadyRunning() {
    return ports_.Process.IsScreenSaverAlreadyRunning(SlideShowTitle);
}

void ScreenSaverProgram::StartScreenSaver() {
    RecordProcess();
    SetScreenSaverRunning("YES");
    ports_.Process.HidePointer();

    const auto background = static_cast<std::uint32_t>(settings_.BackgroundColor);
    // The show exists before its window, which reports its first focus
    // while it is being shown. The other monitors are covered first so the
    // slide show is the window that keeps the focus.
    show_ = NewShow([this] { StopScreenSaver(); });
    ports_.Windows.CoverOtherMonitors(background);
    ports_.Windows.OpenFullScreen(SlideShowTitle, background);
    show_->Opened();
    // Normally the focus has set the show up by now. Windows may refuse a
    // new window the foreground, and a show that waited for a focus that
    // never comes would stay blank; set-up runs only once either way.
    show_->SetUp();
}

void ScreenSaverProgram::StopScreenSaver() {
    // Input events already queued, and the window's own destruction, come
    // back here; the pointer must be shown once only.
    if (stopped_) return;
    stopped_ = true;
    SetScreenSaverRunning("NO");
    try {
        ports_.Registry.DeleteValue(ScreenSaverProcessValue);
    } catch (const std::exception&) {
        // With "NO" written the value no longer matters to anyone.
    }
    ports_.Process.ShowPointer();
    // The windows go with the process, at once. Destroyed one by one they
    // would first be hidden, and a window system may hold a hidden
    // full-screen window for seconds while it waits for its window manager;
    // a slide show started meanwhile would find it and take it for this one.
    ports_.Process.EndProcess();
}

void ScreenSaverProgram::OnWindowClosed() {
    if (mode_ == SaverMode::Run) {
        StopScreenSaver();
    } else if (!stopped_) {
        stopped_ = true;
        ports_.Process.EndProcess();
    }
}

void ScreenSaverProgram::OnExitRequest() {
    if (configuring_) {
        ports_.Editor.CloseSettingsDialog();
        return;
    }
    OnWindowClosed();
}

void ScreenSaverProgram::SetScreenSaverRunning(const std::string& value) {
    try {
        ports_.Registry.WriteText(ScreenSaverRunningValue, value);
    } catch (const std::exception&) {
        // The slide show runs all the same; the main program then merely
        // behaves as if none were running.
    }
}

void ScreenSaverProgram::RecordProcess() {
    // Written before "YES", so a reader never pairs the new "YES" with the id
    // of a slide show that died earlier.
    try {
        ports_.Registry.WriteText(ScreenSaverProcessValue, std::to_string(ports_.Process.ProcessId()));
    } catch (const std::exception&) {
        try {
            // Better no evidence, which lets "YES" count, than a dead id.
            ports_.Registry.DeleteValue(ScreenSaverProcessValue);
        } catch (const std::exception&) {
        }
    }
}

}  // namespace qw
