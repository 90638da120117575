#include "win32/MainFrame.h"

#include "main/MainWindow.h"
#include "resources/resource_ids.h"
#include "win32/Utf.h"

namespace qw::win32 {

namespace {
constexpr UINT_PTR WatcherTimerId = 1;
constexpr int StatusLeft = 230;
constexpr int StatusTop = 141;
}  // namespace

void ShowUnexpectedError(HWND owner, const char* what) {
    std::wstring text = L"Quillwave! could not complete the last action:\n\n" + Widen(what);
    MessageBoxW(owner, text.c_str(), L"Quillwave!", MB_OK | MB_ICONERROR);
}

MainFrame::MainFrame(HINSTANCE instance) : instance_(instance) {
    icon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUILLWAVE), IMAGE_ICON,
                                          GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    smallIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUILLWAVE), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &MainFrame::WndProc;
    wc.hInstance = instance;
    wc.hIcon = icon_;
    wc.hIconSm = smallIcon_;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = MainWindowClass;
    RegisterClassExW(&wc);

    RECT frame{0, 0, DesignedClientWidth, DesignedClientHeight};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    // Created without WS_VISIBLE and never shown by start-up: the program
    // begins as an icon only.
    window_ = CreateWindowExW(0, MainWindowClass, L"Quillwave!", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, instance, this);
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    CreateControls();
}

MainFrame::~MainFrame() {
    if (window_) DestroyWindow(window_);
    if (infoFont_) DeleteObject(infoFont_);
    if (icon_) DestroyIcon(icon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
}

void MainFrame::CreateControls() {
    lblInfo_ = CreateWindowExW(WS_EX_TRANSPARENT, L"STATIC", L"", WS_CHILD | SS_LEFT | SS_NOPREFIX,
                               StatusLeft, StatusTop, DesignedClientWidth - StatusLeft - 10,
                               DesignedClientHeight - StatusTop - 10, window_, nullptr, instance_, nullptr);
    HDC screen = GetDC(nullptr);
    // 20.25 points, the size the status line was designed with.
    const int height = -MulDiv(2025, GetDeviceCaps(screen, LOGPIXELSY), 7200);
    ReleaseDC(nullptr, screen);
    infoFont_ = CreateFontW(height, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Verdana");
    SendMessageW(lblInfo_, WM_SETFONT, reinterpret_cast<WPARAM>(infoFont_), FALSE);
}

LRESULT CALLBACK MainFrame::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<MainFrame*>(create->lpCreateParams)->window_ = window;
    }
    auto* self = reinterpret_cast<MainFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->HandleMessage(window, message, wParam, lParam);
}

LRESULT MainFrame::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == WatcherTimerId && presenter_) Guarded(window_, [&] { presenter_->OnTimer(); });
            return 0;
        case WM_CLOSE: {
            bool cancel = false;
            if (presenter_) Guarded(window_, [&] { cancel = presenter_->OnQueryUnload(UnloadMode::UserClose); });
            if (!cancel) DestroyWindow(window_);
            return 0;
        }
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam && presenter_) {
                presenter_->OnQueryUnload(UnloadMode::SystemShutdown);
                DestroyWindow(window_);
            }
            return 0;
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == lblInfo_) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHT));
                SetBkMode(dc, TRANSPARENT);
                return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
            }
            break;
        case WM_DESTROY:
            KillTimer(window_, WatcherTimerId);
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            window_ = nullptr;
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void MainFrame::HookWindow() {
    tray_.HookWindow(window_, [this] { Guarded(window_, [this] { presenter_->SysTrayMouseEventHandler(); }); });
}

void MainFrame::AddTrayIcon(const std::string& tip) {
    // The icon's identifier is the icon's own handle, as for the window icon.
    tray_.Add(window_, static_cast<UINT>(reinterpret_cast<UINT_PTR>(smallIcon_)), smallIcon_, Widen(tip));
}

void MainFrame::RemoveTrayIcon() { tray_.Remove(); }

void MainFrame::Show() { ShowWindow(window_, SW_SHOW); }

void MainFrame::Hide() { ShowWindow(window_, SW_HIDE); }

void MainFrame::SetCaption(const std::string& caption) { SetWindowTextW(window_, Widen(caption).c_str()); }

void MainFrame::SetStatusText(const std::string& text) { SetWindowTextW(lblInfo_, Widen(text).c_str()); }

void MainFrame::SetStatusVisible(bool visible) { ShowWindow(lblInfo_, visible ? SW_SHOW : SW_HIDE); }

void MainFrame::StartWatcherTimer(unsigned milliseconds) { SetTimer(window_, WatcherTimerId, milliseconds, nullptr); }

Command MainFrame::PopUpMenu(const Menu& menu) {
    HMENU popup = CreatePopupMenu();
    for (std::size_t i = 0; i < menu.size(); ++i) {
        if (menu[i].IsSeparator()) {
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(popup, MF_STRING | (menu[i].Enabled ? MF_ENABLED : MF_GRAYED), i + 1,
                        Widen(menu[i].Caption).c_str());
        }
    }
    // The menu closes on a click elsewhere only when its owner is the
    // foreground window.
    SetForegroundWindow(window_);
    POINT at{};
    GetCursorPos(&at);
    const UINT chosen =
        TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, window_, nullptr);
    PostMessageW(window_, WM_NULL, 0, 0);
    DestroyMenu(popup);
    if (chosen == 0 || chosen > menu.size()) return Command::None;
    return menu[chosen - 1].Command;
}

void MainFrame::Unload() {
    if (window_) DestroyWindow(window_);
}

}  // namespace qw::win32
