#include "win32/main/MainWindow.h"

#include <algorithm>

#include "main/MainLayout.h"
#include "main/MainPresenter.h"
#include "main/ThumbnailStrip.h"
#include "resources/resource_ids.h"
#include "win32/ExitMessage.h"
#include "win32/LiveCounts.h"
#include "win32/main/PreviewControl.h"
#include "win32/main/TaskPaneControl.h"
#include "win32/main/ThumbnailControl.h"
#include "win32/kit/Dpi.h"
#include "win32/kit/Fonts.h"
#include "win32/kit/Utf.h"
#include "win32/WicPictures.h"

namespace qw::win32 {

namespace {
constexpr UINT_PTR WatcherTimerId = 1;
constexpr int PaneIconSize = 16;  // at 96 dpi

Icon ProgramIcon(HINSTANCE instance, int side) {
    return Icon(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUILLWAVE), IMAGE_ICON, side, side, 0)));
}

// Shows the menu at the point and returns the chosen entry once it has
// closed (None when dismissed).
Command TrackMenu(const Menu& menu, HWND owner, POINT at, UINT flags) {
    const PopupMenu owned(CreatePopupMenu());
    HMENU popup = owned.Get();
    for (std::size_t i = 0; i < menu.size(); ++i) {
        if (menu[i].IsSeparator()) {
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(popup, MF_STRING | (menu[i].Enabled ? MF_ENABLED : MF_GRAYED), i + 1,
                        Widen(menu[i].Caption).c_str());
        }
    }
    const UINT chosen = TrackPopupMenu(popup, flags | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr);
    if (chosen == 0 || chosen > menu.size()) return Command::None;
    return menu[chosen - 1].Command;
}

HWND CreateLabel(HINSTANCE instance, HWND parent, const MainPlaces& places, PixelSize size) {
    HWND label = CreateWindowExW(WS_EX_TRANSPARENT, L"STATIC", L"", WS_CHILD | SS_LEFT | SS_NOPREFIX,
                                 places.PreviewLeft, places.PreviewTop, size.Width, size.Height, parent, nullptr,
                                 instance, nullptr);
    if (!label) throw std::runtime_error("cannot create a label of the main window: " + ErrorText(GetLastError()));
    return label;
}

SIZE DesignedWindowSize(qw::Scale scale) {
    const PixelSize client = PlacesAt(scale).DesignedClient;
    const RECT frame = WindowRectForClient({client.Width, client.Height}, WS_OVERLAPPEDWINDOW, 0, scale.Dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}
}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance), scale_{SystemDpi()} {
    const SIZE designed = DesignedWindowSize(scale_);
    // Created without WS_VISIBLE and never shown by start-up: the program
    // begins as an icon only.
    Create(instance,
           {.Name = MainWindowClass, .Background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))},
           {.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
            .Width = designed.cx,
            .Height = designed.cy,
            .Title = L"Quillwave!"});
    // Windows may have placed it on a monitor of another scale than the system's.
    if (const int dpi = WindowDpi(Handle()); dpi != scale_.Dpi) {
        scale_ = qw::Scale{dpi};
        const SIZE size = DesignedWindowSize(scale_);
        SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The notification area draws at the system's resolution, whatever the window's.
    const int traySide = SystemMetricForDpi(SM_CXSMICON, SystemDpi());
    trayIcon_ = ProgramIcon(instance, traySide);
    LoadIcons();
    CreateControls();
}

MainWindow::~MainWindow() {
    // The window and its controls go before the fonts and icons they show.
    presenter_ = nullptr;
    stripPresenter_ = nullptr;
    DestroyNow();
}

void MainWindow::LoadIcons() {
    icon_ = ProgramIcon(instance_, SystemMetricForDpi(SM_CXICON, scale_.Dpi));
    smallIcon_ = ProgramIcon(instance_, SystemMetricForDpi(SM_CXSMICON, scale_.Dpi));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Get()));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
}

