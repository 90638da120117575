#pragma once
// Where the main window's controls go: the task pane down the left edge, the
// thumbnail strip across the top of the rest, and below it one rectangle
// shared by the preview and the two labels, 10 pixels in from every side.
// The lengths are pixels at 96 dpi; a window on another screen scales them.

#include <optional>

#include "shared/PictureFitting.h"
#include "shared/Scale.h"

namespace qw {

inline constexpr int PaneWidth = 220;    // also the strip's left edge
inline constexpr int StripHeightOnForm = 131;
inline constexpr int LowerMargin = 10;
inline constexpr int PreviewLeft = PaneWidth + LowerMargin;          // 230
inline constexpr int PreviewTop = StripHeightOnForm + LowerMargin;   // 141
inline constexpr int DesignedClientWidth = 672;
inline constexpr int DesignedClientHeight = 515;

// The fixed places at a scale, in the window's pixels. Each length is scaled
// on its own and the places are summed from them, so the preview's corner
// always lies one margin from the pane and from the strip.
struct MainPlaces {
    int PaneWidth = 0;    // also the strip's left edge
    int StripHeight = 0;
    int Margin = 0;
    int PreviewLeft = 0;
    int PreviewTop = 0;
    PixelSize DesignedClient;
};
MainPlaces PlacesAt(Scale scale);

struct MainLayout {
    std::optional<int> StripWidth;  // none: the strip keeps its width
    PixelSize Preview;              // the picture fitted into the lower rectangle
    int PaneHeight = 0;
    PixelSize FileInfo;             // lblFileInfo
    PixelSize Info;                 // lblInfo
};

// The sizes for a client area at a scale, with the preview's picture in the
// window's pixels (0 x 0 when there is none). Nothing is ever negative.
MainLayout LayoutFor(int clientWidth, int clientHeight, PixelSize picture, Scale scale);

// The largest size the preview may take in a client area.
PixelSize PreviewBox(int clientWidth, int clientHeight, Scale scale);

}  // namespace qw
