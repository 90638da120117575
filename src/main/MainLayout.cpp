#include "main/MainLayout.h"

namespace qw {

MainPlaces PlacesAt(Scale scale) {
    MainPlaces places;
    places.PaneWidth = scale(PaneWidth);
    places.StripHeight = scale(StripHeightOnForm);
    places.Margin = scale(LowerMargin);
    places.PreviewLeft = places.PaneWidth + places.Margin;
    places.PreviewTop = places.StripHeight + places.Margin;
    places.DesignedClient = {scale(DesignedClientWidth), scale(DesignedClientHeight)};
    return places;
}

PixelSize PreviewBox(int clientWidth, int clientHeight, Scale scale) {
    const MainPlaces places = PlacesAt(scale);
    return {clientWidth - places.PreviewLeft - places.Margin, clientHeight - places.PreviewTop - places.Margin};
}

MainLayout LayoutFor(int clientWidth, int clientHeight, PixelSize picture, Scale scale) {
    MainLayout layout;
    const int paneWidth = PlacesAt(scale).PaneWidth;
    if (clientWidth - paneWidth > 0) layout.StripWidth = clientWidth - paneWidth;
    const PixelSize box = PreviewBox(clientWidth, clientHeight, scale);
    layout.Preview = GetSize(picture.Width, picture.Height, box.Width, box.Height, FitMode::ShrinkOnly);
    layout.PaneHeight = clientHeight;
    // Both labels share the preview's corner, so one rule sizes both.
    const PixelSize label = box.Width > 0 && box.Height > 0 ? box : PixelSize{0, 0};
    layout.FileInfo = label;
    layout.Info = label;
    return layout;
}

}  // namespace qw
