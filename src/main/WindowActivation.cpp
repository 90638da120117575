#include "main/WindowActivation.h"

namespace qw {

void BringToFront(WindowActivation& activation, WindowId window) {
    const WindowId foreground = activation.ForegroundWindow();
    if (foreground == window) return;
    const std::uint32_t foregroundThread = activation.ThreadOfWindow(foreground);
    const std::uint32_t ownThread = activation.ThreadOfWindow(window);
    if (foregroundThread != ownThread) {
        activation.AttachThreadInput(foregroundThread, ownThread, true);
        activation.SetForegroundWindow(window);
        activation.AttachThreadInput(foregroundThread, ownThread, false);
    } else {
        activation.SetForegroundWindow(window);
    }
    activation.ShowWindow(window, activation.IsIconic(window) ? ShowCommand::Restore : ShowCommand::Show);
}

}  // namespace qw
