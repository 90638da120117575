#pragma once
// The main window: a sizable white window that lives hidden behind its
// notification-area icon, with the task pane, the thumbnail strip, the
// preview and two labels. It turns Windows messages into presenter calls.

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "main/MainView.h"
#include "win32/TrayIcon.h"
#include "win32/WindowObject.h"

namespace qw {
class MainWindow;
class ThumbnailStrip;
}  // namespace qw

namespace qw::win32 {

class PreviewControl;
class TaskPaneControl;
class ThumbnailControl;

inline constexpr const wchar_t* MainWindowClass = L"QuillwaveMainWindow";
inline constexpr int DesignedClientWidth = 672;
inline constexpr int DesignedClientHeight = 515;

class MainFrame : public MainView {
public:
    explicit MainFrame(HINSTANCE instance);
    ~MainFrame() override;
    MainFrame(const MainFrame&) = delete;
    MainFrame& operator=(const MainFrame&) = delete;

    // The strip's control, for its presenter; then both presenters are attached.
    ThumbnailControl& StripControl() { return *strip_; }
    void Attach(MainWindow* presenter, ThumbnailStrip* strip);
    HWND Window() const { return window_; }

    WindowId Handle() const override { return reinterpret_cast<WindowId>(window_); }
    void HookWindow() override;
    void AddTrayIcon(const std::string& tip) override;
    void RemoveTrayIcon() override;
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

    Command PopUpMenu(const Menu& menu, bool fromIcon) override;
    void Unload() override;

private:
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND lblInfo_ = nullptr;
    HWND lblFileInfo_ = nullptr;
    HFONT infoFont_ = nullptr;
    HFONT fileInfoFont_ = nullptr;
    HICON icon_ = nullptr;
    HICON smallIcon_ = nullptr;
    HIMAGELIST paneIcons_ = nullptr;
    std::unique_ptr<TaskPaneControl> pane_;
    std::unique_ptr<ThumbnailControl> strip_;
    std::unique_ptr<PreviewControl> preview_;
    MainWindow* presenter_ = nullptr;
    TrayIcon tray_;
};

}  // namespace qw::win32
