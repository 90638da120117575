#pragma once

namespace qw {

// What the task pane, the thumbnail menu and the icon menu can run.
enum class Command {
    None,
    ShowInbox,
    ShowInboxSettings,
    ShowScreenSaverImages,
    AddImageFromFile,
    PreviewScreenSaver,
    ShowScreenSaverSettings,
    PrintCurrentPicture,
    MoveCurrentFile,
    SaveCurrentFileAs,
    DeleteCurrentFile,
    CopyPictureToClipboard,
    UseAsDesktopBackground,
    EmailCurrentFile,
    AddCurrentFileToScreenSaver,
    ShowWindow,    // "Show Quillwave!..."
    ExitProgram,   // "Exit Quillwave!"
};

}  // namespace qw
