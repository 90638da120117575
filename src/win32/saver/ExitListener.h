#pragma once
// The screen saver's ear for "QuillwaveExit": a hidden top-level window,
// there in every mode (the slide show, the preview, whose window is a child
// of another program's, and the settings dialog), since the setup program
// broadcasts the request to top-level windows only.

#include <windows.h>

#include <functional>

#include "win32/kit/Window.h"

namespace qw::win32 {

class ExitListener : public Window {
public:
    ExitListener(HINSTANCE instance, std::function<void()> onExitRequest);

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::function<void()> onExitRequest_;
};

}  // namespace qw::win32
