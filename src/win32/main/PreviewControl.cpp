#include "win32/PreviewControl.h"

#include "win32/WicPictures.h"
#include "win32/WindowObject.h"

namespace qw::win32 {

namespace {
const wchar_t* const PreviewClass = L"QuillwavePreview";
}

PreviewControl::PreviewControl(HWND parent, HINSTANCE instance, int x, int y) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &PreviewControl::WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = PreviewClass;
    RegisterClassExW(&wc);  // fails harmlessly when already registered
    window_ = CreateWindowExW(0, PreviewClass, L"", WS_CHILD | WS_CLIPSIBLINGS, x, y, 0, 0, parent, nullptr,
                              instance, this);
}

PreviewControl::~PreviewControl() {
    if (window_) DestroyWindow(window_);
}

void PreviewControl::SetPicture(std::shared_ptr<const qw::Picture> picture) {
    picture_ = std::move(picture);
    InvalidateRect(window_, nullptr, FALSE);
}

void PreviewControl::SetSize(int width, int height) {
    SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, FALSE);
}

LRESULT CALLBACK PreviewControl::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowObject<PreviewControl>(window, message, lParam);
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            if (self) {
                self->window_ = window;
                self->Paint();
                return 0;
            }
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            if (self && self->OnMouseUp) Guarded(window, [&] { self->OnMouseUp(message == WM_LBUTTONUP ? 1 : 2); });
            return 0;
        case WM_NCDESTROY:
            if (self) self->window_ = nullptr;
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void PreviewControl::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    // The picture object is shared with the presenter; drawing renders it at
    // the control's size once and keeps that bitmap for later paints.
    auto* picture = dynamic_cast<const WicPicture*>(picture_.get());
    if (picture && client.right > 0 && client.bottom > 0) {
        try {
            picture->Draw(dc, 0, 0, client.right, client.bottom);
        } catch (const std::exception&) {
            // A picture that cannot be drawn leaves the preview white.
        }
    }
    EndPaint(window_, &ps);
}

}  // namespace qw::win32
