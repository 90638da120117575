#pragma once
// Printing a picture on the default printer: the printer port and where the
// picture goes on the page. The printer works in twips (1/1440 inch), the
// picture's own size is in HIMETRIC (1/100 mm).

#include <cstdint>

#include "shared/Pictures.h"

namespace qw {

// The values Windows uses for a page's orientation.
enum class PageOrientation { Portrait = 1, Landscape = 2 };

struct TwipSize {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    bool operator==(const TwipSize&) const = default;
};

// Relative to the top-left corner of the printable area.
struct TwipRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    bool operator==(const TwipRect&) const = default;
};

class Printer {
public:
    virtual ~Printer() = default;
    // Starts a one-page document on the default printer, the page turned to
    // `orientation` before anything is measured, and returns the printable
    // area. Throws when there is no printer or it refuses the document.
    virtual TwipSize BeginDocument(PageOrientation orientation) = 0;
    // Draws the picture stretched to the rectangle. Throws on failure.
    virtual void DrawPicture(const Picture& picture, const TwipRect& rect) = 0;
    // Ends the document, which sends the page to the printer. Throws on failure.
    virtual void EndDocument() = 0;
    // Cancels the document begun, so no half-drawn page comes out. Never throws.
    virtual void AbortDocument() noexcept = 0;
};

// Portrait when the picture is at least as high as it is wide.
PageOrientation OrientationFor(const HimetricSize& picture);

// Where the picture is printed in the printable area: at its own size when
// its sides, read as twips, are both below the area's; otherwise as large as
// the area allows with its proportions kept. Always at the area's top-left
// corner, never centred. Throws std::invalid_argument for a picture or an
// area with a side of 0 or less, which cannot be printed.
TwipRect PrintRectangle(const HimetricSize& picture, const TwipSize& printable);

}  // namespace qw
