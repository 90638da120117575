#include <gtest/gtest.h>

#include <string>

#include "main/MainLayout.h"

namespace qw {
namespace {

TEST(MainLayout, DesignedSizeGivesTheStripThreeSlotsAndTheLowerRectangle) {
    // The places are 96-dpi pixels, scaled to the window's resolution.
    const struct { int dpi, pane, strip, previewLeft, previewTop; PixelSize client, box; } cases[] = {
        {96, 220, 131, 230, 141, {672, 515}, {432, 364}},
        {120, 275, 164, 287, 176, {840, 644}, {541, 456}},
        {144, 330, 196, 345, 211, {1008, 772}, {648, 546}},
        {192, 440, 262, 460, 282, {1344, 1030}, {864, 728}},
    };
    for (const auto& c : cases) {
        const MainPlaces p = PlacesAt(Scale{c.dpi});
        EXPECT_EQ(p.PaneWidth, c.pane) << c.dpi;
        EXPECT_EQ(p.StripHeight, c.strip) << c.dpi;
        EXPECT_EQ(p.PreviewLeft, c.previewLeft) << c.dpi;
        EXPECT_EQ(p.PreviewTop, c.previewTop) << c.dpi;
        EXPECT_EQ(p.DesignedClient, c.client) << c.dpi;
        const MainLayout l = LayoutFor(c.client.Width, c.client.Height, {0, 0}, Scale{c.dpi});
        EXPECT_EQ(l.StripWidth, c.client.Width - c.pane) << c.dpi;
        EXPECT_EQ(l.PaneHeight, c.client.Height) << c.dpi;
        EXPECT_EQ(l.Preview, (PixelSize{0, 0})) << c.dpi;
        EXPECT_EQ(l.FileInfo, c.box) << c.dpi;
        EXPECT_EQ(l.Info, c.box) << c.dpi;
        EXPECT_EQ(PreviewBox(c.client.Width, c.client.Height, Scale{c.dpi}), c.box) << c.dpi;
    }
}

TEST(MainLayout, PreviewIsShrunkToTheRectangleButNeverEnlarged) {
    struct Case {
        int dpi, w, h;
        PixelSize picture, expected;
    };
    const Case cases[] = {
        {96, 672, 515, {640, 480}, {432, 324}},
        {96, 672, 515, {300, 200}, {300, 200}},
        {96, 540, 351, {300, 200}, {300, 200}},   // exactly the room it needs
        {96, 539, 351, {300, 200}, {299, 199}},   // one pixel short: shrunk
        {96, 672, 515, {200, 800}, {91, 364}},
        {144, 1008, 772, {960, 720}, {648, 486}},
        {144, 810, 526, {450, 300}, {450, 300}},  // exactly the room at 150 %
        {192, 1344, 1030, {1280, 960}, {864, 648}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LayoutFor(c.w, c.h, c.picture, Scale{c.dpi}).Preview, c.expected) << c.dpi << ": " << c.w << "x" << c.h;
}

TEST(MainLayout, SmallWindowsCollapseTheLowerRectangleAndKeepTheStripWidth) {
    // Per scale: the widest client that leaves the strip's width alone, the
    // widest and the tallest that collapse the lower rectangle.
    const struct { int dpi, stripKept, narrowest, lowest; } scales[] = {
        {96, 220, 240, 151}, {120, 275, 299, 188}, {144, 330, 360, 226}, {192, 440, 480, 302},
    };
    for (const auto& s : scales) {
        const int wide = 2 * s.narrowest, tall = 2 * s.lowest;
        const struct { int w, h; std::optional<int> strip; bool collapsed; } cases[] = {
            {s.stripKept + 1, tall, 1, true},  {s.stripKept, tall, std::nullopt, true}, {0, 0, std::nullopt, true},
            {s.narrowest, tall, s.narrowest - s.stripKept, true},
            {s.narrowest + 1, tall, s.narrowest + 1 - s.stripKept, false},
            {wide, s.lowest, wide - s.stripKept, true}, {wide, s.lowest + 1, wide - s.stripKept, false},
        };
        for (const auto& c : cases) {
            const MainLayout l = LayoutFor(c.w, c.h, {640, 480}, Scale{s.dpi});
            const std::string where = std::to_string(s.dpi) + ": " + std::to_string(c.w) + "x" + std::to_string(c.h);
            EXPECT_EQ(l.StripWidth, c.strip) << where;
            EXPECT_EQ(l.FileInfo.Width == 0 && l.FileInfo.Height == 0, c.collapsed) << where;
            EXPECT_EQ(l.Preview.Width == 0 || l.Preview.Height == 0, c.collapsed) << where;
            EXPECT_GE(l.Preview.Width, 0);
            EXPECT_GE(l.Preview.Height, 0);
        }
    }
}

}  // namespace
}  // namespace qw
