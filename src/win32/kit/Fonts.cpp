#include "win32/kit/Fonts.h"

#include "win32/kit/Display.h"

namespace qw::win32 {

LOGFONTW MessageFontDescription() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW description{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        description = metrics.lfMessageFont;
    else
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    return description;
}

Font FontFrom(LOGFONTW description, LONG weight, bool underline) {
    description.lfWeight = weight;
    description.lfUnderline = underline ? TRUE : FALSE;
    return Font(CreateFontIndirectW(&description));
}

Font PointFont(const wchar_t* face, int pointsTimes100, LONG weight, bool italic) {
    const int height = -MulDiv(pointsTimes100, ScreenResolution().DpiY, 7200);
    return Font(CreateFontW(height, 0, 0, 0, weight, italic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, face));
}

}  // namespace qw::win32
