#pragma once
// The main window: a sizable white window that lives hidden behind its
// notification-area icon, with the task pane, the thumbnail strip, the
// preview and two labels. It turns Windows messages into presenter calls.

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "main/MainView.h"
#include "shared/Scale.h"
#include "win32/kit/Handles.h"
#include "win32/main/TrayIcon.h"
#include "win32/kit/Window.h"

namespace qw {
class MainPresenter;
class ThumbnailStrip;
}  // namespace qw

namespace qw::win32 {

class PreviewControl;
class TaskPaneControl;
class ThumbnailControl;

inline constexpr const wchar_t* MainWindowClass = L"QuillwaveMainWindow";

class MainWindow : public Window, public MainView {
public:
    // The window and its controls, hidden. Throws std::runtime_error when one
    // of them cannot be made; what was made is released again.
    explicit MainWindow(HINSTANCE instance);
    ~MainWindow() override;

    // The strip's control, for its presenter; then both presenters are attached.
    ThumbnailControl& StripControl() { return *strip_; }
    void Attach(MainPresenter* presenter, ThumbnailStrip* strip);
    WindowId Id() const override { return reinterpret_cast<WindowId>(Handle()); }
    // The resolution the window lays itself out at: its monitor's.
    qw::Scale DisplayScale() const { return scale_; }
    void RouteTrayIcon() override;
    void AddTrayIcon(const std::string& tip) override;
    void RemoveTrayIcon() override;
    void ShowTrayNotice(const std::string& title, const std::string& text) override;
    void Show() override;
    void Hide() override;
    void SetCaption(const std::string& caption) override;
    void SetStatusText(const std::string& text) override;
    void SetStatusVisible(bool visible) override;
    void StartWatcherTimer(unsigned milliseconds) override;

    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetStripWidth(int width) override;
    void SetPaneHeight(int height) override;
    void SetLabelSizes(PixelSize fileInfo, PixelSize info) override;
    void SetPreviewPicture(std::shared_ptr<const Picture> picture) override;
    void SetPreviewSize(PixelSize size) override;
    void SetPreviewVisible(bool visible) override;
    void SetFileInfoText(const std::string& text) override;
    void SetFileInfoVisible(bool visible) override;

    void AddPaneBar(const std::string& key, const std::string& title) override;
    void AddPaneItem(const std::string& barKey, const std::string& key, const std::string& caption,
                     int iconIndex) override;
    std::uint32_t PaneItemTextColor(const std::string& key) const override;
    void SetPaneItemClickable(const std::string& key, bool clickable) override;
    void SetPaneItemTextColor(const std::string& key, std::uint32_t color) override;
    void SetPaneRedraw(bool on) override;

    bool PaneItemClickable(const std::string& key) const override;
    void SetPaneFocusItem(const std::string& key) override;
    void SetFocusPlace(FocusPlace place) override;

    Command PopUpMenu(const Menu& menu, bool fromIcon) override;
    Command PopUpMenuAtThumbnail(const Menu& menu, int slot) override;
    void Unload() override;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnResized(int width, int height) override;
    void OnDestroyed() override;

private:
    void CreateControls();
    // What depends on the resolution: icons and fonts at their drawn size.
    void LoadIcons();
    void MakeFonts();
    void MakePaneIcons();
    // The controls at their fixed places, scaled.
    void PlaceControls();
    // Moved to a monitor of another scale: takes Windows' suggested
    // rectangle and lays everything out again.
    void OnDpiChanged(int dpi, const RECT& suggested);
    // Runs a presenter call from a message, once the presenters are attached.
    template <typename F>
    void ToPresenter(F&& call);

    HINSTANCE instance_;
    qw::Scale scale_;
    Icon icon_;
    Icon smallIcon_;
    Icon trayIcon_;
    Font infoFont_;
    Font fileInfoFont_;
    ImageList paneIcons_;
    // Children, so they go with the window. The old form's names: lblInfo
    // and lblFileInfo.
    HWND statusLabel_ = nullptr;
    HWND fileInfoLabel_ = nullptr;
    std::unique_ptr<TaskPaneControl> pane_;
    std::unique_ptr<ThumbnailControl> strip_;
    std::unique_ptr<PreviewControl> preview_;
    MainPresenter* presenter_ = nullptr;
    ThumbnailStrip* stripPresenter_ = nullptr;
    HWND lastFocus_ = nullptr;  // the control that had the focus when the window was left
    TrayIcon tray_;
};

}  // namespace qw::win32
