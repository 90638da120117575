#include "main/Menus.h"

#include "main/TaskPane.h"

namespace qw {

Menu TrayPopUpMenu() {
    return {
        {Command::ShowWindow, "Show Quillwave!...", true},
        {Command::None, "-", true},
        {Command::ShowInboxSettings, "Inbox Settings...", true},
        {Command::ShowScreenSaverSettings, "Screen Saver Settings...", true},
        {Command::None, "-", true},
        {Command::ExitProgram, "Exit Quillwave!", true},
    };
}

Menu ThumbMenu(const std::vector<FileCommandState>& states) {
    auto enabled = [&](Command command) {
        for (const auto& state : states)
            if (state.Runs == command) return state.On;
        return false;
    };
    auto entry = [&](Command command, const char* caption) { return MenuEntry{command, caption, enabled(command)}; };
    return {
        entry(Command::PrintCurrentPicture, "Print..."),
        entry(Command::MoveCurrentFile, "Move..."),
        entry(Command::SaveCurrentFileAs, "Save As..."),
        entry(Command::DeleteCurrentFile, "Delete..."),
        {Command::None, "-", true},
        entry(Command::CopyPictureToClipboard, "Copy To Clipboard"),
        entry(Command::UseAsDesktopBackground, "Use As Desktop Background"),
        entry(Command::EmailCurrentFile, "Email..."),
        entry(Command::AddCurrentFileToScreenSaver, "Add To Screen Saver"),
    };
}

}  // namespace qw
