#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fakes/SlideShowFixture.h"

namespace qw {
namespace {

using SlideShowTest = SlideShowFixture;

TEST_F(SlideShowTest, FilesAndCellsEachWrapRoundOnTheirOwn) {
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) AddPicture(name);
    Started(Grid(2, 2));
    // cell, file after the set-up and after each interval
    const std::vector<std::pair<int, std::string>> expected = {
        {1, "a.jpg"}, {2, "b.jpg"}, {3, "c.jpg"}, {4, "a.jpg"}, {1, "b.jpg"}, {2, "c.jpg"}, {3, "a.jpg"},
    };
    for (std::size_t slide = 0; slide < expected.size(); ++slide) {
        SCOPED_TRACE(slide);
        if (slide > 0) view.Advance(10000);
        EXPECT_EQ(show->CellIndex(), expected[slide].first);
        EXPECT_EQ(FileIn(expected[slide].first), expected[slide].second);
    }
}

TEST_F(SlideShowTest, AFileThatCannotBeShownLeavesItsCellToTheBackgroundAndTheShowGoesOn) {
    struct Case {
        const char* what;
        std::function<void()> arrange;  // makes C:\App\screensaver\x.* unshowable
        const char* name;
    };
    const Case cases[] = {
        {"not an image", [] {}, "x.txt"},
        {"deleted after listing",
         [this] {
             files.DeleteFile(PathOf("x.jpg"));
             pictures.Remove(PathOf("x.jpg"));
         },
         "x.jpg"},
        {"damaged or too large to decode", [this] { pictures.Fail(PathOf("x.gif")); }, "x.gif"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        files = FakeFileSystem{};
        view = FakeSlideShowView{};
        AddPicture("a.jpg");
        files.AddFile(PathOf(c.name), "x");
        pictures.Add(PathOf(c.name), HimetricOfTwips(300, 100));
        Started(Grid(1, 1));
        std::weak_ptr<const Picture> before = view.Cell(1).Shown;
        ASSERT_EQ(FileIn(1), "a.jpg");
        c.arrange();
        view.Advance(10000);
        EXPECT_EQ(FileIn(1), "");
        EXPECT_TRUE(before.expired()) << "the replaced picture is still held";
        view.Advance(10000);
        EXPECT_EQ(FileIn(1), "a.jpg");
        EXPECT_EQ(endRequests, 0);
    }
}

TEST_F(SlideShowTest, RowsShareTheHeightAboveTheClockOrTheWholeHeight) {
    struct Case {
        bool clock;
        int rows;
        int expectedTop;  // of a 100 x 100 picture in the second row, twips
    };
    // 7200 high; the clock is 240 high, 5 from the bottom: its top at 6955.
    const Case cases[] = {
        {true, 3, 2318 + 1109},  // 6955 / 3 = 2318.3
        {false, 3, 2400 + 1150},
        {true, 2, 3478 + 1689},  // 6955 / 2 = 3477.5, a half to the even 3478
        {false, 2, 3600 + 1750},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.rows) + (c.clock ? " rows with the clock" : " rows"));
        view = FakeSlideShowView{};
        AddPicture("a.jpg", 100, 100);
        Started(Grid(1, c.rows, c.clock));
        view.Advance(10000);
        EXPECT_EQ(view.Cell(2).Rect, (ScreenRect{4750, c.expectedTop, 100, 100}));
        EXPECT_EQ(view.clock.Shown, c.clock);
        EXPECT_EQ(view.running.count(SlideShowTimer::Clock), c.clock ? 1u : 0u);
    }
}