void MainWindow::MakeFonts() {
    infoFont_ = PointFont(L"Verdana", 2025, FW_BOLD, true, scale_.Dpi);  // 20.25 points
    const LOGFONTW message = MessageFontDescription(scale_.Dpi);
    fileInfoFont_ = FontFrom(message, message.lfWeight);
    SendMessageW(statusLabel_, WM_SETFONT, reinterpret_cast<WPARAM>(infoFont_.Get()), TRUE);
    SendMessageW(fileInfoLabel_, WM_SETFONT, reinterpret_cast<WPARAM>(fileInfoFont_.Get()), TRUE);
}

void MainWindow::MakePaneIcons() {
    // Loaded at the size they are drawn, not stretched by the image list.
    const int side = scale_(PaneIconSize);
    ImageList icons(ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, IDI_PANE_COUNT, 0));
    for (int i = 0; i < IDI_PANE_COUNT; ++i) {
        const Icon icon(static_cast<HICON>(
            LoadImageW(instance_, MAKEINTRESOURCEW(IDI_PANE_VIEW + i), IMAGE_ICON, side, side, 0)));
        ImageList_AddIcon(icons.Get(), icon.Get());
    }
    if (pane_) pane_->SetImageList(icons.Get());
    paneIcons_ = std::move(icons);
}

void MainWindow::CreateControls() {
    RECT client;
    GetClientRect(Handle(), &client);
    const MainPlaces places = PlacesAt(scale_);
    const PixelSize label = PreviewBox(client.right, client.bottom, scale_);

    // Drawn bottom to top: the status line, the file label, the preview.
    statusLabel_ = CreateLabel(instance_, Handle(), places, label);
    fileInfoLabel_ = CreateLabel(instance_, Handle(), places, label);
    MakeFonts();

    preview_ = std::make_unique<PreviewControl>(
        instance_, WindowArgs{.Parent = Handle(), .X = places.PreviewLeft, .Y = places.PreviewTop, .Width = 0,
                              .Height = 0});
    SetWindowPos(preview_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    preview_->OnMouseUp = [this](int button) { ToPresenter([&] { presenter_->OnPreviewMouseUp(button); }); };

    MakePaneIcons();
    pane_ = std::make_unique<TaskPaneControl>(
        instance_, WindowArgs{.Parent = Handle(), .X = 0, .Y = 0, .Width = places.PaneWidth, .Height = client.bottom});
    pane_->SetImageList(paneIcons_.Get());
    pane_->OnItemClick = [this](const std::string& key) { ToPresenter([&] { presenter_->OnPaneItemClick(key); }); };

    strip_ = std::make_unique<ThumbnailControl>(
        instance_, WindowArgs{.Parent = Handle(), .X = places.PaneWidth, .Y = 0,
                              .Width = client.right - places.PaneWidth, .Height = places.StripHeight});
}

void MainWindow::PlaceControls() {
    RECT client;
    GetClientRect(Handle(), &client);
    const MainPlaces places = PlacesAt(scale_);
    const UINT move = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    for (HWND corner : {statusLabel_, fileInfoLabel_, preview_->Handle()})
        SetWindowPos(corner, nullptr, places.PreviewLeft, places.PreviewTop, 0, 0, move);
    pane_->Resize(places.PaneWidth, client.bottom);
    SetWindowPos(strip_->Handle(), nullptr, places.PaneWidth, 0, std::max(0, static_cast<int>(client.right) - places.PaneWidth),
                 places.StripHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    scale_ = qw::Scale{dpi};
    LoadIcons();
    MakeFonts();
    MakePaneIcons();
    pane_->SetDpi(dpi);
    strip_->SetDpi(dpi);
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceControls();
    // The size may not have changed while the places did: lay out in any case.
    RECT client;
    GetClientRect(Handle(), &client);
    ToPresenter([&] { presenter_->OnResize(client.right, client.bottom); });
    // The strip keeps its first visible file; the current file stays in the preview.
    if (stripPresenter_) stripPresenter_->OnScaleChanged();
}

void MainWindow::Attach(MainPresenter* presenter, ThumbnailStrip* strip) {
    presenter_ = presenter;
    stripPresenter_ = strip;
    strip_->OnSlotClick = [strip](int slot) { strip->OnSlotClick(slot); };
    strip_->OnSlotRightButtonUp = [strip](int slot) { strip->OnSlotRightButtonUp(slot); };
    strip_->OnSlotDoubleClick = [strip](int slot) { strip->OnSlotDoubleClick(slot); };
    strip_->OnScroll = [strip](int value) { strip->OnScroll(value); };
    strip_->OnResize = [strip] { strip->OnResize(); };
    strip_->OnKey = [this](FocusPlace where, NavigationKey key) {
        ToPresenter([&] { presenter_->Keyboard().OnKey(where, key); });
    };
    pane_->OnKey = [this](NavigationKey key) {
        ToPresenter([&] { presenter_->Keyboard().OnKey(FocusPlace::Pane, key); });
    };
}

template <typename F>
void MainWindow::ToPresenter(F&& call) {
    if (presenter_) call();
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The icon's messages first: its callback message has the value of
    // WM_RBUTTONUP.
    if (const auto answer = tray_.OnWindowMessage(message, lParam)) return *answer;
    switch (message) {
        case WM_TIMER:
            if (wParam == WatcherTimerId) ToPresenter([&] { presenter_->OnTimer(); });
            return 0;
        case WM_SIZE:
            return 0;  // OnResized
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE: {
            bool cancel = false;
            ToPresenter([&] { cancel = presenter_->OnQueryUnload(UnloadMode::UserClose); });
            if (!cancel) DestroyNow();
            return 0;
        }
        case WM_ACTIVATE:
            // The focus comes back to the control that had it.
            if (LOWORD(wParam) == WA_INACTIVE && IsChild(Handle(), GetFocus())) lastFocus_ = GetFocus();
            return Default(message, wParam, lParam);
        case WM_SETFOCUS:
            if (lastFocus_ && IsChild(Handle(), lastFocus_) && IsWindowVisible(lastFocus_))
                SetFocus(lastFocus_);
            else
                ToPresenter([&] { presenter_->Keyboard().FocusAfterShow(); });
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) {
                ToPresenter([&] { presenter_->OnQueryUnload(UnloadMode::SystemShutdown); });
                DestroyNow();
            }
            return 0;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            if (reinterpret_cast<HWND>(lParam) == statusLabel_) SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHT));
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        }
        case WM_DESTROY:
            KillTimer(Handle(), WatcherTimerId);
            return 0;
        default:
            if (message == ExitMessage() && message != 0) {
                // The setup program is about to replace or remove the files.
                ToPresenter([&] { presenter_->RunCommand(Command::ExitProgram); });
                return 0;
            }
            if (message == LiveCountMessage() && message != 0) {
                if (wParam == LivePictures) return WicPicture::Live();
                return wParam < LivePictures ? LiveHandles(static_cast<HandleKind>(wParam)) : -1;
            }
            return Default(message, wParam, lParam);
    }
}

