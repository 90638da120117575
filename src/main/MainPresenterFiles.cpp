// The current file and the folder on show: the preview, the file label, the
// file commands' states and the switch between the inbox and the
// screen-saver folder.

#include "main/FromOutside.h"
#include "main/MainLayout.h"
#include "main/MainPresenter.h"
#include "shared/Paths.h"

namespace qw {

namespace {

// The three lines shown for a file that is not shown as a picture.
std::string FileInfoText(const FileItem& file) {
    return file.Type + "\r\n" + ShownName(file.Name) + "\r\n(" + std::to_string(file.Size) + " bytes) ";
}

}  // namespace

void MainPresenter::ShowFile(const std::string& path) {
    if (!state_.BluetoothFound) {
        view_.SetPreviewVisible(false);
        return;
    }
    const FileItem file = ports_.Files.GetFile(path);
    // A file on show in the strip is not read a second time: an arrival is
    // both listed there and shown here.
    std::shared_ptr<const Picture> picture = strip_.PictureOnShow(file.Path);
    if (!picture && IsImageFile(file.Path)) {
        try {
            picture = ports_.Pictures.Load(file.Path);
        } catch (const PictureError&) {
            // A damaged picture is described in words rather than shown broken.
        }
    }
    if (picture) {
        view_.SetPreviewVisible(true);
        view_.SetPreviewSize({0, 0});
        preview_ = picture;
        view_.SetPreviewPicture(picture);
        const Resolution resolution = ports_.DisplayResolution();
        const PixelSize box = PreviewBox(view_.ClientWidth(), view_.ClientHeight(), Scale::Of(resolution));
        view_.SetPreviewSize(GetSize(picture.get(), resolution, box.Width, box.Height, FitMode::ShrinkOnly));
        view_.SetFileInfoVisible(false);
    } else {
        // A file whose picture did not load has none: the previous file's
        // picture must not stay behind for the commands to act on.
        preview_.reset();
        view_.SetPreviewPicture(nullptr);
        view_.SetPreviewVisible(false);
        view_.SetFileInfoVisible(true);
        view_.SetFileInfoText(FileInfoText(file));
    }
    state_.CurrentFile = path;
    strip_.SetCurrentFile(path);
    UpdateFileCommands(path);
}

void MainPresenter::UpdateFileCommands(const std::string& path) {
    view_.SetPaneRedraw(false);
    fileCommands_ =
        FileCommandStates(FileCaseOf(path, state_.BluetoothFound), state_.InboxShown, state_.ItemTextColor);
    for (const FileCommandState& command : fileCommands_) {
        view_.SetPaneItemClickable(command.ItemKey, command.On);
        view_.SetPaneItemTextColor(command.ItemKey, command.Color);
    }
    view_.SetPaneRedraw(true);
}

CommandTarget MainPresenter::CurrentTarget() const {
    return {state_.CurrentFile, state_.InboxShown, preview_};
}

void MainPresenter::ClearFile() {
    preview_.reset();
    view_.SetPreviewPicture(nullptr);
    view_.SetPreviewVisible(false);
    view_.SetFileInfoVisible(false);
    state_.CurrentFile.clear();
    strip_.SetCurrentFile("");
    UpdateFileCommands("");
}

void MainPresenter::ShowInbox() { ShowFolder(true); }

void MainPresenter::ShowScreenSaverImages() { ShowFolder(false); }

void MainPresenter::ShowFolder(bool inbox, bool listedNow) {
    // The "View Files" item of the folder on show is greyed and inert.
    const char* shown = inbox ? "InboxViewFilesBarItem" : "ScreenSaverViewFilesBarItem";
    const char* other = inbox ? "ScreenSaverViewFilesBarItem" : "InboxViewFilesBarItem";
    view_.SetPaneRedraw(false);
    view_.SetPaneItemClickable(shown, false);
    view_.SetPaneItemTextColor(shown, SilverColor);
    view_.SetPaneItemClickable(other, true);
    view_.SetPaneItemTextColor(other, state_.ItemTextColor);
    view_.SetPaneRedraw(true);
    state_.InboxShown = inbox;
    ClearFile();

    // One batch, so a large folder costs a picture load per visible slot only.
    ThumbnailStrip::Batch batch(strip_);
    strip_.DeleteAllFiles();
    for (const FileItem& file : inbox ? state_.InboxFiles : state_.ScreenSaverFiles) {
        try {
            if (listedNow)
                strip_.AddFile(file);
            else
                strip_.AddFile(file.Path);
        } catch (const std::exception&) {
            // A file deleted behind the program's back, or one beyond what
            // the strip can list, is left out; the others are still shown.
        }
    }
}

}  // namespace qw
