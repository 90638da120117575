#include "main/AutomaticActions.h"

#include <algorithm>

#include "shared/Paths.h"
#include "shared/Text.h"

namespace qw {

std::string CopyDestination(const std::string& copyToFolderPath, const std::string& file) {
    std::string destination = Trim(copyToFolderPath);
    // Windows takes "D:/Received" as well as "D:\Received".
    std::replace(destination.begin(), destination.end(), '/', '\\');
    if (destination.empty() || destination.back() != '\\') destination += '\\';
    return destination + ExtractFileName(file);
}

void AutomaticActions::Run(const CommandTarget& file, SettingsRecord settings,
                           const std::function<void(bool, bool)>& windowDecided) {
    const bool image = IsImageFile(file.File);
    const Picture* picture = file.Picture.get();
    // The screen saver may start or end while a message box of an earlier
    // action is open, so it is asked again at each use.
    const auto& screenSaverRunning = screenSaverRunning_;

    const bool runningAtFirst = screenSaverRunning();
    const bool bringsForward = !runningAtFirst && settings.ShowQuillwave;
    if (bringsForward) bringToFront_();
    if (windowDecided) windowDecided(bringsForward, runningAtFirst);
    if (image && picture && settings.PrintFile) commands_.PrintPicture(picture);
    // A message box was open; the user may have exited meanwhile.
    if (busy_.Exiting()) return;
    if (image && picture && settings.CopyFile) commands_.CopyPictureToClipboard(picture);
    if (!screenSaverRunning() && settings.EmailFile) commands_.EmailFileWithOutlook(file.File);
    if (busy_.Exiting()) return;
    // Only a desktop.bmp that cannot be written ends the sequence; whether
    // Windows then takes it as the wallpaper is not the file's concern.
    if (image && picture && settings.DesktopBackground) (void)commands_.UseAsDesktopBackground(picture);
    // Images received during the slide show join it, whatever the setting.
    const bool running = screenSaverRunning();
    if (image && (settings.AddFileToScreenSaver || running)) commands_.AddToScreenSaver(file.File);
    if (settings.CopyToFolder)
        commands_.CopyIntoFolder(file.File, CopyDestination(settings.CopyToFolderPath, file.File));
}

}  // namespace qw
