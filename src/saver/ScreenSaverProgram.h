#pragma once
// The screen saver's start-up: finds the main program's folder and settings,
// answers the switch Windows started it with, and starts and stops the slide
// show, telling the main program through the registry while it runs.

#include <memory>
#include <string>
#include <string_view>

#include "saver/CommandLine.h"
#include "saver/SaverPorts.h"
#include "saver/SlideShow.h"
#include "saver/SlideShowView.h"
#include "shared/FileSystem.h"
#include "shared/Pictures.h"
#include "shared/Registry.h"
#include "shared/Settings.h"
#include "shared/TextEncoding.h"

namespace qw {

inline constexpr const char* SlideShowTitle = "Quillwave! Screen Saver";
inline constexpr const char* PasswordMessage = "Password Protection is not yet available with this screen saver";
inline constexpr const char* PasswordTitle = "WARNING";

// What the entry point does once Main has returned.
enum class AfterMain {
    End,         // no window is open: the process ends
    RunWindows,  // the slide show runs until it ends the process
};

class ScreenSaverProgram {
public:
    // `view` is the slide-show window that SaverWindows opens.
    ScreenSaverProgram(SlideShowView& view, SaverPorts ports) : view_(view), ports_(ports) {}

    // The process's whole command line, the program's path included.
    AfterMain Main(std::string_view commandLine);

    bool IsScreenSaverAlreadyRunning();
    // "YES" and the process id to the registry, the pointer hidden, the other
    // monitors covered and the slide-show window over the primary screen,
    // set up at its first focus or, failing that, once it is shown.
    void StartScreenSaver();
    // "NO", the process id removed, the pointer shown again and the process
    // ended, its windows with it. Only the first call has an effect.
    void StopScreenSaver();
    // The slide-show window went away by another hand (the preview's parent
    // closed, Windows ending the session): the show ends as if stopped.
    void OnWindowClosed();
    // Another program (the setup program, before it replaces or removes the
    // files) asks every copy to end: the slide show stops as on input, the
    // preview ends, and the settings dialog closes unsaved, after which
    // configuration ends as usual.
    void OnExitRequest();

    // The slide show the window reports to; null before one is started.
    SlideShow* Show() { return show_.get(); }

private:
    void ReadApplicationFolder();
    void LoadStartSettings();
    std::string SettingsFile() const;
    std::string ScreenSaverFolder() const;
    void Configure();
    AfterMain StartPreview(const SaverCommand& command);
    std::unique_ptr<SlideShow> NewShow(SlideShow::EndRequest endRequest);
    void SetScreenSaverRunning(const std::string& value);
    void RecordProcess();

    SlideShowView& view_;
    SaverPorts ports_;
    std::string applicationFolder_;  // empty when the main program never recorded it
    SettingsRecord settings_;
    SaverMode mode_ = SaverMode::End;
    std::unique_ptr<SlideShow> show_;
    bool stopped_ = false;
    bool configuring_ = false;  // the settings dialog is open
};

}  // namespace qw
