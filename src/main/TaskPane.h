#pragma once
// The task pane's content and the commands behind it: three bars of items,
// the icon list they draw from, the dispatch of a clicked item and the
// enabling of the file commands by the kind of the current file.

#include <cstdint>
#include <string>
#include <vector>

#include "main/Commands.h"

namespace qw {

inline constexpr std::uint32_t SilverColor = 0xC0C0C0;  // an item that does nothing

struct PaneItem {
    std::string Key;
    std::string Caption;
    std::string IconKey;
    Command Runs;
};

struct PaneBar {
    std::string Key;
    std::string Title;
    std::vector<PaneItem> Items;
};

// The keys of the icon list, in its order: an item's icon index is the
// key's position in this list (0-based).
const std::vector<std::string>& PaneIconKeys();
// Throws std::invalid_argument for a key that is not in the list.
int PaneIconIndex(const std::string& iconKey);

// The bars and their items in the order they are shown.
const std::vector<PaneBar>& PaneBars();

// The command of a clicked item; Command::None for a key that matches none.
// Keys are compared exactly, letter case included.
Command DispatchPaneItem(const std::string& itemKey);

// The item whose colour is the pane's normal item colour, read at start-up.
inline constexpr const char* ItemColorReference = "AddToScreenSaverBarItem";

// The kind of the current file, which decides the file commands.
enum class FileCase {
    NoFile,    // nothing current, or no Bluetooth stack
    Document,  // a file that is not an image
    Image,
};

FileCase FileCaseOf(const std::string& path, bool bluetoothFound);

// One file command's state in the pane and in the thumbnail menu.
struct FileCommandState {
    Command Runs;
    std::string ItemKey;
    bool On;
    std::uint32_t Color;  // the item's text colour: normal when on, silver when off
};

// The eight file commands for a case, in menu order.
std::vector<FileCommandState> FileCommandStates(FileCase fileCase, bool inboxShown, std::uint32_t itemTextColor);

}  // namespace qw
