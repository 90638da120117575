#pragma once
// A main window presenter on fakes of all its ports and views.

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fakes/FakeCommandPorts.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeMainView.h"
#include "fakes/FakePictures.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeScreenSaverPlatform.h"
#include "fakes/FakeSettingsDialog.h"
#include "fakes/FakeSystemFolders.h"
#include "fakes/FakeThumbnailView.h"
#include "main/MainPresenter.h"

namespace qw {

// No other program has the foreground; the window is never minimised.
class IdleActivation : public WindowActivation {
public:
    int broughtForward = 0;  // times a window was made the foreground
    WindowId ForegroundWindow() override { return 0; }
    std::uint32_t ThreadOfWindow(WindowId) override { return 0; }
    void AttachThreadInput(std::uint32_t, std::uint32_t, bool) override {}
    void SetForegroundWindow(WindowId) override { ++broughtForward; }
    bool IsIconic(WindowId) override { return false; }
    void ShowWindow(WindowId, ShowCommand) override {}
};

// The slide shows whose process ids are running.
class FakeSlideShows : public ScreenSaverProcesses {
public:
    std::set<std::uint32_t> running;
    bool IsScreenSaverProcess(std::uint32_t processId) override { return running.count(processId) > 0; }
};

// Opens nothing; the system counts the types of `dangerous` (".xyz") as code.
class RecordingShell : public Shell {
public:
    std::vector<std::string> opened;
    std::set<std::string> dangerous;
    void Open(const std::string& path) override { opened.push_back(path); }
    bool IsDangerousType(const std::string& extension) override { return dangerous.count(extension) > 0; }
};

class MainPresenterFixture : public ::testing::Test {
protected:
    // Creates the application folder and runs the window's load.
    MainPresenter& Started(const std::string& appFolder = "C:\\App") {
        files.AddFolder(appFolder);
        screenSaver = std::make_unique<ScreenSaverRegistration>(
            ScreenSaverPorts{registry, files, platform, platform, messages}, appFolder);
        window = std::make_unique<MainPresenter>(
            view, strip,
            MainPorts{files, registry, ansi, activation, pictures, shell, questions, settingsEditor, *screenSaver,
                      slideShows, systemFolders,
                      {messages, folderPicker, fileDialogs, printer, clipboard, wallpaper, mailer, marks}},
            appFolder);
        window->Load();
        return *window;
    }
    // The stack's inbox folder C:\BT\In and an empty root value.
    void InstallStack() {
        files.AddFolder("C:\\BT\\In");
        registry.Set(StackInboxValue, "C:\\BT\\In");
        registry.Set(StackRootValue, "");
    }

    FakeMainView view;
    FakeFileSystem files;
    FakeRegistry registry;
    Windows1252 ansi;
    IdleActivation activation;
    FakePictureLoader pictures;
    RecordingShell shell;
    RecordingQuestions questions;
    RecordingMarks marks;
    FakeSlideShows slideShows;
    FakeFileDialogs fileDialogs;
    FakePrinter printer;
    FakeClipboard clipboard;
    FakeWallpaper wallpaper;
    FakeMailer mailer;
    FakeThumbnailView stripView;
    ThumbnailStrip strip{stripView, files, pictures};
    // The settings dialog plays `dialogs.user`; the system folder is
    // C:\WINDOWS\system32 and the program C:\App\quillwave.exe.
    RecordingMessageBoxes messages;
    FakeFolderPicker folderPicker;
    FakeColorPicker colorPicker;
    FakeClock clock;
    FakeScreenSaverPlatform platform;
    FakeSettingsDialogs dialogs;
    FakeSystemFolders systemFolders;
    SettingsDialogEditor settingsEditor{dialogs.Maker(), files, {messages, folderPicker, colorPicker, clock, platform, ansi},
                                        ReceivedFolderPorts{registry, systemFolders, "C:\\App"}};
    std::unique_ptr<ScreenSaverRegistration> screenSaver;
    std::unique_ptr<MainPresenter> window;
};

}  // namespace qw
