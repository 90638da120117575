#include "win32/MainFrame.h"

#include "main/MainLayout.h"
#include "main/MainWindow.h"
#include "main/ThumbnailStrip.h"
#include "resources/resource_ids.h"
#include "win32/PreviewControl.h"
#include "win32/TaskPaneControl.h"
#include "win32/ThumbnailControl.h"
#include "win32/Utf.h"

namespace qw::win32 {

namespace {
constexpr UINT_PTR WatcherTimerId = 1;

HFONT MessageFont(int weight, bool italic, const wchar_t* face, int pointsTimes100) {
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(pointsTimes100, GetDeviceCaps(screen, LOGPIXELSY), 7200);
    ReleaseDC(nullptr, screen);
    return CreateFontW(height, 0, 0, 0, weight, italic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, face);
}
}  // namespace

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
    preview_.reset();
    strip_.reset();
    pane_.reset();
    if (window_) DestroyWindow(window_);
    if (paneIcons_) ImageList_Destroy(paneIcons_);
    if (infoFont_) DeleteObject(infoFont_);
    if (fileInfoFont_) DeleteObject(fileInfoFont_);
    if (icon_) DestroyIcon(icon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
}

void MainFrame::CreateControls() {
    RECT client;
    GetClientRect(window_, &client);
    const PixelSize label = PreviewBox(client.right, client.bottom);

    // Drawn bottom to top: the status line, the file label, the preview.
    lblInfo_ = CreateWindowExW(WS_EX_TRANSPARENT, L"STATIC", L"", WS_CHILD | SS_LEFT | SS_NOPREFIX, PreviewLeft,
                               PreviewTop, label.Width, label.Height, window_, nullptr, instance_, nullptr);
    infoFont_ = MessageFont(FW_BOLD, true, L"Verdana", 2025);  // 20.25 points
    SendMessageW(lblInfo_, WM_SETFONT, reinterpret_cast<WPARAM>(infoFont_), FALSE);

    lblFileInfo_ = CreateWindowExW(WS_EX_TRANSPARENT, L"STATIC", L"", WS_CHILD | SS_LEFT | SS_NOPREFIX,
                                   PreviewLeft, PreviewTop, label.Width, label.Height, window_, nullptr,
                                   instance_, nullptr);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    fileInfoFont_ = CreateFontIndirectW(&metrics.lfMessageFont);
    SendMessageW(lblFileInfo_, WM_SETFONT, reinterpret_cast<WPARAM>(fileInfoFont_), FALSE);

    preview_ = std::make_unique<PreviewControl>(window_, instance_, PreviewLeft, PreviewTop);
    SetWindowPos(preview_->Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    preview_->OnMouseUp = [this](int button) {
        if (presenter_) Guarded(window_, [&] { presenter_->OnPreviewMouseUp(button); });
    };

    paneIcons_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, IDI_PANE_COUNT, 0);
    for (int i = 0; i < IDI_PANE_COUNT; ++i) {
        HICON icon = static_cast<HICON>(
            LoadImageW(instance_, MAKEINTRESOURCEW(IDI_PANE_VIEW + i), IMAGE_ICON, 16, 16, 0));
        ImageList_AddIcon(paneIcons_, icon);
        DestroyIcon(icon);
    }
    pane_ = std::make_unique<TaskPaneControl>(window_, instance_, 0, 0, PaneWidth, client.bottom);
    pane_->SetImageList(paneIcons_);
    pane_->OnItemClick = [this](const std::string& key) {
        if (presenter_) Guarded(window_, [&] { presenter_->OnPaneItemClick(key); });
    };

    strip_ = std::make_unique<ThumbnailControl>(window_, instance_, PaneWidth, 0, client.right - PaneWidth,
                                                StripHeightOnForm);
}

void MainFrame::Attach(MainWindow* presenter, ThumbnailStrip* strip) {
    presenter_ = presenter;
    strip_->OnSlotClick = [this, strip](int slot) { Guarded(window_, [&] { strip->OnSlotClick(slot); }); };
    strip_->OnSlotRightButtonUp = [this, strip](int slot) {
        Guarded(window_, [&] { strip->OnSlotRightButtonUp(slot); });
    };
    strip_->OnSlotDoubleClick = [this, strip](int slot) {
        Guarded(window_, [&] { strip->OnSlotDoubleClick(slot); });
    };
    strip_->OnScroll = [this, strip](int value) { Guarded(window_, [&] { strip->OnScroll(value); }); };
    strip_->OnResize = [this, strip] { Guarded(window_, [&] { strip->OnResize(); }); };
}

LRESULT CALLBACK MainFrame::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowObject<MainFrame>(window, message, lParam);
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCCREATE) self->window_ = window;
    return self->HandleMessage(window, message, wParam, lParam);
}

