#include "main/TaskPane.h"

#include <algorithm>
#include <stdexcept>

#include "shared/Paths.h"

namespace qw {

const std::vector<std::string>& PaneIconKeys() {
    static const std::vector<std::string> keys{
        "ICON_VIEW",  "ICON_SETTINGS", "ICON_ADD_TO_SCREEN_SAVER", "ICON_SCREEN_SAVER",
        "ICON_PRINT", "ICON_FOLDER",   "ICON_SAVE",                "ICON_DELETE",
        "ICON_CLIPBOARD", "ICON_DESKTOP", "ICON_EMAIL"};
    return keys;
}

int PaneIconIndex(const std::string& iconKey) {
    const auto& keys = PaneIconKeys();
    auto it = std::find(keys.begin(), keys.end(), iconKey);
    if (it == keys.end()) throw std::invalid_argument("no icon with the key " + iconKey);
    return static_cast<int>(it - keys.begin());
}

const std::vector<PaneBar>& PaneBars() {
    static const std::vector<PaneBar> bars{
        {"InboxBar",
         "Inbox",
         {{"InboxViewFilesBarItem", "View Files", "ICON_VIEW", Command::ShowInbox},
          {"InboxSettingsBarItem", "Settings", "ICON_SETTINGS", Command::ShowInboxSettings}}},
        {"ScreenSaverBar",
         "Screen Saver",
         {{"ScreenSaverViewFilesBarItem", "View Files", "ICON_VIEW", Command::ShowScreenSaverImages},
          {"AddImageToScreenSaverFromFileScreenSaverBarItem", "Add Image From File", "ICON_ADD_TO_SCREEN_SAVER",
           Command::AddImageFromFile},
          {"PreviewScreenSaverBarItem", "Preview", "ICON_SCREEN_SAVER", Command::PreviewScreenSaver},
          {"ScreenSaverSettingsBarItem", "Settings", "ICON_SETTINGS", Command::ShowScreenSaverSettings}}},
        {"FileBar",
         "File",
         {{"FilePrintBarItem", "Print", "ICON_PRINT", Command::PrintCurrentPicture},
          {"MoveBarItem", "Move", "ICON_FOLDER", Command::MoveCurrentFile},
          {"SaveAsBarItem", "Save As", "ICON_SAVE", Command::SaveCurrentFileAs},
          {"DeleteBarItem", "Delete", "ICON_DELETE", Command::DeleteCurrentFile},
          {"ClipboardBarItem", "Copy To Clipboard", "ICON_CLIPBOARD", Command::CopyPictureToClipboard},
          {"DesktopBarItem", "Use As Desktop Background", "ICON_DESKTOP", Command::UseAsDesktopBackground},
          {"EmailBarItem", "Email", "ICON_EMAIL", Command::EmailCurrentFile},
          {"AddToScreenSaverBarItem", "Add To Screen Saver", "ICON_ADD_TO_SCREEN_SAVER",
           Command::AddCurrentFileToScreenSaver}}},
    };
    return bars;
}

Command DispatchPaneItem(const std::string& itemKey) {
    // Compared in this order; the first match runs.
    static const std::pair<const char*, Command> order[] = {
        {"InboxViewFilesBarItem", Command::ShowInbox},
        {"InboxSettingsBarItem", Command::ShowInboxSettings},
        {"ScreenSaverViewFilesBarItem", Command::ShowScreenSaverImages},
        {"PreviewScreenSaverBarItem", Command::PreviewScreenSaver},
        {"ScreenSaverSettingsBarItem", Command::ShowScreenSaverSettings},
        {"FilePrintBarItem", Command::PrintCurrentPicture},
        {"MoveBarItem", Command::MoveCurrentFile},
        {"SaveAsBarItem", Command::SaveCurrentFileAs},
        {"DeleteBarItem", Command::DeleteCurrentFile},
        {"ClipboardBarItem", Command::CopyPictureToClipboard},
        {"DesktopBarItem", Command::UseAsDesktopBackground},
        {"EmailBarItem", Command::EmailCurrentFile},
        {"AddToScreenSaverBarItem", Command::AddCurrentFileToScreenSaver},
        {"AddImageToScreenSaverFromFileScreenSaverBarItem", Command::AddImageFromFile},
    };
    for (const auto& [key, command] : order)
        if (itemKey == key) return command;
    return Command::None;
}

FileCase FileCaseOf(const std::string& path, bool bluetoothFound) {
    if (path.empty() || !bluetoothFound) return FileCase::NoFile;
    return IsImageFile(path) ? FileCase::Image : FileCase::Document;
}

std::vector<FileCommandState> FileCommandStates(FileCase fileCase, bool inboxShown, std::uint32_t itemTextColor) {
    struct Row {
        Command Runs;
        const char* ItemKey;
        bool Document;  // on for a document
        bool Image;     // on for an image
    };
    static const Row rows[] = {
        {Command::PrintCurrentPicture, "FilePrintBarItem", false, true},
        {Command::MoveCurrentFile, "MoveBarItem", true, true},
        {Command::SaveCurrentFileAs, "SaveAsBarItem", true, true},
        {Command::DeleteCurrentFile, "DeleteBarItem", true, true},
        {Command::CopyPictureToClipboard, "ClipboardBarItem", false, true},
        {Command::UseAsDesktopBackground, "DesktopBarItem", false, true},
        {Command::EmailCurrentFile, "EmailBarItem", true, true},
        {Command::AddCurrentFileToScreenSaver, "AddToScreenSaverBarItem", false, true},
    };
    std::vector<FileCommandState> states;
    for (const Row& row : rows) {
        bool on = false;
        if (fileCase == FileCase::Document) on = row.Document;
        if (fileCase == FileCase::Image)
            on = row.Image && (row.Runs != Command::AddCurrentFileToScreenSaver || inboxShown);
        // Every item's colour follows its state, documents included, so an
        // item that does nothing never looks as if it did something.
        states.push_back({row.Runs, row.ItemKey, on, on ? itemTextColor : SilverColor});
    }
    return states;
}

}  // namespace qw
