#pragma once
// The preview imgMain: a child window that shows one picture stretched to its
// own size and reports mouse buttons released over it.

#include <windows.h>

#include <functional>
#include <memory>

#include "shared/Pictures.h"

namespace qw::win32 {

class PreviewControl {
public:
    PreviewControl(HWND parent, HINSTANCE instance, int x, int y);
    ~PreviewControl();
    PreviewControl(const PreviewControl&) = delete;
    PreviewControl& operator=(const PreviewControl&) = delete;

    HWND Window() const { return window_; }
    void SetPicture(std::shared_ptr<const qw::Picture> picture);
    void SetSize(int width, int height);

    // 1 for the left button, 2 for the right.
    std::function<void(int button)> OnMouseUp;

private:
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();

    HWND window_ = nullptr;
    std::shared_ptr<const qw::Picture> picture_;
};

}  // namespace qw::win32
