#include "win32/main/Win32Printer.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "shared/Text.h"
#include "win32/kit/Utf.h"
#include "win32/main/PaintedPicture.h"

namespace qw::win32 {

namespace {

constexpr int kTwipsPerInch = 1440;

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + ErrorText(GetLastError()));
}

std::wstring DefaultPrinter() {
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0) Fail("There is no default printer");
    std::wstring name(size, L'\0');
    if (!GetDefaultPrinterW(name.data(), &size)) Fail("The default printer cannot be named");
    name.resize(wcslen(name.c_str()));
    return name;
}

// The printer's own settings with the page turned as asked, merged by its
// driver, so the device context is made with them and measures the turned page.
std::vector<BYTE> PageSettings(const std::wstring& printer, qw::PageOrientation orientation) {
    std::wstring name = printer;
    PrinterHandle handle;
    if (!OpenPrinterW(name.data(), handle.Receive(), nullptr)) Fail("The printer cannot be opened");
    const LONG size = DocumentPropertiesW(nullptr, handle.Get(), name.data(), nullptr, nullptr, 0);
    if (size < static_cast<LONG>(sizeof(DEVMODEW))) Fail("The printer's settings cannot be read");
    std::vector<BYTE> settings(static_cast<std::size_t>(size));
    auto* mode = reinterpret_cast<DEVMODEW*>(settings.data());
    if (DocumentPropertiesW(nullptr, handle.Get(), name.data(), mode, nullptr, DM_OUT_BUFFER) != IDOK)
        Fail("The printer's settings cannot be read");
    mode->dmFields |= DM_ORIENTATION;
    mode->dmOrientation = orientation == qw::PageOrientation::Landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    if (DocumentPropertiesW(nullptr, handle.Get(), name.data(), mode, mode, DM_IN_BUFFER | DM_OUT_BUFFER) != IDOK)
        Fail("The printer refused the page's orientation");
    return settings;
}

}  // namespace

std::int32_t PixelsToTwips(std::int32_t pixels, int dpi) {
    if (dpi <= 0) throw std::runtime_error("The printer reports no resolution");
    return static_cast<std::int32_t>(qw::RoundedQuotient(std::int64_t{pixels} * kTwipsPerInch, dpi));
}

std::int32_t TwipsToPixels(std::int32_t twips, int dpi) {
    if (dpi <= 0) throw std::runtime_error("The printer reports no resolution");
    return static_cast<std::int32_t>(qw::RoundedQuotient(std::int64_t{twips} * dpi, kTwipsPerInch));
}

qw::TwipSize Win32Printer::BeginDocument(qw::PageOrientation orientation) {
    AbortDocument();  // one document at a time
    const std::wstring printer = DefaultPrinter();
    std::vector<BYTE> settings = PageSettings(printer, orientation);
    dc_.Reset(CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, reinterpret_cast<DEVMODEW*>(settings.data())));
    if (!dc_) Fail("The printer cannot be drawn on");
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = L"Quillwave!";
    if (StartDocW(dc_.Get(), &document) <= 0) {
        dc_.Reset();
        Fail("The printer refused the document");
    }
    started_ = true;
    if (StartPage(dc_.Get()) <= 0) {
        const DWORD error = GetLastError();
        AbortDocument();
        SetLastError(error);
        Fail("The printer refused the page");
    }
    const HDC dc = dc_.Get();
    return {PixelsToTwips(GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, LOGPIXELSX)),
            PixelsToTwips(GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, LOGPIXELSY))};
}

void Win32Printer::DrawPicture(const qw::Picture& picture, const qw::TwipRect& rect) {
    if (!started_) throw std::logic_error("a picture is printed between BeginDocument and EndDocument");
    const HDC dc = dc_.Get();
    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    const int left = TwipsToPixels(rect.Left, dpiX), top = TwipsToPixels(rect.Top, dpiY);
    const int width = TwipsToPixels(rect.Width, dpiX), height = TwipsToPixels(rect.Height, dpiY);
    if (width <= 0 || height <= 0) return;  // smaller than one printer dot
    // More pixels than the picture has add nothing but memory; the printer
    // stretches the bitmap to the rectangle itself.
    const qw::PixelSize own = OwnPixelSize(picture);
    const PaintedPicture painted(picture, std::clamp(own.Width, 1, width), std::clamp(own.Height, 1, height));
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    const int lines = StretchDIBits(dc, left, top, width, height, 0, 0, painted.Header().biWidth,
                                    painted.Header().biHeight, painted.Bits(), &painted.Info(), DIB_RGB_COLORS,
                                    SRCCOPY);
    if (lines == 0 || lines == static_cast<int>(GDI_ERROR)) Fail("The picture cannot be printed");
}

void Win32Printer::EndDocument() {
    if (!started_) throw std::logic_error("no document to end");
    if (EndPage(dc_.Get()) <= 0) Fail("The printer refused the page");
    if (EndDoc(dc_.Get()) <= 0) Fail("The printer refused the document");
    started_ = false;
    dc_.Reset();
}

void Win32Printer::AbortDocument() noexcept {
    if (started_) AbortDoc(dc_.Get());
    started_ = false;
    dc_.Reset();
}

}  // namespace qw::win32