LRESULT MainFrame::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == WatcherTimerId && presenter_) Guarded(window_, [&] { presenter_->OnTimer(); });
            return 0;
        case WM_SIZE:
            if (presenter_) Guarded(window_, [&] { presenter_->OnResize(); });
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
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            if (reinterpret_cast<HWND>(lParam) == lblInfo_) SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHT));
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        }
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
    // The icon's identifier is the icon's own handle.
    tray_.Add(window_, static_cast<UINT>(reinterpret_cast<UINT_PTR>(smallIcon_)), smallIcon_, Widen(tip));
}

void MainFrame::RemoveTrayIcon() { tray_.Remove(); }

void MainFrame::Show() { ShowWindow(window_, SW_SHOW); }

void MainFrame::Hide() { ShowWindow(window_, SW_HIDE); }

void MainFrame::SetCaption(const std::string& caption) { SetWindowTextW(window_, Widen(caption).c_str()); }

void MainFrame::SetStatusText(const std::string& text) { SetWindowTextW(lblInfo_, Widen(text).c_str()); }

void MainFrame::SetStatusVisible(bool visible) { ShowWindow(lblInfo_, visible ? SW_SHOW : SW_HIDE); }

void MainFrame::StartWatcherTimer(unsigned milliseconds) { SetTimer(window_, WatcherTimerId, milliseconds, nullptr); }

int MainFrame::ClientWidth() const {
    RECT client;
    GetClientRect(window_, &client);
    return client.right;
}

int MainFrame::ClientHeight() const {
    RECT client;
    GetClientRect(window_, &client);
    return client.bottom;
}

void MainFrame::SetStripWidth(int width) {
    SetWindowPos(strip_->Window(), nullptr, 0, 0, width, StripHeightOnForm, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainFrame::SetPaneHeight(int height) { pane_->Resize(PaneWidth, height); }

void MainFrame::SetLabelSizes(PixelSize fileInfo, PixelSize info) {
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(lblFileInfo_, nullptr, 0, 0, fileInfo.Width, fileInfo.Height, flags);
    SetWindowPos(lblInfo_, nullptr, 0, 0, info.Width, info.Height, flags);
}

void MainFrame::SetPreviewPicture(std::shared_ptr<const Picture> picture) { preview_->SetPicture(std::move(picture)); }

void MainFrame::SetPreviewSize(PixelSize size) { preview_->SetSize(size.Width, size.Height); }

void MainFrame::SetPreviewVisible(bool visible) { ShowWindow(preview_->Window(), visible ? SW_SHOW : SW_HIDE); }

void MainFrame::SetFileInfoText(const std::string& text) { SetWindowTextW(lblFileInfo_, Widen(text).c_str()); }

void MainFrame::SetFileInfoVisible(bool visible) { ShowWindow(lblFileInfo_, visible ? SW_SHOW : SW_HIDE); }

void MainFrame::AddPaneBar(const std::string& key, const std::string& title) { pane_->AddBar(key, title); }

void MainFrame::AddPaneItem(const std::string& barKey, const std::string& key, const std::string& caption,
                            int iconIndex) {
    pane_->AddItem(barKey, key, caption, iconIndex);
}

std::uint32_t MainFrame::PaneItemTextColor(const std::string& key) const { return pane_->ItemTextColor(key); }

void MainFrame::SetPaneItemClickable(const std::string& key, bool clickable) {
    pane_->SetItemClickable(key, clickable);
}

void MainFrame::SetPaneItemTextColor(const std::string& key, std::uint32_t color) {
    pane_->SetItemTextColor(key, static_cast<COLORREF>(color));
}

void MainFrame::SetPaneRedraw(bool on) { pane_->SetRedraw(on); }

Command MainFrame::PopUpMenu(const Menu& menu, bool fromIcon) {
    HMENU popup = CreatePopupMenu();
    for (std::size_t i = 0; i < menu.size(); ++i) {
        if (menu[i].IsSeparator()) {
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(popup, MF_STRING | (menu[i].Enabled ? MF_ENABLED : MF_GRAYED), i + 1,
                        Widen(menu[i].Caption).c_str());
        }
    }
    // The icon's menu closes on a click elsewhere only when its owner is the
    // foreground window; it also lets the right button choose.
    if (fromIcon) SetForegroundWindow(window_);
    POINT at{};
    GetCursorPos(&at);
    const UINT flags = TPM_RETURNCMD | TPM_NONOTIFY | (fromIcon ? TPM_RIGHTBUTTON : 0);
    const UINT chosen = TrackPopupMenu(popup, flags, at.x, at.y, 0, window_, nullptr);
    if (fromIcon) PostMessageW(window_, WM_NULL, 0, 0);
    DestroyMenu(popup);
    if (chosen == 0 || chosen > menu.size()) return Command::None;
    return menu[chosen - 1].Command;
}

void MainFrame::Unload() {
    if (window_) DestroyWindow(window_);
}

}  // namespace qw::win32
