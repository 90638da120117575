#include "win32/saver/ExitListener.h"

#include "win32/ExitMessage.h"

namespace qw::win32 {

ExitListener::ExitListener(HINSTANCE instance, std::function<void()> onExitRequest)
    : onExitRequest_(std::move(onExitRequest)) {
    // Not message-only: broadcasts pass those by. Never shown.
    Create(instance, {.Name = L"QuillwaveScreenSaverExit"},
           {.Style = WS_POPUP, .ExStyle = WS_EX_TOOLWINDOW, .X = 0, .Y = 0, .Width = 0, .Height = 0});
}

LRESULT ExitListener::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ExitMessage() && message != 0) {
        if (onExitRequest_) onExitRequest_();
        return 0;
    }
    return Default(message, wParam, lParam);
}

}  // namespace qw::win32
