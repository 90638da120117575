#pragma once
// The clipboard: a picture put on it as a device-independent bitmap, which
// every program that pastes pictures takes.

#include "main/CommandPorts.h"

namespace qw::win32 {

class Win32Clipboard : public qw::Clipboard {
public:
    // Empties the clipboard and puts the picture on it at its own pixel size.
    // Throws std::runtime_error when the clipboard is held by another program
    // or refuses the data, PictureError when the picture cannot be painted.
    void PutPicture(const qw::Picture& picture) override;
};

}  // namespace qw::win32
