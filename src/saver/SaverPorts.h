#pragma once
// Everything the screen saver reaches outside itself: SaverPorts holds one
// of each. Files, registry, pictures, clock, message boxes and the settings
// dialog are shared with the main program; its own process, the mouse
// pointer and its windows are the screen saver's alone (below).

#include <cstdint>
#include <string>

#include "shared/Clock.h"
#include "shared/Dialogs.h"
#include "shared/FileSystem.h"
#include "shared/Pictures.h"
#include "shared/Registry.h"
#include "shared/SettingsEditing.h"
#include "shared/TextEncoding.h"

namespace qw {

class SaverProcess {
public:
    virtual ~SaverProcess() = default;
    // True when another process of this program is running and a visible
    // top-level window titled `windowTitle` exists; the search is made only
    // then. A window that is hidden is on its way out.
    virtual bool IsScreenSaverAlreadyRunning(const std::string& windowTitle) = 0;
    virtual std::uint32_t ProcessId() = 0;
    // One step of the pointer's display count each (ShowCursor).
    virtual void HidePointer() = 0;
    virtual void ShowPointer() = 0;
    // Ends the process at once, and with it every window of the program; no
    // further event is handled.
    virtual void EndProcess() = 0;
};

// The slide-show window is the one whose view the program was given; it
// reports its events to the program's slide show from its creation on.
class SaverWindows {
public:
    virtual ~SaverWindows() = default;
    // Covers every monitor but the primary one with a window of `background`
    // colour (0x00BBGGRR) that never takes the focus and ends the screen
    // saver on input like the slide show. Nothing on a single monitor.
    virtual void CoverOtherMonitors(std::uint32_t background) = 0;
    // Creates the slide-show window titled `title`, borderless and topmost,
    // over the whole primary screen in `background`, and shows it with the focus.
    virtual void OpenFullScreen(const std::string& title, std::uint32_t background) = 0;
    // Creates the slide-show window as a child filling the window `parent`
    // (the small monitor of the display settings) and shows it; false,
    // creating nothing, when `parent` names no window. When the parent goes
    // away the window goes with it and reports that it was closed.
    virtual bool OpenPreview(std::uint64_t parent, std::uint32_t background) = 0;
};

// The ports the screen saver is started with.
struct SaverPorts {
    qw::FileSystem& Files;
    qw::Registry& Registry;
    const AnsiCodePage& Ansi;
    PictureLoader& Pictures;
    qw::Clock& Clock;
    MessageBoxes& Messages;
    SettingsEditor& Editor;
    ScreenSaverInstaller& Installer;
    SaverProcess& Process;
    SaverWindows& Windows;
};

}  // namespace qw
