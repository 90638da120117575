#pragma once
// The main window as the presenter sees it: setters and requests only; the
// Win32 window decides nothing and reports its events to the presenter.

#include <string>

#include "main/Menus.h"
#include "main/WindowActivation.h"

namespace qw {

class MainView {
public:
    virtual ~MainView() = default;

    virtual WindowId Handle() const = 0;
    // Routes the notification-area icon's messages to the presenter.
    virtual void HookWindow() = 0;
    virtual void AddTrayIcon(const std::string& tip) = 0;
    virtual void RemoveTrayIcon() = 0;

    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    // The status label lblInfo.
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void SetStatusVisible(bool visible) = 0;

    virtual void StartWatcherTimer(unsigned milliseconds) = 0;

    // Makes the window the foreground window (so the menu closes when the
    // user clicks elsewhere), pops the menu up at the mouse position and
    // returns the chosen entry once it has closed (None when dismissed).
    virtual Command PopUpMenu(const Menu& menu) = 0;

    // Destroys the window, which ends the program.
    virtual void Unload() = 0;
};

}  // namespace qw
