#pragma once
// Bringing the main window to the front when a file arrives. Windows lets
// only the foreground thread change the foreground window, so the program
// borrows that thread's input state for the moment of the switch.

#include <cstdint>

namespace qw {

using WindowId = std::uintptr_t;

enum class ShowCommand { Show = 5, Restore = 9 };

class WindowActivation {
public:
    virtual ~WindowActivation() = default;
    virtual WindowId ForegroundWindow() = 0;
    virtual std::uint32_t ThreadOfWindow(WindowId window) = 0;
    virtual void AttachThreadInput(std::uint32_t from, std::uint32_t to, bool attach) = 0;
    virtual void SetForegroundWindow(WindowId window) = 0;
    virtual bool IsIconic(WindowId window) = 0;
    virtual void ShowWindow(WindowId window, ShowCommand command) = 0;
};

// Forces the window to the foreground, restoring it when minimised and
// showing it when hidden; does nothing when it already is the foreground.
void BringToFront(WindowActivation& activation, WindowId window);

}  // namespace qw
