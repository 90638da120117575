#include "main/MainLayout.h"

namespace qw {

PixelSize PreviewBox(int clientWidth, int clientHeight) {
    return {clientWidth - PreviewLeft - LowerMargin, clientHeight - PreviewTop - LowerMargin};
}

MainLayout LayoutFor(int clientWidth, int clientHeight, PixelSize picture) {
    MainLayout layout;
    if (clientWidth - PaneWidth > 0) layout.StripWidth = clientWidth - PaneWidth;
    const PixelSize box = PreviewBox(clientWidth, clientHeight);
    layout.Preview = GetSize(picture.Width, picture.Height, box.Width, box.Height, FitMode::ShrinkOnly);
    layout.PaneHeight = clientHeight;
    // Both labels share the preview's corner, so one rule sizes both.
    const PixelSize label = box.Width > 0 && box.Height > 0 ? box : PixelSize{0, 0};
    layout.FileInfo = label;
    layout.Info = label;
    return layout;
}

}  // namespace qw
