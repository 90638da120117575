#include "win32/kit/Fonts.h"

#include "win32/kit/Display.h"
#include "win32/kit/Dpi.h"

namespace qw::win32 {

LOGFONTW MessageFontDescription(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW description{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        description = metrics.lfMessageFont;
    else
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    // The system gives it at its own resolution; a window on a monitor of
    // another scale needs it that much larger or smaller.
    if (dpi > 0) description.lfHeight = MulDiv(description.lfHeight, dpi, SystemDpi());
    return description;
}

Font FontFrom(LOGFONTW description, LONG weight, bool underline) {
    description.lfWeight = weight;
    description.lfUnderline = underline ? TRUE : FALSE;
    return Font(CreateFontIndirectW(&description));
}

Font PointFont(const wchar_t* face, int pointsTimes100, LONG weight, bool italic, int dpi) {
    const int height = -MulDiv(pointsTimes100, dpi > 0 ? dpi : ScreenResolution().DpiY, 7200);
    return Font(CreateFontW(height, 0, 0, 0, weight, italic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, face));
}

}  // namespace qw::win32
