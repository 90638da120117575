#pragma once
// The preview imgMain: a child window that shows one picture stretched to its
// own size and reports mouse buttons released over it.

#include <windows.h>

#include <functional>
#include <memory>

#include "shared/Pictures.h"
#include "win32/kit/Window.h"

namespace qw::win32 {

class PreviewControl : public Window {
public:
    // A hidden child window (args give the parent and the place; a size of 0 x 0 is fine).
    PreviewControl(HINSTANCE instance, WindowArgs args);

    void SetPicture(std::shared_ptr<const qw::Picture> picture);
    void SetSize(int width, int height);

    // 1 for the left button, 2 for the right.
    std::function<void(int button)> OnMouseUp;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc) const;

    std::shared_ptr<const qw::Picture> picture_;
};

}  // namespace qw::win32
