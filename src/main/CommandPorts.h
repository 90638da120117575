#pragma once
// The platform services the file commands reach: the common file dialogs,
// the clipboard, the desktop wallpaper and the mail program, together with
// the message boxes, the folder picker and the printer. Each port reports a
// missing or failing service by throwing a std::exception; the commands
// decide what the user is told.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "main/FromOutside.h"
#include "main/Printing.h"
#include "shared/Dialogs.h"
#include "shared/Pictures.h"

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

}  // namespace qw
