#pragma once
// The main window as the presenter sees it: setters and requests only; the
// Win32 window decides nothing and reports its events to the presenter.

#include <cstdint>
#include <memory>
#include <string>

#include "main/Keyboard.h"
#include "main/Menus.h"
#include "shared/PictureFitting.h"
#include "shared/Pictures.h"
#include "main/WindowActivation.h"

namespace qw {

class MainView {
public:
    virtual ~MainView() = default;

    virtual WindowId Id() const = 0;
    // From now on the notification-area icon's messages reach the presenter.
    virtual void RouteTrayIcon() = 0;
    virtual void AddTrayIcon(const std::string& tip) = 0;
    virtual void RemoveTrayIcon() = 0;
    // A balloon at the icon, or new text for the one on show.
    virtual void ShowTrayNotice(const std::string& title, const std::string& text) = 0;

    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    // The status label lblInfo.
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void SetStatusVisible(bool visible) = 0;

    virtual void StartWatcherTimer(unsigned milliseconds) = 0;

    // ---- Layout, in pixels of the client area.
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    virtual void SetStripWidth(int width) = 0;
    virtual void SetPaneHeight(int height) = 0;
    virtual void SetLabelSizes(PixelSize fileInfo, PixelSize info) = 0;

    // ---- The lower rectangle: the preview imgMain (its picture stretched to
    // its size) and the file label lblFileInfo, both at the same corner.
    virtual void SetPreviewPicture(std::shared_ptr<const Picture> picture) = 0;
    virtual void SetPreviewSize(PixelSize size) = 0;
    virtual void SetPreviewVisible(bool visible) = 0;
    virtual void SetFileInfoText(const std::string& text) = 0;
    virtual void SetFileInfoVisible(bool visible) = 0;

    // ---- The task pane barExplorer.
    virtual void AddPaneBar(const std::string& key, const std::string& title) = 0;
    virtual void AddPaneItem(const std::string& barKey, const std::string& key, const std::string& caption,
                             int iconIndex) = 0;
    virtual std::uint32_t PaneItemTextColor(const std::string& key) const = 0;
    virtual void SetPaneItemClickable(const std::string& key, bool clickable) = 0;
    virtual void SetPaneItemTextColor(const std::string& key, std::uint32_t color) = 0;
    // Changes between off and on are drawn once, when it is turned on.
    virtual void SetPaneRedraw(bool on) = 0;
    virtual bool PaneItemClickable(const std::string& key) const = 0;

    // ---- The keyboard focus: the item of the pane that shows it ("" for
    // none) and the place of the window that has it.
    virtual void SetPaneFocusItem(const std::string& key) = 0;
    virtual void SetFocusPlace(FocusPlace place) = 0;

    // Pops the menu up at the mouse position and returns the chosen entry
    // once it has closed (None when dismissed). The icon menu first makes the
    // window the foreground window, so that it closes on a click elsewhere.
    virtual Command PopUpMenu(const Menu& menu, bool fromIcon) = 0;
    // The same at the thumbnail of the strip's slot, for the keyboard.
    virtual Command PopUpMenuAtThumbnail(const Menu& menu, int slot) = 0;

    // Destroys the window, which ends the program.
    virtual void Unload() = 0;
};

}  // namespace qw
