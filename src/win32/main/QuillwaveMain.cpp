// Entry point of quillwave.exe: the adapters, the main window and its
// presenter, and the message loop that drives everything on one thread.
#include <windows.h>

#include <string>

#include "main/MainPresenter.h"
#include "main/ThumbnailStrip.h"
#include "shared/ScreenSaverRegistration.h"
#include "shared/SettingsDialog.h"
#include "win32/CommonDialogs.h"
#include "win32/main/Activation.h"
#include "win32/kit/Display.h"
#include "win32/kit/Handles.h"
#include "win32/main/MainWindow.h"
#include "win32/SettingsWindow.h"
#include "win32/kit/Styles.h"
#include "win32/main/ThumbnailControl.h"
#include "win32/kit/Utf.h"
#include "win32/WicPictures.h"
#include "win32/Win32Ansi.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32Registry.h"
#include "win32/Win32ScreenSaverProcesses.h"
#include "win32/Win32System.h"
#include "win32/Win32SystemFolders.h"
#include "win32/main/Win32Clipboard.h"
#include "win32/main/Win32FileDialogs.h"
#include "win32/main/Win32Mailer.h"
#include "win32/main/Win32Printer.h"
#include "win32/main/Win32Shell.h"
#include "win32/main/Win32Wallpaper.h"
#include "win32/main/Win32ZoneMarker.h"

namespace {

// The folder of the running program, without a trailing backslash except at
// a drive root.
std::string ApplicationFolder() {
    const std::wstring path = qw::win32::ProgramFilePath();
    std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return qw::win32::Narrow(folder);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    qw::win32::InitStyles();
    // COM outlives everything the program makes below.
    const qw::win32::ComScope com;
    int exitCode = 0;
    try {
        qw::win32::Win32FileSystem files;
        qw::win32::Win32Registry registry;
        qw::win32::Win32Ansi ansi;
        qw::win32::Activation activation;
        qw::win32::WicPictureLoader pictures;
        qw::win32::Win32Shell shell;
        qw::win32::Win32MessageBoxes messages;
        qw::win32::Win32Questions questions;
        qw::win32::Win32ZoneMarker marks;
        qw::win32::Win32FolderPicker folderPicker;
        qw::win32::Win32ColorPicker colorPicker;
        qw::win32::Win32Clock clock;
        qw::win32::Win32ShortPaths shortPaths;
        qw::win32::Win32ScreenSaverPlatform saverPlatform;
        qw::win32::Win32FileDialogs fileDialogs;
        qw::win32::Win32Printer printer;
        qw::win32::Win32Clipboard clipboard;
        qw::win32::Win32Wallpaper wallpaper;
        qw::win32::Win32Mailer mailer;
        qw::win32::Win32ScreenSaverProcesses slideShows;
        qw::win32::Win32SystemFolders systemFolders;
        const std::string applicationFolder = ApplicationFolder();
        qw::ScreenSaverRegistration screenSaver({registry, files, shortPaths, saverPlatform, messages},
                                                applicationFolder);
        qw::win32::MainWindow window(instance);
        qw::SettingsDialogEditor settings(qw::win32::SettingsWindow::Maker(instance, window.Handle()), files,
                                          {messages, folderPicker, colorPicker, clock, shortPaths, ansi},
                                          qw::ReceivedFolderPorts{registry, systemFolders, applicationFolder});
        // Pictures are measured, and the layout scaled, at the main window's own resolution.
        const auto resolution = [&window] { return window.DisplayScale().AsResolution(); };
        qw::ThumbnailStrip strip(window.StripControl(), files, pictures, resolution);
        qw::MainPresenter presenter(
            window, strip,
            qw::MainPorts{files, registry, ansi, activation, pictures, shell, questions, settings, screenSaver,
                          slideShows, systemFolders,
                          {messages, folderPicker, fileDialogs, printer, clipboard, wallpaper, mailer, marks},
                          resolution},
            applicationFolder);
        window.Attach(&presenter, &strip);
        try {
            presenter.Load();
        } catch (const std::exception& e) {
            qw::win32::ShowUnexpectedError(window.Handle(), e.what());
        }
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        exitCode = static_cast<int>(message.wParam);
    } catch (const std::exception& e) {
        // A part of Windows the program cannot do without (the imaging
        // component, the common controls) is missing: say so and end.
        qw::win32::ShowUnexpectedError(nullptr, e.what());
        exitCode = 1;
    }
    return exitCode;
}
