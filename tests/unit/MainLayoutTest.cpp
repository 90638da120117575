#include <gtest/gtest.h>

#include "main/MainLayout.h"

namespace qw {
namespace {

TEST(MainLayout, DesignedSizeGivesTheStripThreeSlotsAndTheLowerRectangle) {
    const MainLayout l = LayoutFor(672, 515, {0, 0});
    EXPECT_EQ(l.StripWidth, 452);
    EXPECT_EQ(l.PaneHeight, 515);
    EXPECT_EQ(l.Preview, (PixelSize{0, 0}));
    EXPECT_EQ(l.FileInfo, (PixelSize{432, 364}));
    EXPECT_EQ(l.Info, (PixelSize{432, 364}));
    EXPECT_EQ(PreviewBox(672, 515), (PixelSize{432, 364}));
}

TEST(MainLayout, PreviewIsShrunkToTheRectangleButNeverEnlarged) {
    struct Case {
        int w, h;
        PixelSize picture, expected;
    };
    const Case cases[] = {
        {672, 515, {640, 480}, {432, 324}},
        {672, 515, {300, 200}, {300, 200}},
        {540, 351, {300, 200}, {300, 200}},   // exactly the room it needs
        {539, 351, {300, 200}, {299, 199}},   // one pixel short: shrunk
        {672, 515, {200, 800}, {91, 364}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LayoutFor(c.w, c.h, c.picture).Preview, c.expected) << c.w << "x" << c.h;
}

TEST(MainLayout, SmallWindowsCollapseTheLowerRectangleAndKeepTheStripWidth) {
    struct Case {
        int w, h;
        std::optional<int> strip;
        bool collapsed;
    };
    const Case cases[] = {
        {221, 515, 1, true},        {220, 515, std::nullopt, true}, {0, 0, std::nullopt, true},
        {240, 515, 20, true},       {241, 515, 21, false},          {672, 151, 452, true},
        {672, 152, 452, false},
    };
    for (const auto& c : cases) {
        const MainLayout l = LayoutFor(c.w, c.h, {640, 480});
        EXPECT_EQ(l.StripWidth, c.strip) << c.w << "x" << c.h;
        EXPECT_EQ(l.FileInfo.Width == 0 && l.FileInfo.Height == 0, c.collapsed) << c.w << "x" << c.h;
        EXPECT_EQ(l.Preview.Width == 0 || l.Preview.Height == 0, c.collapsed) << c.w << "x" << c.h;
        EXPECT_GE(l.Preview.Width, 0);
        EXPECT_GE(l.Preview.Height, 0);
    }
}

}  // namespace
}  // namespace qw
