#pragma once
// Everything the main program reaches outside itself, each behind a port
// that reports a missing or failing service by throwing a std::exception
// (the callers decide what the user is told). MainPorts holds one of each;
// FileCommandPorts is the part the file commands use. The printer and the
// window activation keep their ports beside the layout and the rule they
// serve (Printing.h, WindowActivation.h); those shared with the screen saver
// are in src/shared.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "main/Printing.h"
#include "main/WindowActivation.h"
#include "shared/Dialogs.h"
#include "shared/FileSystem.h"
#include "shared/Pictures.h"
#include "shared/ReceivedFolder.h"
#include "shared/Registry.h"
#include "shared/ScreenSaverRegistration.h"
#include "shared/ScreenSaverState.h"
#include "shared/SettingsEditing.h"
#include "shared/TextEncoding.h"

namespace qw {

// The common dialog's flags the commands use.
inline constexpr std::uint32_t AskBeforeOverwriting = 2;
inline constexpr std::uint32_t FileMustExist = 4096;

struct FileDialogOptions {
    std::string Filter;      // "Description|pattern" pairs, e.g. "All Files (*.*)|*.*"
    std::uint32_t Flags = 0;
    std::string FileName;    // what the dialog opens with; may be empty
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Modal save and open dialogs: the chosen path, or nothing when the user
    // cancelled. Throws when the dialog cannot be shown or fails.
    virtual std::optional<std::string> ShowSave(const FileDialogOptions& options) = 0;
    virtual std::optional<std::string> ShowOpen(const FileDialogOptions& options) = 0;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Empties the clipboard and puts the picture on it as a bitmap. Throws on failure.
    virtual void PutPicture(const Picture& picture) = 0;
};

class Wallpaper {
public:
    virtual ~Wallpaper() = default;
    // The picture as the bytes of a Windows bitmap file. Throws on failure.
    virtual std::vector<std::uint8_t> BitmapFile(const Picture& picture) = 0;
    // Makes the bitmap file the desktop wallpaper, stored in the user's
    // profile and announced to every window. Throws when Windows refuses.
    virtual void SetWallpaper(const std::string& bitmapPath) = 0;
};

enum class MailResult {
    Shown,      // the new mail is open for the user to complete and send
    Cancelled,  // the user closed it; nothing to report
};

class Mailer {
public:
    virtual ~Mailer() = default;
    // Opens a new mail with the file attached, shown to the user and not
    // modal where the mail program allows. Throws when no mail program can
    // be started or it fails.
    virtual MailResult NewMailWithAttachment(const std::string& path) = 0;
};

// Opening a file with the program Windows associates with its type, and
// what Windows knows of the type.
class Shell {
public:
    virtual ~Shell() = default;
    // Nothing is reported when Windows cannot open the file.
    virtual void Open(const std::string& path) = 0;
    // The system's own answer to whether opening a file of the type (".exe")
    // can run code. Throws when the system cannot tell.
    virtual bool IsDangerousType(const std::string& extension) = 0;
};

// Marks files with the zone of the address they came from.
class ZoneMarker {
public:
    enum class Verdict {
        Kept,     // marked, or the volume holds no marks: the file stays
        Refused,  // the virus scanner or the system's policy refused the file
    };
    virtual ~ZoneMarker() = default;
    // Marks the file as coming from `source` and lets the system's virus
    // scanner look at it. Throws when the mark cannot be written; a volume
    // without room for marks (no alternate streams) is no failure.
    virtual Verdict MarkFromOutside(const std::string& path, const std::string& source) = 0;
};

struct FileCommandPorts {
    MessageBoxes& Messages;
    FolderPicker& Folders;
    FileDialogs& Dialogs;
    qw::Printer& Printer;
    qw::Clipboard& Clipboard;
    qw::Wallpaper& Wallpaper;
    qw::Mailer& Mailer;
    ZoneMarker& Marks;
};

// The ports the main program is started with.
struct MainPorts {
    qw::FileSystem& Files;
    qw::Registry& Registry;
    const AnsiCodePage& Ansi;
    WindowActivation& Activation;
    PictureLoader& Pictures;
    qw::Shell& Shell;
    qw::Questions& Questions;  // before a received file that can run code is opened
    // ---- The settings dialog and the Windows screen-saver choice.
    SettingsEditor& Settings;
    ScreenSaverRegistration& ScreenSaver;  // install, remove, preview
    ScreenSaverProcesses& SlideShows;      // whether a "YES" is a live slide show's
    SystemFolders& System;                 // what the folder of received files must not be
    // ---- The file commands' dialogs and platform services.
    FileCommandPorts Commands;
    std::function<Resolution()> DisplayResolution = [] { return Resolution{}; };
};

}  // namespace qw
