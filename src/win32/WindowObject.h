#pragma once
// What every window of the program does the same way: find the C++ object
// behind a window, and keep exceptions from unwinding through the Windows
// code that called a window procedure.

#include <windows.h>

#include <string>

namespace qw::win32 {

// The object given as the creation parameter of CreateWindowExW is kept in
// the window's user data from WM_NCCREATE on; at WM_NCDESTROY the window
// lets go of it (the object is returned a last time). nullptr before
// WM_NCCREATE and for windows created without one.
template <typename T>
T* WindowObject(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        return self;
    }
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return self;
}

// Tells the user about a failure nothing else handled; the program goes on.
void ShowUnexpectedError(HWND owner, const std::string& what);

// Runs a call from a window procedure, showing any failure instead of letting
// it unwind through Windows' frames. Returns false when the call failed.
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