void MainWindow::OnResized(int width, int height) {
    ToPresenter([&] { presenter_->OnResize(width, height); });
}

void MainWindow::OnDestroyed() {
    statusLabel_ = fileInfoLabel_ = nullptr;
    // The program lives as long as its main window.
    PostQuitMessage(0);
}

void MainWindow::RouteTrayIcon() {
    tray_.Route([this] { ToPresenter([&] { presenter_->OnTrayIconClick(); }); },
                [this] { ToPresenter([&] { presenter_->OnNoticeClick(); }); });
}

void MainWindow::AddTrayIcon(const std::string& tip) {
    // The icon's identifier is the icon's own handle.
    tray_.Add(Handle(), static_cast<UINT>(reinterpret_cast<UINT_PTR>(trayIcon_.Get())), trayIcon_.Get(),
              Widen(tip));
}

void MainWindow::RemoveTrayIcon() { tray_.Remove(); }

void MainWindow::ShowTrayNotice(const std::string& title, const std::string& text) {
    tray_.ShowBalloon(Widen(title), Widen(text));
}

void MainWindow::Show() {
    ShowWindow(Handle(), SW_SHOW);
    // Focus marks only after the keyboard is used, unless the system's
    // setting shows them always.
    SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
}

void MainWindow::Hide() { ShowWindow(Handle(), SW_HIDE); }

void MainWindow::SetCaption(const std::string& caption) { SetWindowTextW(Handle(), Widen(caption).c_str()); }

void MainWindow::SetStatusText(const std::string& text) { SetWindowTextW(statusLabel_, Widen(text).c_str()); }

