#pragma once
// Where the main window's controls go: the task pane down the left edge, the
// thumbnail strip across the top of the rest, and below it one rectangle
// shared by the preview and the two labels, 10 pixels in from every side.

#include <optional>

#include "shared/PictureFitting.h"

namespace qw {

inline constexpr int PaneWidth = 220;    // also the strip's left edge
inline constexpr int StripHeightOnForm = 131;
inline constexpr int LowerMargin = 10;
inline constexpr int PreviewLeft = PaneWidth + LowerMargin;          // 230
inline constexpr int PreviewTop = StripHeightOnForm + LowerMargin;   // 141

struct MainLayout {
    std::optional<int> StripWidth;  // none: the strip keeps its width
    PixelSize Preview;              // the picture fitted into the lower rectangle
    int PaneHeight = 0;
    PixelSize FileInfo;             // lblFileInfo
    PixelSize Info;                 // lblInfo
};

// The sizes for a client area, with the preview's picture in pixels (0 x 0
// when there is none). Nothing is ever negative.
MainLayout LayoutFor(int clientWidth, int clientHeight, PixelSize picture);

// The largest size the preview may take in a client area.
PixelSize PreviewBox(int clientWidth, int clientHeight);

}  // namespace qw
