#pragma once
// The clipboard: a picture put on it as a device-independent bitmap, which
// every program that pastes pictures takes.

#include <memory>

#include "main/MainPorts.h"

namespace qw::win32 {

class ClipboardOwner;

class Win32Clipboard : public qw::Clipboard {
public:
    Win32Clipboard();
    ~Win32Clipboard() override;

    // Empties the clipboard and puts the picture on it at its own pixel size.
    // Throws std::runtime_error when the clipboard is held by another program
    // or refuses the data, PictureError when the picture cannot be painted.
    void PutPicture(const qw::Picture& picture) override;

private:
    // Data can be put on the clipboard only by a window that owns it; the
    // program's own windows may all be hidden or gone, so this one is made
    // for it on first use.
    std::unique_ptr<ClipboardOwner> owner_;
};

}  // namespace qw::win32