void MainWindow::SetStatusVisible(bool visible) { ShowWindow(statusLabel_, visible ? SW_SHOW : SW_HIDE); }

void MainWindow::StartWatcherTimer(unsigned milliseconds) { SetTimer(Handle(), WatcherTimerId, milliseconds, nullptr); }

int MainWindow::ClientWidth() const {
    RECT client;
    GetClientRect(Handle(), &client);
    return client.right;
}

int MainWindow::ClientHeight() const {
    RECT client;
    GetClientRect(Handle(), &client);
    return client.bottom;
}

void MainWindow::SetStripWidth(int width) {
    SetWindowPos(strip_->Handle(), nullptr, 0, 0, width, PlacesAt(scale_).StripHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::SetPaneHeight(int height) { pane_->Resize(PlacesAt(scale_).PaneWidth, height); }

void MainWindow::SetLabelSizes(PixelSize fileInfo, PixelSize info) {
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(fileInfoLabel_, nullptr, 0, 0, fileInfo.Width, fileInfo.Height, flags);
    SetWindowPos(statusLabel_, nullptr, 0, 0, info.Width, info.Height, flags);
}

void MainWindow::SetPreviewPicture(std::shared_ptr<const Picture> picture) { preview_->SetPicture(std::move(picture)); }

void MainWindow::SetPreviewSize(PixelSize size) { preview_->SetSize(size.Width, size.Height); }

void MainWindow::SetPreviewVisible(bool visible) { ShowWindow(preview_->Handle(), visible ? SW_SHOW : SW_HIDE); }

void MainWindow::SetFileInfoText(const std::string& text) { SetWindowTextW(fileInfoLabel_, Widen(text).c_str()); }

void MainWindow::SetFileInfoVisible(bool visible) { ShowWindow(fileInfoLabel_, visible ? SW_SHOW : SW_HIDE); }

void MainWindow::AddPaneBar(const std::string& key, const std::string& title) { pane_->AddBar(key, title); }

void MainWindow::AddPaneItem(const std::string& barKey, const std::string& key, const std::string& caption,
                             int iconIndex) {
    pane_->AddItem(barKey, key, caption, iconIndex);
}

std::uint32_t MainWindow::PaneItemTextColor(const std::string& key) const { return pane_->ItemTextColor(key); }

void MainWindow::SetPaneItemClickable(const std::string& key, bool clickable) {
    pane_->SetItemClickable(key, clickable);
}

void MainWindow::SetPaneItemTextColor(const std::string& key, std::uint32_t color) {
    pane_->SetItemTextColor(key, static_cast<COLORREF>(color));
}

void MainWindow::SetPaneRedraw(bool on) { pane_->SetRedraw(on); }

bool MainWindow::PaneItemClickable(const std::string& key) const { return pane_->ItemClickable(key); }

void MainWindow::SetPaneFocusItem(const std::string& key) { pane_->SetFocusItem(key); }

void MainWindow::SetFocusPlace(FocusPlace place) {
    HWND control = place == FocusPlace::Pane    ? pane_->Handle()
                   : place == FocusPlace::Strip ? strip_->Handle()
                                                : strip_->ScrollBarWindow();
    SetFocus(control);
}

Command MainWindow::PopUpMenu(const Menu& menu, bool fromIcon) {
    // The icon's menu closes on a click elsewhere only when its owner is the
    // foreground window; it also lets the right button choose.
    if (fromIcon) SetForegroundWindow(Handle());
    POINT at{};
    GetCursorPos(&at);
    const Command chosen = TrackMenu(menu, Handle(), at, fromIcon ? TPM_RIGHTBUTTON : 0);
    if (fromIcon) PostMessageW(Handle(), WM_NULL, 0, 0);
    return chosen;
}

Command MainWindow::PopUpMenuAtThumbnail(const Menu& menu, int slot) {
    // At the thumbnail's lower left corner, where the keyboard user looks.
    const auto image = strip_->ImageRect(slot);
    POINT at{image ? image->left : 0, image ? image->bottom : 0};
    ClientToScreen(strip_->Handle(), &at);
    return TrackMenu(menu, Handle(), at, 0);
}

void MainWindow::Unload() { DestroyNow(); }

}  // namespace qw::win32
