#pragma once
// The main window's pop-up menus as data: the view shows them, the window
// dispatches the chosen entry.

#include <string>
#include <vector>

namespace qw {

enum class MenuCommand {
    None,
    // The notification-area icon's menu.
    Show,
    InboxSettings,
    ScreenSaverSettings,
    Exit,
};

struct MenuEntry {
    MenuCommand Command = MenuCommand::None;
    std::string Caption;  // "-" for a separator
    bool Enabled = true;

    bool IsSeparator() const { return Caption == "-"; }
};

using Menu = std::vector<MenuEntry>;

// The icon menu: always enabled. The two settings entries join it when the
// settings dialog exists.
Menu TrayPopUpMenu();

}  // namespace qw
