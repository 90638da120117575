#pragma once
// The main window's pop-up menus as data: the view shows them, the window
// dispatches the chosen entry.

#include <string>
#include <vector>

#include "main/Commands.h"
#include "main/TaskPane.h"

namespace qw {

struct MenuEntry {
    qw::Command Command = qw::Command::None;
    std::string Caption;  // "-" for a separator
    bool Enabled = true;

    bool IsSeparator() const { return Caption == "-"; }
};

using Menu = std::vector<MenuEntry>;

// The icon menu: always enabled.
Menu TrayPopUpMenu();

// The thumbnail and preview context menu; the file commands' entries are
// enabled as the states say.
Menu ThumbMenu(const std::vector<FileCommandState>& states);

}  // namespace qw
