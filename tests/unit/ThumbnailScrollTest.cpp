// Scrolling, resizing, removals and batches of the thumbnail strip.

#include <gtest/gtest.h>

#include <cctype>

#include "ThumbnailStripFixture.h"

namespace qw {
namespace {

using Slots = std::vector<int>;
using S = StripStep;

struct Scenario {
    const char* name;
    int slots;  // at the start
    int files;  // numbered files added first, so that position p holds file p
    std::vector<StripStep> steps;
    int firstVisible;
    Slots shown;
    ScrollBarState bar;
};

const Scenario scenarios[] = {
    {"empty", 3, 0, {}, 1, {0, 0, 0, 0, 0, 0}, {false, 0, 0}},
    {"scrolled to the end", 4, 8, {{S::Scroll, 4}}, 5, {5, 6, 7, 8, 0, 0}, {true, 4, 4}},
    {"widened at the end keeps its place", 4, 8, {{S::Scroll, 4}, {S::Resize, 6}},
     5, {5, 6, 7, 8, 0, 0}, {true, 4, 4}},
    // Maximum and value of a disabled bar stay as they were.
    {"widened past the file count", 4, 5, {{S::Scroll, 1}, {S::Resize, 6}},
     1, {1, 2, 3, 4, 5, 0}, {false, 1, 1}},
    {"one file more than slots", 6, 7, {}, 1, {1, 2, 3, 4, 5, 6}, {true, 1, 0}},
    {"scrolled by one", 6, 7, {{S::Scroll, 1}}, 2, {2, 3, 4, 5, 6, 7}, {true, 1, 1}},
    {"narrowed", 6, 7, {{S::Resize, 3}}, 1, {1, 2, 3, 0, 0, 0}, {true, 4, 0}},
    {"narrowed after removals keeps its place", 6, 7,
     {{S::Scroll, 1}, {S::Delete, 3}, {S::Delete, 4}, {S::Delete, 5}, {S::Delete, 6}, {S::Delete, 7},
      {S::Resize, 3}},
     2, {2, 0, 0, 0, 0, 0}, {true, 1, 1}},
    {"scrolled past the maximum", 3, 5, {{S::Scroll, 9}}, 3, {3, 4, 5, 0, 0, 0}, {true, 2, 2}},
    {"scrolled below 0", 3, 5, {{S::Scroll, 9}, {S::Scroll, -1}}, 1, {1, 2, 3, 0, 0, 0},
     {true, 2, 0}},
    {"a disabled bar does not scroll", 3, 5, {{S::Scroll, 2}, {S::Resize, 6}, {S::Scroll, 1}},
     1, {1, 2, 3, 4, 5, 0}, {false, 2, 2}},
    {"removals keep the position and the bar", 3, 6, {{S::Scroll, 2}, {S::Delete, 4}, {S::Delete, 6}},
     3, {3, 5, 0, 0, 0, 0}, {true, 3, 2}},
    {"the next scroll recomputes the bar", 3, 6,
     {{S::Scroll, 2}, {S::Delete, 4}, {S::Delete, 6}, {S::Scroll, 1}},
     2, {2, 3, 5, 0, 0, 0}, {true, 1, 1}},
    {"every shown file removed at the end", 4, 8,
     {{S::Scroll, 4}, {S::Delete, 5}, {S::Delete, 6}, {S::Delete, 7}, {S::Delete, 8}},
     5, {0, 0, 0, 0, 0, 0}, {true, 4, 4}},
    {"scrolled back after that", 4, 8,
     {{S::Scroll, 4}, {S::Delete, 5}, {S::Delete, 6}, {S::Delete, 7}, {S::Delete, 8}, {S::Scroll, 3}},
     4, {4, 0, 0, 0, 0, 0}, {true, 3, 3}},
    {"all removed", 3, 5, {{S::Scroll, 2}, {S::DeleteAll}}, 3, {0, 0, 0, 0, 0, 0}, {true, 2, 2}},
    {"added after all were removed", 3, 5, {{S::Scroll, 2}, {S::DeleteAll}, {S::Add, 9}},
     1, {9, 0, 0, 0, 0, 0}, {false, 2, 2}},
    // The new maximum 5 lies below the old value 8; the view ends at the front.
    {"added with a maximum below the value", 2, 10,
     {{S::Scroll, 8}, {S::Delete, 1}, {S::Delete, 2}, {S::Delete, 3}, {S::Delete, 4}, {S::Add, 11}},
     1, {11, 5, 0, 0, 0, 0}, {true, 5, 0}},
    // At 200 % the same width holds two slots; the first visible file stays.
    {"rescaled keeps the first visible file", 6, 8, {{S::Scroll, 2}, {S::Rescale, 192}},
     3, {3, 4, 0, 0, 0, 0}, {true, 6, 2}},
    {"rescaled back", 6, 8, {{S::Scroll, 2}, {S::Rescale, 192}, {S::Rescale, 96}},
     3, {3, 4, 5, 6, 7, 8}, {true, 2, 2}},
};

void PrintTo(const Scenario& scenario, std::ostream* os) { *os << scenario.name; }

class ThumbnailScrollTest : public ThumbnailStripTest,
                            public ::testing::WithParamInterface<Scenario> {};

TEST_P(ThumbnailScrollTest, EndsShowingTheExpectedFilesAndScrollBar) {
    const Scenario& c = GetParam();
    MakeStrip(c.slots);
    AddNumbered(c.files);
    Run(c.steps);
    EXPECT_EQ(strip->FirstVisible(), c.firstVisible);
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_EQ(strip->ScrollBar(), c.bar);
    EXPECT_EQ(view.scrollBar, c.bar);
}

INSTANTIATE_TEST_SUITE_P(Cases, ThumbnailScrollTest, ::testing::ValuesIn(scenarios),
                         [](const auto& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
                             return name;
                         });

TEST_F(ThumbnailStripTest, ResizesThatChangeNoSlotCountDrawNothing) {
    MakeStrip(3);
    EXPECT_EQ(view.scrollBarWidth, 394);
    view.calls.clear();
    Resize(6);  // an empty list: only the bar follows the width
    EXPECT_EQ(view.calls, (std::vector<std::string>{"width 778"}));
    EXPECT_EQ(strip->NoOfThumbnails(), 6);

    AddNumbered(8);
    view.calls.clear();
    view.clientWidth = 800;  // still six slots
    strip->OnResize();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"width 800"}));
}

