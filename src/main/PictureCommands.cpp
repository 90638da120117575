// The commands that hand the current picture or file to a platform service:
// the printer, the clipboard, the desktop wallpaper and the mail program.

#include "main/FileCommands.h"

namespace qw {

namespace {

// Thrown for a file whose picture did not load: its commands must not fall
// back on a picture of another file.
class NoPictureError : public std::runtime_error {
public:
    NoPictureError() : std::runtime_error("the current file has no loaded picture") {}
};

const Picture& Loaded(const Picture* picture) {
    if (picture == nullptr) throw NoPictureError();
    return *picture;
}

}  // namespace

void FileCommands::PrintPicture(const Picture* picture) {
    try {
        const Picture& loaded = Loaded(picture);
        const HimetricSize size = loaded.NaturalSize();
        const TwipSize printable = ports_.Printer.BeginDocument(OrientationFor(size));
        try {
            ports_.Printer.DrawPicture(loaded, PrintRectangle(size, printable));
            ports_.Printer.EndDocument();
        } catch (const std::exception&) {
            // Nothing of a failed page reaches the paper.
            ports_.Printer.AbortDocument();
            throw;
        }
    } catch (const std::exception&) {
        Report("Could not print picture", "Print");
    }
}

void FileCommands::CopyPictureToClipboard(const Picture* picture) { ports_.Clipboard.PutPicture(Loaded(picture)); }

bool FileCommands::UseAsDesktopBackground(const Picture* picture) {
    const std::string path = folders_.Desktop() + "\\desktop.bmp";
    // Written beside and then moved over the old file, so the wallpaper file
    // is never left half-written.
    files_.ReplaceFileContents(path, ports_.Wallpaper.BitmapFile(Loaded(picture)));
    try {
        ports_.Wallpaper.SetWallpaper(path);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void FileCommands::EmailFileWithOutlook(const std::string& path) {
    try {
        // A mail the user cancelled needs no message.
        (void)ports_.Mailer.NewMailWithAttachment(path);
    } catch (const std::exception&) {
        Report("Could not start Outlook", "Outlook");
    }
}

}  // namespace qw
