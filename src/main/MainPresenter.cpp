#include "main/MainPresenter.h"

#include "main/MainLayout.h"
#include "shared/Folders.h"
#include "shared/RegistryValues.h"

namespace qw {

MainPresenter::MainPresenter(MainView& view, ThumbnailStrip& strip, MainPorts ports, std::string applicationFolder)
    : view_(view),
      strip_(strip),
      ports_(std::move(ports)),
      folders_{std::move(applicationFolder)},
      bluetooth_(ports_.Registry),
      watcher_(state_, ports_.Files, ports_.Commands.Marks, folders_, busy_,
               [this](const std::string& path) { FileTakenOver(path); }),
      commands_(state_, folders_, strip_, ports_.Files, ports_.Commands,
                {[this] { return CurrentTarget(); }, [this] { ClearFile(); }, [this] { ShowScreenSaverImages(); }},
                busy_),
      actions_(
          commands_, busy_, [this] { return IsScreenSaverRunning(ports_.Registry, ports_.SlideShows); },
          [this] { BringToFront(); }),
      keyboard_(view_, strip_, [this](const std::string& itemKey) { OnPaneItemClick(itemKey); }) {
    strip_.FileClick = [this](const std::string& path) { ShowFile(path); };
    strip_.FileRightClick = [this](const std::string& path) {
        // The file becomes current before the menu opens, so its commands act on it.
        ShowFile(path);
        PopUpThumbMenu();
    };
    strip_.FileDblClick = [this](const std::string& path) {
        OpenAskingFirst(ports_.Shell, ports_.Questions, path);
    };
    strip_.FileDeleteKey = [this](const std::string&) {
        // Only while the Delete item and menu entry are on: without the stack
        // a focused thumbnail is no current file to delete.
        for (const FileCommandState& command : fileCommands_)
            if (command.Runs == Command::DeleteCurrentFile && command.On) RunCommand(command.Runs);
    };
    strip_.FileMenuKey = [this](const std::string& path) {
        ShowFile(path);
        PopUpThumbMenu(strip_.SlotOf(path));
    };
}

void MainPresenter::Load() {
    view_.RouteTrayIcon();
    view_.AddTrayIcon(MainCaption);
    // The program lives in the notification area: the window exists from
    // here on but is shown only on request.
    view_.Hide();

    // Start-up goes on when a step fails: a program without its registry
    // value, its settings or one of its lists still takes files over, which
    // matters more than reporting the step.
    try {
        ports_.Registry.WriteText(ApplicationPathValue, folders_.Application);
    } catch (const std::exception&) {
        // The screen saver then finds the folder of an earlier start, if any.
    }

    // The controls' fixed places are the view's own (MainLayout.h).
    view_.SetStatusVisible(false);
    BuildTaskPane();

    try {
        LoadSettings(ports_.Files, ports_.Ansi, folders_.SettingsFile(), state_.CurrentSettings);
    } catch (const std::exception&) {
        state_.CurrentSettings = SettingsRecord{};  // an unreadable file counts as none
    }
    ApplyScreenSaverChoice();

    EnsureFolder(ports_.Files, folders_.Inbox());
    try {
        FillCollection(ports_.Files, state_.InboxFiles, folders_.Inbox());
    } catch (const std::exception&) {
        // An inbox that cannot be listed starts empty; received files still arrive.
    }
    EnsureFolder(ports_.Files, folders_.ScreenSaver());
    try {
        FillCollection(ports_.Files, state_.ScreenSaverFiles, folders_.ScreenSaver());
    } catch (const std::exception&) {
    }
    EnsureFolder(ports_.Files, folders_.Desktop());
    ShowFolder(true, true);

    state_.LastFolder = folders_.Application;

    stackFound_ = bluetooth_.ReadBluetoothFolders();
    if (stackFound_) {
        state_.BluetoothInboxFolder = bluetooth_.GetBluetoothInboxFolder();
        state_.BluetoothRootFolder = bluetooth_.GetBluetoothRootFolder();
    }
    FindReceivedFiles();

    UpdateStatus();
}

void MainPresenter::BuildTaskPane() {
    for (const PaneBar& bar : PaneBars()) {
        view_.AddPaneBar(bar.Key, bar.Title);
        for (const PaneItem& item : bar.Items)
            view_.AddPaneItem(bar.Key, item.Key, item.Caption, PaneIconIndex(item.IconKey));
    }
    state_.ItemTextColor = view_.PaneItemTextColor(ItemColorReference);
}

void MainPresenter::UpdateStatus() {
    view_.SetCaption(MainCaption);
    view_.SetStatusText("");
    if (!state_.BluetoothFound) {
        view_.SetStatusText(NoBluetoothText);
        view_.SetStatusVisible(true);
    }
}

void MainPresenter::FileTakenOver(const std::string& path) {
    if (state_.InboxShown)
        strip_.AddFile(path);
    else
        ShowInbox();
    ShowFile(path);
    // The pass keeps this file and its picture even when another file
    // becomes current while one of its message boxes is open.
    actions_.Run(CurrentTarget(), state_.CurrentSettings, [&](bool broughtForward, bool screenSaverRunning) {
        // Told before the other actions, whose message boxes may wait for the user.
        if (const auto text = notices_.FileTakenOver(path, broughtForward, screenSaverRunning))
            view_.ShowTrayNotice(NoticeTitle, *text);
    });
}

void MainPresenter::OnNoticeClick() {
    RunCommand(Command::ShowWindow);
    const std::string file = notices_.LastFile();
    if (file.empty()) return;
    if (!state_.InboxShown) ShowInbox();
    // A file moved or deleted since the notice is no longer there to show.
    if (state_.InboxFiles.Contains(file)) ShowFile(file);
}

void MainPresenter::OnTrayIconClick() { RunCommand(view_.PopUpMenu(TrayPopUpMenu(), true)); }

void MainPresenter::PopUpThumbMenu(int slot) {
    // The watcher goes on ticking while the menu is open and an arrival
    // becomes current; the chosen entry still acts on the file the menu was
    // opened for. Every entry of this menu is a file command.
    const CommandTarget target = CurrentTarget();
    const Menu menu = ThumbMenu(fileCommands_);
    commands_.Run(slot ? view_.PopUpMenuAtThumbnail(menu, slot) : view_.PopUpMenu(menu, false), target);
}

void MainPresenter::OnPreviewMouseUp(int button) {
    if (button == 2) PopUpThumbMenu();
}

void MainPresenter::OnPaneItemClick(const std::string& itemKey) { RunCommand(DispatchPaneItem(itemKey)); }

void MainPresenter::RunCommand(Command command) {
    switch (command) {
        case Command::ShowWindow:
            view_.Show();
            keyboard_.FocusAfterShow();
            break;
        case Command::ExitProgram:
            ExitProgram();
            break;
        case Command::ShowInbox:
            ShowInbox();
            break;
        case Command::ShowScreenSaverImages:
            ShowScreenSaverImages();
            break;
        case Command::ShowInboxSettings:
            ShowInboxSettings();
            break;
        case Command::ShowScreenSaverSettings:
            ShowScreenSaverSettings();
            break;
        case Command::PreviewScreenSaver:
            PreviewScreenSaver();
            break;
        default:
            // The file commands of the File bar and the thumbnail menu, and
            // "Add Image From File".
            commands_.Run(command);
            break;
    }
}

bool MainPresenter::OnQueryUnload(UnloadMode mode) {
    if (mode == UnloadMode::UserClose) {
        view_.Hide();
        return true;
    }
    return false;
}

void MainPresenter::ExitProgram() {
    // A dialog or message box still open closes with the window; whatever
    // opened it finds the program exiting when it returns and stops there.
    busy_.AskExit();
    view_.RemoveTrayIcon();
    if (busy_.IsOpen(Busy::Work::SettingsDialog)) {
        // The icon menu works while the settings dialog is open; the dialog
        // closes unsaved and its command ends the program once it has gone.
        ports_.Settings.CloseSettingsDialog();
        return;
    }
    view_.Unload();
}

void MainPresenter::OnResize(int clientWidth, int clientHeight) {
    const Resolution resolution = ports_.DisplayResolution();
    const PixelSize picture = preview_ ? PictureSizeInPixels(*preview_, resolution) : PixelSize{0, 0};
    const MainLayout layout = LayoutFor(clientWidth, clientHeight, picture, Scale::Of(resolution));
    if (layout.StripWidth) view_.SetStripWidth(*layout.StripWidth);
    view_.SetPreviewSize(layout.Preview);
    view_.SetPaneHeight(layout.PaneHeight);
    view_.SetLabelSizes(layout.FileInfo, layout.Info);
}

}  // namespace qw
