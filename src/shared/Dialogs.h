#pragma once
// The modal dialogs that several parts of both programs open: message boxes,
// the folder picker and the colour dialog. Adapters own the window handles; the core only says
// what to ask and gets the answer back.

#include <cstdint>
#include <optional>
#include <string>

namespace qw {

enum class MessageIcon {
    Critical,     // the critical-stop icon of the file commands' failures
    Information,  // validation and notices
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // One modal box with an OK button; returns when the user closed it.
    virtual void Show(const std::string& text, const std::string& title, MessageIcon icon) = 0;
};

class Questions {
public:
    virtual ~Questions() = default;
    // One modal box with Yes and No, No the default, and the warning icon:
    // true after Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;
};

class FolderPicker {
public:
    virtual ~FolderPicker() = default;
    // SelectFolder: opens on `startFolder` (an empty or missing folder opens
    // at its nearest existing parent, else at the user's documents) and
    // returns the folder confirmed with OK, or nothing after Cancel, Esc or
    // the close box.
    virtual std::optional<std::string> SelectFolder(const std::string& startFolder) = 0;
};

class ColorPicker {
public:
    virtual ~ColorPicker() = default;
    // The system's colour dialog, opened on `startColor` (0x00BBGGRR):
    // the colour confirmed with OK, or nothing when the user cancels.
    virtual std::optional<std::int32_t> PickColor(std::int32_t startColor) = 0;
};

}  // namespace qw