TEST_F(SlideShowTest, ThePictureIsFittedIntoItsBoxAndCentredInItsCell) {
    struct Case {
        std::int32_t width, height;
        FitMode mode;
        ScreenRect expected;
    };
    // A cell of 310 x 310 twips leaves a box of 300 x 300.
    const Case cases[] = {
        {100, 50, FitMode::ShrinkOnly, {105, 130, 100, 50}},
        {100, 50, FitMode::Fit, {5, 80, 300, 150}},
        {900, 600, FitMode::ShrinkOnly, {5, 55, 300, 200}},
        {900, 600, FitMode::Fit, {5, 55, 300, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        view = FakeSlideShowView{};
        view.inner = {310, 310};
        AddPicture("p.jpg", c.width, c.height);
        SlideShowSettings settings = Grid(1, 1);
        settings.Mode = c.mode;
        Started(settings);
        EXPECT_EQ(view.Cell(1).Rect, c.expected);
    }
}

TEST_F(SlideShowTest, TheClockStandsFiveTwipsFromTheLowerRightCornerAndFollowsTheTime) {
    SlideShowSettings settings = Grid(1, 1, true);
    settings.ClockColor = 0x0000FF;
    settings.BackgroundColor = 0x102030;
    Started(settings);
    EXPECT_EQ(view.clock.Text, "12:00:00");
    EXPECT_EQ(view.clock.Rect, (ScreenRect{9600 - 960 - 5, 7200 - 240 - 5, 960, 240}));
    EXPECT_EQ(view.clock.TextColor, 0x0000FFu);
    EXPECT_EQ(view.clock.BackColor, 0x102030u);

    clock.now = "10:00:00 AM";  // a longer text still ends 5 twips from the edge
    view.Advance(1000);
    EXPECT_EQ(view.clock.Text, "10:00:00 AM");
    EXPECT_EQ(view.clock.Rect, (ScreenRect{9600 - 1320 - 5, 7200 - 240 - 5, 1320, 240}));
}

TEST_F(SlideShowTest, ANewFileIsShownAtOnceAndTheNextSlideComesAFullIntervalLater) {
    AddPicture("a.jpg");
    AddPicture("b.jpg");
    Started(Grid(2, 2));
    view.Advance(7000);
    EXPECT_EQ(show->CellIndex(), 1);

    AddPicture("new.jpg");
    view.Advance(500);  // the check at 7500 ms
    EXPECT_EQ(show->CellIndex(), 2);
    EXPECT_EQ(FileIn(2), "new.jpg");
    EXPECT_EQ(show->Files().At(1), PathOf("new.jpg"));

    view.Advance(9999);  // the old slide time (10000 ms) passes without a slide
    EXPECT_EQ(show->CellIndex(), 2);
    view.Advance(1);  // 17500 ms: the sequence goes on from the new file
    EXPECT_EQ(show->CellIndex(), 3);
    EXPECT_EQ(FileIn(3), "a.jpg");
}

TEST_F(SlideShowTest, AMissingFolderIsAnEmptyShowUntilItExists) {
    Started(Grid(2, 2, true));
    view.Advance(20000);
    EXPECT_TRUE(view.cells.empty());
    EXPECT_TRUE(view.clock.Shown);

    files.AddFolder(Folder);
    AddPicture("first.jpg");
    view.Advance(500);
    EXPECT_EQ(FileIn(1), "first.jpg");
}

TEST_F(SlideShowTest, ASecondFocusChangesNothing) {
    AddPicture("a.jpg");
    Started(Grid(2, 2));
    const std::vector<std::string> calls = view.calls;
    show->OnFocus();
    EXPECT_EQ(view.calls, calls);
    EXPECT_EQ(show->Files().Count(), 1u);
    EXPECT_EQ(files.CountOf(FileOperation::ListFiles), 1u);
}

TEST(SlideShowUnitsTest, TwipsBecomePixelsAtTheDisplaysResolution) {
    const Resolution dpi96{96, 96};
    struct Case {
        TwipRect twips;
        ScreenRect pixels;
    };
    const Case cases[] = {
        {{0, 0, 1500, 750}, {0, 0, 100, 50}},
        {{22.5, 7.5, 15, 15}, {2, 0, 1, 1}},           // 1.5 -> 2, 0.5 -> 0
        {{4750.5, 0, 100, 50}, {317, 0, 7, 3}},        // the size does not depend on the corner
        {{-7.5, 37.5, 22, 38}, {0, 2, 1, 3}},          // -0.5 -> 0, 2.5 -> 2, 1.47, 2.53
    };
    for (const auto& c : cases) EXPECT_EQ(ToPixels(c.twips, dpi96), c.pixels) << c.twips.Left;
    EXPECT_EQ(ToPixels({100, 200, 300, 400}, Resolution{1440, 1440}), (ScreenRect{100, 200, 300, 400}));
    EXPECT_EQ(ToTwips({1920, 1080}, dpi96), (TwipSize{28800, 16200}));
    EXPECT_EQ(ToTwips({1920, 1080}, Resolution{120, 144}), (TwipSize{23040, 10800}));
}

}  // namespace
}  // namespace qw
