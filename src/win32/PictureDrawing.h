#pragma once
// Pictures as the windows draw them. The core hands pictures around as the
// portable `qw::Picture`; the program's loaders make pictures that can also
// draw themselves onto a device context, and this is the one place that
// tells the two apart.

#include <windows.h>

#include "shared/Pictures.h"

namespace qw::win32 {

class DrawablePicture : public qw::Picture {
public:
    // Draws the picture scaled to the rectangle, transparency included;
    // nothing for an empty rectangle. Throws PictureError.
    virtual void Draw(HDC dc, const RECT& where) const = 0;
    // The window that drew it at this size shows something else now: a
    // picture that keeps its drawing of that size lets it go.
    virtual void ForgetDrawing(const RECT& /*where*/) const noexcept {}
};

// Throws PictureError for a picture that was not made by one of the
// program's loaders, or that cannot be drawn.
void DrawPicture(HDC dc, const qw::Picture& picture, const RECT& where);

}  // namespace qw::win32
