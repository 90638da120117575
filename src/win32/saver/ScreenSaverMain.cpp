// Entry point of quillwavess.scr: the adapters, the slide-show window and the
// program, which answers the switch Windows started it with; then, while a
// slide show runs, the message loop that drives it on this one thread.
#include <windows.h>

#include <string>

#include "saver/ScreenSaverProgram.h"
#include "shared/RegistryValues.h"
#include "shared/ScreenSaverRegistration.h"
#include "shared/SettingsDialog.h"
#include "win32/CommonDialogs.h"
#include "win32/SettingsWindow.h"
#include "win32/kit/Styles.h"
#include "win32/kit/Utf.h"
#include "win32/WicPictures.h"
#include "win32/Win32Ansi.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32Registry.h"
#include "win32/Win32System.h"
#include "win32/kit/Window.h"
#include "win32/saver/ExitListener.h"
#include "win32/saver/SlideShowWindow.h"
#include "win32/saver/Win32SaverProcess.h"
#include "win32/saver/Win32SaverWindows.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    qw::win32::InitStyles();
    try {
        qw::win32::Win32SaverProcess process;  // first: it marks the process as running
        qw::win32::Win32FileSystem files;
        qw::win32::Win32Registry registry;
        qw::win32::Win32Ansi ansi;
        qw::win32::WicPictureLoader pictures;  // initialises COM for this thread
        qw::win32::Win32Clock clock;
        qw::win32::Win32MessageBoxes messages;
        qw::win32::Win32FolderPicker folderPicker;
        qw::win32::Win32ColorPicker colorPicker;
        qw::win32::Win32ShortPaths shortPaths;
        qw::win32::Win32ScreenSaverPlatform saverPlatform;
        // The main program's folder, which the screen saver's file may stand
        // beside; unknown until the main program has run once.
        std::string mainProgramFolder;
        try {
            mainProgramFolder = registry.ReadText(qw::ApplicationPathValue);
        } catch (const std::exception&) {
        }
        qw::ScreenSaverRegistration installer({registry, files, shortPaths, saverPlatform, messages},
                                              mainProgramFolder);
        qw::SettingsDialogEditor settings(qw::win32::SettingsWindow::Maker(instance, nullptr), files,
                                          {messages, folderPicker, colorPicker, clock, shortPaths, ansi});

        qw::ScreenSaverProgram* program = nullptr;
        const qw::win32::CurrentShow show = [&program] { return program ? program->Show() : nullptr; };
        qw::win32::SlideShowWindow window(instance, show, [&program] {
            if (program) program->OnWindowClosed();
        });
        qw::win32::Win32SaverWindows windows(instance, window, show);
        qw::ScreenSaverProgram saver(window, qw::SaverPorts{files, registry, ansi, pictures, clock, messages,
                                                            settings, installer, process, windows});
        program = &saver;
        // However this scope is left, the windows that outlive the program
        // for a moment no longer reach it.
        struct Unlink {
            qw::ScreenSaverProgram*& program;
            ~Unlink() { program = nullptr; }
        } unlink{program};
        const qw::win32::ExitListener exitListener(instance, [&program] {
            if (program) program->OnExitRequest();
        });

        // The switch follows the program's own path on the command line.
        if (saver.Main(qw::win32::Narrow(GetCommandLineW())) == qw::AfterMain::End) return 0;
        MSG message;
        // The slide show or the preview ends the process from within.
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        return 0;
    } catch (const std::exception& e) {
        // A part of Windows the screen saver cannot do without (the imaging
        // component) is missing, or its window could not be made.
        qw::win32::ShowUnexpectedError(nullptr, e.what());
        return 1;
    }
}
