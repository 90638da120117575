#include "win32/main/PreviewControl.h"

#include "win32/kit/Handles.h"
#include "win32/PictureDrawing.h"

namespace qw::win32 {

PreviewControl::PreviewControl(HINSTANCE instance, WindowArgs args) {
    args.Style |= WS_CHILD | WS_CLIPSIBLINGS;
    Create(instance, {.Name = L"QuillwavePreview"}, args);
}

void PreviewControl::SetPicture(std::shared_ptr<const qw::Picture> picture) {
    picture_ = std::move(picture);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void PreviewControl::SetSize(int width, int height) {
    SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT PreviewControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // Paint covers every pixel
        case WM_PAINT: {
            PaintScope paint(Handle());
            Paint(paint.DC());
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            if (OnMouseUp) OnMouseUp(message == WM_LBUTTONUP ? 1 : 2);
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

void PreviewControl::Paint(HDC dc) const {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (!picture_ || client.right <= 0 || client.bottom <= 0) return;
    try {
        // The picture keeps its rendering at this size for later paints.
        DrawPicture(dc, *picture_, client);
    } catch (const std::exception&) {
        // A paint has no one to report to; a picture that cannot be drawn
        // leaves the preview white.
    }
}

}  // namespace qw::win32
