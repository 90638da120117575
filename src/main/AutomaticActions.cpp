#include "main/AutomaticActions.h"

#include "main/InboxWatcher.h"
#include "shared/Paths.h"
#include "shared/Text.h"

namespace qw {

std::string CopyDestination(const std::string& copyToFolderPath, const std::string& file) {
    std::string destination = Trim(copyToFolderPath);
    if (destination.empty() || destination.back() != '\\') destination += '\\';
    return destination + ExtractFileName(file);
}

void AutomaticActions::Run(const CommandTarget& file, SettingsRecord settings) {
    const bool image = IsImageFile(file.File);
    const Picture* picture = file.Picture.get();
    // The screen saver may start or end while a message box of an earlier
    // action is open, so it is asked again at each use.
    const auto screenSaverRunning = [&] { return IsScreenSaverRunning(registry_); };

    if (!screenSaverRunning() && settings.ShowQuillwave) bringToFront_();
    if (image && picture && settings.PrintFile) commands_.PrintPicture(picture);
    // A message box was open; the user may have exited meanwhile.
    if (commands_.Exiting()) return;
    if (image && picture && settings.CopyFile) commands_.CopyPictureToClipboard(picture);
    if (!screenSaverRunning() && settings.EmailFile) commands_.EmailFileWithOutlook(file.File);
    if (commands_.Exiting()) return;
    if (image && picture && settings.DesktopBackground) commands_.UseAsDesktopBackground(picture);
    // Images received during the slide show join it, whatever the setting.
    const bool running = screenSaverRunning();
    if (image && (settings.AddFileToScreenSaver || running)) commands_.AddToScreenSaver(file.File);
    if (settings.CopyToFolder) commands_.CopyFileTo(file.File, CopyDestination(settings.CopyToFolderPath, file.File));
}

}  // namespace qw
