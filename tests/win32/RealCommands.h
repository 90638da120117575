#pragma once
// The core's FileCommands on the real Win32 file system, clipboard,
// wallpaper, printer and mailer, in a fresh application folder. The dialogs
// and message boxes are fakes that tests answer.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "PictureFiles.h"
#include "TempFolder.h"
#include "fakes/FakeCommandPorts.h"
#include "fakes/FakeThumbnailView.h"
#include "main/FileCommands.h"
#include "win32/Win32FileSystem.h"
#include "win32/WicPictures.h"
#include "win32/main/Win32Clipboard.h"
#include "win32/main/Win32Mailer.h"
#include "win32/main/Win32Printer.h"
#include "win32/main/Win32Wallpaper.h"
#include "win32/main/Win32ZoneMarker.h"

namespace qw::test {

// Red, blue / green, white quadrants: a picture whose every corner is told apart.
inline Colour Quadrant(int x, int y, int width, int height) {
    if (y < height / 2) return x < width / 2 ? kRed : kBlue;
    return x < width / 2 ? kGreen : kWhite;
}

class RealCommands : public ::testing::Test {
protected:
    RealCommands() {
        for (const wchar_t* folder : {L"inbox", L"screensaver", L"desktop"})
            CreateDirectoryW((app / folder).c_str(), nullptr);
    }

    std::string Inbox(const std::string& name) const { return app.Path() + "\\inbox\\" + name; }
    // Puts a file into the inbox, lists it and makes it the file commands act on.
    void Current(const std::string& name, const std::string& content = "beamed") {
        WriteText(Inbox(name), content);
        state.InboxFiles.InsertFront(files.GetFile(Inbox(name)));
        state.CurrentFile = Inbox(name);
        current = {Inbox(name), true, nullptr};
    }
    // A 64 x 48 quadrant picture in the inbox, loaded as the preview loads it.
    std::shared_ptr<const Picture> QuadrantPicture(const std::string& name = "quadrants.bmp") {
        EncodePicture(Inbox(name), Format::Bmp, 64, 48,
                                [](int x, int y) { return Quadrant(x, y, 64, 48); });
        return pictures.Load(Inbox(name));
    }
    std::vector<std::string> Listed(const FileList& list) const {
        std::vector<std::string> paths;
        for (const FileItem& item : list) paths.push_back(item.Path);
        return paths;
    }

    TempFolder app{L"qw app \u00e9\u5199 "};
    TempFolder elsewhere{L"qw \u03b5\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac "};
    win32::Win32FileSystem files;
    win32::WicPictureLoader pictures;
    FakeThumbnailView view;
    ThumbnailStrip strip{view, files, pictures};
    MainState state;
    RecordingMessageBoxes messages;
    FakeFolderPicker folders;
    FakeFileDialogs dialogs;
    win32::Win32Printer printer;
    win32::Win32Clipboard clipboard;
    win32::Win32Wallpaper wallpaper;
    win32::Win32Mailer mailer;
    win32::Win32ZoneMarker marks;
    CommandTarget current;
    Busy busy;
    // The commands on the fixture's state, telling the user through `boxes`.
    FileCommands CommandsWith(MessageBoxes& boxes) {
        return FileCommands(state, AppFolders{app.Path()}, strip, files,
                            FileCommandPorts{boxes, folders, dialogs, printer, clipboard, wallpaper, mailer, marks},
                            CommandWindow{[this] { return current; }, [this] { state.CurrentFile.clear(); }, [] {}},
                            busy);
    }
    FileCommands commands = CommandsWith(messages);
};

}  // namespace qw::test
