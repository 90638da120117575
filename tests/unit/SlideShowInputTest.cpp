#include <gtest/gtest.h>

#include <string>

#include "fakes/SlideShowFixture.h"
#include "saver/SlideShowLayout.h"

namespace qw {
namespace {

using SlideShowInputTest = SlideShowFixture;

struct MoveCase {
    const char* what;
    int moves;
    bool bothAxes;  // each move changes x and y, else only x
    int endsAt;     // the move that asks for the end; 0: none does
};

TEST_F(SlideShowInputTest, MouseMovesEndTheShowOnlyWhenTheyAreAClearMovement) {
    const MoveCase cases[] = {
        {"three moves right after the start", 3, true, 0},
        {"eleven moves changing both coordinates", 11, true, 0},
        {"the twelfth such move", 12, true, 12},
        {"101 moves along one axis", 101, false, 0},
        {"the 102nd such move", 102, false, 102},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        endRequests = 0;
        Started(Grid(1, 1));
        int endedAt = 0;
        for (int move = 1; move <= c.moves; ++move) {
            show->OnMouseMove(static_cast<float>(move), c.bothAxes ? static_cast<float>(move) : 0.0f);
            if (endRequests > 0 && endedAt == 0) endedAt = move;
        }
        EXPECT_EQ(endedAt, c.endsAt);
    }
}

TEST_F(SlideShowInputTest, TheMoveCounterStartsAfreshEveryTwoSeconds) {
    Started(Grid(1, 1));
    float at = 0;
    for (int window = 0; window < 5; ++window) {
        for (int move = 0; move < 11; ++move) {
            at += 1;
            show->OnMouseMove(at, at);
        }
        view.Advance(2000);
    }
    EXPECT_EQ(endRequests, 0);
    EXPECT_EQ(view.running.at(SlideShowTimer::ResetMouseCounter), 2000u);
    for (int move = 0; move < 12; ++move, at += 1) show->OnMouseMove(at, at);
    EXPECT_EQ(endRequests, 1);
}

TEST_F(SlideShowInputTest, OneKeyOrOneMouseButtonEndsTheShow) {
    Started(Grid(1, 1));
    show->OnKey();
    EXPECT_EQ(endRequests, 1);
    show->OnMouseButton();
    EXPECT_EQ(endRequests, 2);
}

TEST_F(SlideShowInputTest, InputNeverEndsAShowThatAsksNoOneToEndIt) {
    SlideShow preview(view, SlideShowPorts{files, pictures, clock}, Grid(1, 1), Folder, nullptr);
    preview.SetUp();
    preview.OnKey();
    preview.OnMouseButton();
    for (int move = 1; move <= 200; ++move) preview.OnMouseMove(move * 1.0f, move * 1.0f);
    EXPECT_EQ(endRequests, 0);
}

TEST(SlideShowSettingsTest, SettingsAreHeldToTheDialogsRanges) {
    struct Case {
        std::int32_t x, y;
        std::int16_t seconds;
        int columns, rows;
        unsigned interval;
    };
    const Case cases[] = {
        {3, 2, 60, 3, 2, 60000},  // 60 seconds give 60,000 ms
        {1, 1, 1, 1, 1, 1000},
        {0, 0, 0, 1, 1, 1000},
        {-4, 51, -30, 1, 50, 1000},
        {50, 2000000000, 61, 50, 50, 60000},
        {7, 7, 32767, 7, 7, 60000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + " x " + std::to_string(c.y) + ", " + std::to_string(c.seconds) + " s");
        SettingsRecord record;
        record.NoOfImagesX = c.x;
        record.NoOfImagesY = c.y;
        record.ShowImagesForSeconds = c.seconds;
        const SlideShowSettings settings = SlideShowSettingsFrom(record);
        EXPECT_EQ(settings.Columns, c.columns);
        EXPECT_EQ(settings.Rows, c.rows);
        EXPECT_EQ(settings.ImageInterval, c.interval);
    }
}

TEST_F(SlideShowInputTest, TheImageTimerRunsAtTheSettingsInterval) {
    SettingsRecord record;
    record.ShowImagesForSeconds = 60;
    record.ResizeImages = true;
    AddPicture("a.jpg");
    Started(SlideShowSettingsFrom(record));
    EXPECT_EQ(view.running.at(SlideShowTimer::Image), 60000u);
    EXPECT_EQ(view.running.at(SlideShowTimer::CheckFolder), 500u);
    EXPECT_EQ(view.running.at(SlideShowTimer::Clock), 1000u);
}

}  // namespace
}  // namespace qw