// ---- Batches.

TEST_F(ThumbnailStripTest, ABatchEndsInTheStateOfTheSameStepsOneByOne) {
    const struct { int slots; std::vector<StripStep> steps; } scripts[] = {
        {3, {{S::Scroll, 5}, {S::Resize, 6}, {S::Delete, 9}, {S::Add, 11}}},
        {4, {{S::Scroll, 4}, {S::Delete, 1}, {S::Delete, 2}, {S::Delete, 3}, {S::Delete, 4}}},
        {3, {{S::Scroll, 2}, {S::DeleteAll}}},
        {2, {{S::Scroll, 8}, {S::Resize, 1}, {S::Resize, 6}, {S::Scroll, 3}, {S::Delete, 7}}},
        {2, {{S::Scroll, 8}, {S::Delete, 7}, {S::Delete, 8}, {S::Delete, 9}, {S::Add, 11}}},
        {6, {{S::DeleteAll}, {S::Add, 12}, {S::Add, 14}, {S::Add, 13}}},
    };
    files.SetTypeName("jpg", "JPEG Image");
    pictures.Fail(PathOf(6));
    for (const auto& script : scripts) {
        MakeStrip(script.slots);
        AddNumbered(10);
        Run(script.steps);
        const FakeThumbnailView plain = view;
        const int firstVisible = strip->FirstVisible();
        const int lastVisible = strip->LastVisible();

        view = FakeThumbnailView{};
        MakeStrip(script.slots);
        pictures.loads = 0;
        {
            ThumbnailStrip::Batch batch(*strip);
            AddNumbered(10);
            Run(script.steps);
            EXPECT_EQ(pictures.loads, 0);
        }
        EXPECT_LE(pictures.loads, 6);
        EXPECT_EQ(view.Slots(), plain.Slots());
        EXPECT_EQ(view.scrollBar, plain.scrollBar);
        EXPECT_EQ(view.scrollBarWidth, plain.scrollBarWidth);
        EXPECT_LE(view.scrollBarPushes, 2);  // the first state and the final one
        EXPECT_EQ(strip->FirstVisible(), firstVisible);
        EXPECT_EQ(strip->LastVisible(), lastVisible);
    }
}

TEST_F(ThumbnailStripTest, ShowingAWholeFolderInABatchLoadsOnlyTheVisiblePictures) {
    MakeStrip(6);
    AddNumbered(3);
    for (int i = 1; i <= 10000; ++i) {
        const std::string path = "C:\\Folder\\" + std::to_string(i) + ".jpg";
        files.AddFile(path);
        pictures.AddPixels(path, 640, 480);
    }
    pictures.loads = 0;
    const int pushes = view.scrollBarPushes;
    {
        ThumbnailStrip::Batch batch(*strip);
        strip->DeleteAllFiles();
        for (int i = 10000; i >= 1; --i) strip->AddFile("C:\\Folder\\" + std::to_string(i) + ".jpg");
    }
    EXPECT_EQ(pictures.loads, 6);
    EXPECT_EQ(Shown(), (Slots{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(view.scrollBar, (ScrollBarState{true, 9994, 0}));
    EXPECT_EQ(view.scrollBarPushes, pushes + 1);
}

TEST_F(ThumbnailStripTest, OnlyTheOutermostBatchDrawsAndAFailureStillEndsIt) {
    MakeStrip(3);
    strip->BeginBatch();
    strip->BeginBatch();
    AddNumber(1);
    strip->EndBatch();
    EXPECT_EQ(Shown(), (Slots{0, 0, 0, 0, 0, 0}));
    strip->EndBatch();
    EXPECT_EQ(Shown(), (Slots{1, 0, 0, 0, 0, 0}));
    EXPECT_THROW(strip->EndBatch(), std::logic_error);

    EXPECT_THROW(
        {
            ThumbnailStrip::Batch batch(*strip);
            AddNumber(2);
            strip->AddFile("C:\\In\\missing.txt");
        },
        FileSystemError);
    EXPECT_EQ(Shown(), (Slots{2, 1, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace qw

namespace qw {
namespace {

// Even-numbered files are pictures.
TEST_F(ThumbnailStripTest, PicturesOnShowAreNotLoadedAgainWhenTheRowMoves) {
    MakeStrip(6);
    for (int i = 2; i <= 16; i += 2) AddNumber(i);  // eight arrivals, one at a time
    EXPECT_EQ(pictures.loads, 8);                   // each picture once, not six per arrival
    // Scrolling loads only what comes into view; the rest only moves.
    strip->OnScroll(1);
    EXPECT_EQ(pictures.loads, 9);
    strip->OnScroll(2);
    EXPECT_EQ(pictures.loads, 10);
    strip->OnScroll(0);
    EXPECT_EQ(pictures.loads, 12);  // the two that had left the view are read again
    strip->DeleteAllFiles();
    AddNumber(2);
    EXPECT_EQ(pictures.loads, 13);  // a folder shown again is read afresh
}

}  // namespace
}  // namespace qw
