#pragma once
// Printing on the default printer with GDI: one page per document, turned
// to the orientation asked for before the page is measured.

#include "main/Printing.h"
#include "win32/kit/Handles.h"

namespace qw::win32 {

class Win32Printer : public qw::Printer {
public:
    Win32Printer() = default;
    ~Win32Printer() override { AbortDocument(); }
    Win32Printer(const Win32Printer&) = delete;
    Win32Printer& operator=(const Win32Printer&) = delete;

    // Throws std::runtime_error when there is no default printer or it
    // refuses the document.
    qw::TwipSize BeginDocument(qw::PageOrientation orientation) override;
    // Paints the picture at no more pixels than it has and lets the printer
    // stretch it to the rectangle. Throws PictureError or std::runtime_error.
    void DrawPicture(const qw::Picture& picture, const qw::TwipRect& rect) override;
    void EndDocument() override;
    void AbortDocument() noexcept override;

private:
    PrinterDC dc_;
    bool started_ = false;  // StartDoc succeeded and neither EndDoc nor AbortDoc followed
};

// Device pixels at `dpi` as twips, and back; rounded half to even. Throws
// std::runtime_error for a resolution of 0 or less.
std::int32_t PixelsToTwips(std::int32_t pixels, int dpi);
std::int32_t TwipsToPixels(std::int32_t twips, int dpi);

}  // namespace qw::win32
