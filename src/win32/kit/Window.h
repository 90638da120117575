#pragma once
// The window kit: what every window, control and dialog of both programs
// does the same way.
//
// - `Window` binds a C++ object to its window from WM_NCCREATE on, sends every
//   message to one member, `OnMessage`, never lets an exception unwind into
//   Windows (it is shown to the user instead), and lets go at WM_NCDESTROY.
//   The object owns its window: destroying the object destroys the window,
//   and a window destroyed first (a parent takes its children along) leaves
//   the object with no handle.
// - `RegisterWindowClass` is the one checked way to register a class.
// - `Subclass` is the one way to watch the messages of a window made by
//   someone else (a system control, or a window whose procedure is not ours).
// - `WindowArgs` is the small creation-arguments struct every window takes.
//
// How to add a window
//
//   1. Derive from `Window`. Give the constructor the instance and a
//      `WindowArgs` (parent, style, place) and call `Create` in its body with
//      the window's `WindowClass`; `Create` throws when the window cannot be
//      made, and the object then owns nothing.
//   2. Override `OnMessage`; answer what the window handles and return
//      `Default(...)` for the rest. Reach the presenter there: the window
//      decides nothing itself. The messages every window handles come
//      decoded first: `OnResized` has the new client size (the message then
//      goes on to `OnMessage` as well).
//   3. Hold fonts, brushes, bitmaps, icons and child windows in the owners of
//      "win32/kit/Handles.h" (or as child `Window` objects), never as raw handles.
//      Paint through `PaintScope` and, when the window draws a lot,
//      `BufferedPaint`.
//      A window that paints every pixel itself answers the paint messages
//      with `PaintEveryPixel`.
//   4. Override `OnDestroyed` only when something must happen once the
//      window is gone for good (the main window ends the message loop there).

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace qw::win32 {

// Where and how a window is made.
struct WindowArgs {
    HWND Parent = nullptr;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = CW_USEDEFAULT;
    int Y = CW_USEDEFAULT;
    int Width = CW_USEDEFAULT;
    int Height = CW_USEDEFAULT;
    std::wstring Title{};
    UINT_PTR ChildId = 0;  // a child's control identifier
};

// What a window class is made of besides its procedure, which is always the kit's.
struct WindowClass {
    const wchar_t* Name = nullptr;
    UINT Style = 0;
    const wchar_t* Cursor = IDC_ARROW;  // a system cursor
    HBRUSH Background = nullptr;         // nullptr: the window paints every pixel itself
    HICON Icon = nullptr;
    HICON SmallIcon = nullptr;
};

// Registers the class once per process with the kit's window procedure. A
// class of the name that is already registered with another procedure, or a
// registration that fails, throws std::runtime_error.
void RegisterWindowClass(HINSTANCE instance, const WindowClass& windowClass);

class Window {
public:
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // nullptr before Create and once the window is gone.
    HWND Handle() const { return window_; }

protected:
    Window() = default;

    // Registers the class (see RegisterWindowClass) and makes the window,
    // bound to this object. Throws std::runtime_error when it cannot be made.
    void Create(HINSTANCE instance, const WindowClass& windowClass, const WindowArgs& args);

    // Every message of the window. An exception is shown to the user and the
    // message answered with 0.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

    // WM_SIZE: the new size of the client area, in pixels.
    virtual void OnResized(int /*width*/, int /*height*/) {}

    // The window is gone (after WM_NCDESTROY); Handle() is nullptr from here on.
    virtual void OnDestroyed() {}

    // Destroys the window now (does nothing when it is gone already).
    void DestroyNow();

private:
    friend LRESULT CALLBACK KitWindowProcedure(HWND, UINT, WPARAM, LPARAM);
    HWND window_ = nullptr;
};

// Watches another window's messages. The handler answers a message by
// returning a result, or lets the window have it by returning nothing.
// Detached when the watcher goes or the window is destroyed.
class Subclass {
public:
    using Handler = std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)>;

    Subclass() = default;
    ~Subclass();
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

    // Throws std::runtime_error when the window cannot be watched; a second
    // Attach replaces the first.
    void Attach(HWND window, Handler handler);
    void Detach();
    bool Attached() const { return window_ != nullptr; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
    HWND window_ = nullptr;
    Handler handler_;
};

// The paint messages of a window that paints every pixel of its client area
// itself: no background erase, WM_PAINT drawn off screen and copied at once
// (nothing flickers), WM_PRINTCLIENT drawn straight into the DC given.
// `paint` draws the area onto the DC in client coordinates. Returns nothing
// for every other message.
std::optional<LRESULT> PaintEveryPixel(HWND window, UINT message, WPARAM wParam,
                                       const std::function<void(HDC dc, const RECT& area)>& paint);

// Tells the user about a failure nothing else handled; the program goes on.
void ShowUnexpectedError(HWND owner, const std::string& what);

// Runs a call, showing any failure instead of letting it unwind through
// Windows' frames. Returns false when the call failed.
template <typename F>
bool Guarded(HWND owner, F&& call) {
    try {
        call();
        return true;
    } catch (const std::exception& e) {
        ShowUnexpectedError(owner, e.what());
    } catch (...) {
        ShowUnexpectedError(owner, "An unexpected error occurred.");
    }
    return false;
}

}  // namespace qw::win32
