#include "win32/kit/Window.h"

#include <commctrl.h>

#include <stdexcept>
#include <utility>

#include "win32/kit/Handles.h"
#include "win32/kit/Utf.h"

namespace qw::win32 {

LRESULT CALLBACK KitWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (self) self->window_ = window;
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        Guarded(nullptr, [&] { self->OnDestroyed(); });
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    Guarded(window, [&] {
        if (message == WM_SIZE) self->OnResized(LOWORD(lParam), HIWORD(lParam));
        result = self->OnMessage(message, wParam, lParam);
    });
    return result;
}

void RegisterWindowClass(HINSTANCE instance, const WindowClass& windowClass) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(instance, windowClass.Name, &wc)) {
        if (wc.lpfnWndProc != &KitWindowProcedure)
            throw std::runtime_error("the window class \"" + Narrow(windowClass.Name) +
                                     "\" is registered by other code");
        return;
    }
    wc = {};
    wc.cbSize = sizeof wc;
    wc.style = windowClass.Style;
    wc.lpfnWndProc = &KitWindowProcedure;
    wc.hInstance = instance;
    wc.hIcon = windowClass.Icon;
    wc.hIconSm = windowClass.SmallIcon;
    wc.hCursor = windowClass.Cursor ? LoadCursorW(nullptr, windowClass.Cursor) : nullptr;
    wc.hbrBackground = windowClass.Background;
    wc.lpszClassName = windowClass.Name;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw std::runtime_error("cannot register the window class \"" + Narrow(windowClass.Name) +
                                 "\": " + ErrorText(GetLastError()));
}

Window::~Window() {
    // The object is going: the window must not reach it any more, not even
    // with the messages that destroying it sends.
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(std::exchange(window_, nullptr));
    }
}

void Window::Create(HINSTANCE instance, const WindowClass& windowClass, const WindowArgs& args) {
    RegisterWindowClass(instance, windowClass);
    HMENU id = (args.Style & WS_CHILD) ? reinterpret_cast<HMENU>(args.ChildId) : nullptr;
    // WM_NCCREATE binds the window to this object and sets window_.
    HWND made = CreateWindowExW(args.ExStyle, windowClass.Name, args.Title.c_str(), args.Style, args.X, args.Y,
                                args.Width, args.Height, args.Parent, id, instance, this);
    if (!made) {
        const DWORD error = GetLastError();
        window_ = nullptr;
        throw std::runtime_error("cannot create the window \"" + Narrow(windowClass.Name) +
                                 "\": " + ErrorText(error));
    }
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) { return Default(message, wParam, lParam); }

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window_, message, wParam, lParam);
}

void Window::DestroyNow() {
    if (window_) DestroyWindow(window_);
}

// ---------------------------------------------------------------- subclassing

Subclass::~Subclass() { Detach(); }

void Subclass::Attach(HWND window, Handler handler) {
    Detach();
    handler_ = std::move(handler);
    if (!SetWindowSubclass(window, &Subclass::Procedure, 0, reinterpret_cast<DWORD_PTR>(this)))
        throw std::runtime_error("cannot watch a window's messages: " + ErrorText(GetLastError()));
    window_ = window;
}

void Subclass::Detach() {
    if (window_) RemoveWindowSubclass(std::exchange(window_, nullptr), &Subclass::Procedure, 0);
}

LRESULT CALLBACK Subclass::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data) {
    auto* self = reinterpret_cast<Subclass*>(data);
    if (message == WM_NCDESTROY) {
        self->Detach();
        return DefSubclassProc(window, message, wParam, lParam);
    }
    std::optional<LRESULT> answer;
    if (self->handler_) Guarded(window, [&] { answer = self->handler_(message, wParam, lParam); });
    return answer ? *answer : DefSubclassProc(window, message, wParam, lParam);
}

// ---------------------------------------------------------------- painting

std::optional<LRESULT> PaintEveryPixel(HWND window, UINT message, WPARAM wParam,
                                       const std::function<void(HDC dc, const RECT& area)>& paint) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            const PaintScope scope(window);
            const BufferedPaint buffer(scope.DC(), scope.Area());
            if (buffer.DC()) paint(buffer.DC(), scope.Area());
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client;
            GetClientRect(window, &client);
            paint(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        default:
            return std::nullopt;
    }
}

// ---------------------------------------------------------------- failures

void ShowUnexpectedError(HWND owner, const std::string& what) {
    const std::wstring text = L"Quillwave! could not complete the last action:\n\n" + Widen(what);
    MessageBoxW(owner ? GetAncestor(owner, GA_ROOT) : nullptr, text.c_str(), L"Quillwave!", MB_OK | MB_ICONERROR);
}

}  // namespace qw::win32
