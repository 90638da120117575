#pragma once
// The main window: a sizable white window that lives hidden behind its
// notification-area icon. It turns Windows messages into presenter calls.

#include <windows.h>

#include <string>

#include "main/MainView.h"
#include "win32/TrayIcon.h"

namespace qw {
class MainWindow;
}

namespace qw::win32 {

inline constexpr const wchar_t* MainWindowClass = L"QuillwaveMainWindow";
inline constexpr int DesignedClientWidth = 672;
inline constexpr int DesignedClientHeight = 515;

class MainFrame : public MainView {
public:
    explicit MainFrame(HINSTANCE instance);
    ~MainFrame() override;
    MainFrame(const MainFrame&) = delete;
    MainFrame& operator=(const MainFrame&) = delete;

    void Attach(MainWindow* presenter) { presenter_ = presenter; }
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
    Command PopUpMenu(const Menu& menu) override;
    void Unload() override;

private:
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND lblInfo_ = nullptr;
    HFONT infoFont_ = nullptr;
    HICON icon_ = nullptr;
    HICON smallIcon_ = nullptr;
    MainWindow* presenter_ = nullptr;
    TrayIcon tray_;
};

// Runs a presenter call from a window procedure: a failure nothing else
// handled is shown to the user instead of ending the program.
template <typename F>
void Guarded(HWND owner, F&& call);

void ShowUnexpectedError(HWND owner, const char* what);

template <typename F>
void Guarded(HWND owner, F&& call) {
    try {
        call();
    } catch (const std::exception& e) {
        ShowUnexpectedError(owner, e.what());
    }
}

}  // namespace qw::win32
