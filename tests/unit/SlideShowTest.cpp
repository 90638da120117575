#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakePictures.h"
#include "fakes/FakeSaverPorts.h"
#include "fakes/FakeSlideShowView.h"
#include "saver/SlideShow.h"

namespace qw {
namespace {

const std::string kFolder = "C:\\App\\screensaver";

class SlideShowTest : public ::testing::Test {
protected:
    // A picture of width x height twips; by default a width that tells it apart.
    void Add(const std::string& name, std::int32_t width = 0, std::int32_t height = 100) {
        if (width == 0) width = 100 + 10 * static_cast<std::int32_t>(names_.size());
        const HimetricSize size{RoundHalfEven(width * 2540.0 / 1440), RoundHalfEven(height * 2540.0 / 1440)};
        files.AddFile(kFolder + "\\" + name, "picture");
        pictures.Add(kFolder + "\\" + name, size);
        names_[size.Width] = name;
    }
    void Start(int columns, int rows, bool clockShown = false, FitMode mode = FitMode::ShrinkOnly) {
        show = std::make_unique<SlideShow>(view, SlideShowPorts{files, pictures, system},
                                           SlideShowSettings{columns, rows, 10000, mode, clockShown, 7, 255},
                                           kFolder, [this] { ++ends; });
        view.onTick = [this](SlideShowTimer timer) { show->OnTimer(timer); };
        show->Opened();
        show->OnFocus();
    }
    // The file a cell shows; "" for the background.
    std::string FileIn(int cell) const {
        const auto& shown = view.cells.at(cell).Shown;
        return shown ? names_.at(shown->NaturalSize().Width) : "";
    }

    FakeFileSystem files;
    FakePictureLoader pictures;
    FakeSaverSystem system;
    FakeSlideShowView view;
    std::unique_ptr<SlideShow> show;
    int ends = 0;

private:
    std::map<std::int64_t, std::string> names_;
};

TEST_F(SlideShowTest, FilesAndCellsEachWrapRoundOnTheirOwn) {
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) Add(name);
    Start(2, 2);
    const std::vector<std::pair<int, std::string>> slides = {
        {1, "a.jpg"}, {2, "b.jpg"}, {3, "c.jpg"}, {4, "a.jpg"}, {1, "b.jpg"}, {2, "c.jpg"}};
    for (const auto& [cell, file] : slides) {
        EXPECT_EQ(show->CellIndex(), cell);
        EXPECT_EQ(FileIn(cell), file) << cell;
        view.Advance(10000);
    }
}

TEST_F(SlideShowTest, AFileThatCannotBeShownLeavesTheBackgroundAndTheShowGoesOn) {
    Add("a.jpg");
    for (const char* name : {"notes.txt", "gone.jpg", "broken.gif"}) Add(name, 300);
    pictures.Remove(kFolder + "\\gone.jpg");
    pictures.Fail(kFolder + "\\broken.gif");  // as a damaged or too large file does
    Start(1, 1);
    for (int turn = 0; turn < 3; ++turn) {
        std::weak_ptr<const Picture> before = view.cells.at(1).Shown;
        view.Advance(10000);
        EXPECT_EQ(FileIn(1), "") << turn;
        EXPECT_TRUE(before.expired()) << "the replaced picture is still held";
    }
    view.Advance(10000);
    EXPECT_EQ(FileIn(1), "a.jpg");
    EXPECT_EQ(ends, 0);
}

TEST_F(SlideShowTest, PicturesAreFittedCentredAndTheRowsEndAboveTheClock) {
    const struct {
        PixelSize inner;
        int rows;
        bool clock;
        FitMode mode;
        std::int32_t width, height;
        ScreenRect last;  // where the picture stands in the last cell
        int columns = 1;
    } cases[] = {
        // Cells of 3000 x 2000: a box of 2900 x 1934, the last cell in column 3 of row 2.
        {{9000, 4000}, 2, false, FitMode::Fit, 100, 100, {6000 + 533, 2000 + 33, 1934, 1934}, 3},
        // A cell of 310 x 310 twips leaves a box of 300 x 300.
        {{310, 310}, 1, false, FitMode::ShrinkOnly, 100, 50, {105, 130, 100, 50}},
        {{310, 310}, 1, false, FitMode::Fit, 100, 50, {5, 80, 300, 150}},
        {{310, 310}, 1, false, FitMode::ShrinkOnly, 900, 600, {5, 55, 300, 200}},
        {{310, 310}, 1, false, FitMode::Fit, 900, 600, {5, 55, 300, 200}},
        // 7200 high; the clock's top at 7200 - 240 - 5 = 6955.
        {{9600, 7200}, 3, false, FitMode::ShrinkOnly, 100, 100, {4750, 2 * 2400 + 1150, 100, 100}},
        {{9600, 7200}, 3, true, FitMode::ShrinkOnly, 100, 100, {4750, 2 * 2318 + 1109, 100, 100}},
        {{9600, 7200}, 2, true, FitMode::ShrinkOnly, 100, 100, {4750, 3478 + 1689, 100, 100}},  // 3477.5
    };
    for (const auto& c : cases) {
        view = FakeSlideShowView{};
        view.inner = c.inner;
        files = FakeFileSystem{};
        Add("p.jpg", c.width, c.height);
        Start(c.columns, c.rows, c.clock, c.mode);
        const int lastCell = c.columns * c.rows;
        view.Advance(10000 * (lastCell - 1));
        EXPECT_EQ(view.cells.at(lastCell).Rect, c.last) << c.width << " " << c.rows << " " << c.clock;
        EXPECT_EQ(view.clockRect, (c.clock ? ScreenRect{8635, 6955, 960, 240} : ScreenRect{}));
    }
    system.now = "10:00:00 AM";  // a longer time still ends 5 twips from the edge
    view.Advance(1000);
    EXPECT_EQ(view.clock, "10:00:00 AM 255/7");
    EXPECT_EQ(view.clockRect, (ScreenRect{8275, 6955, 1320, 240}));
}

TEST_F(SlideShowTest, ANewFileIsShownAtOnceAndTheNextSlideComesAFullIntervalLater) {
    Add("a.jpg");
    Add("b.jpg");
    Start(2, 2);
    view.Advance(7000);
    Add("new.jpg");
    view.Advance(500);
    EXPECT_EQ(FileIn(2), "new.jpg");
    view.Advance(9999);  // past the old slide time
    EXPECT_EQ(show->CellIndex(), 2);
    view.Advance(1);
    EXPECT_EQ(FileIn(3), "a.jpg");
}

// Where the folder can be watched it is read only after a change; where it
// cannot, at every check.
TEST_F(SlideShowTest, TheFolderIsReadAfterAChangeOnlyWhereItCanBeWatched) {
    for (const bool watchable : {true, false}) {
        files = FakeFileSystem();
        files.Watchable = watchable;
        Add("a.jpg");
        Start(2, 2);
        files.ClearOperations();
        view.Advance(5000);
        EXPECT_EQ(files.CountOf(FileOperation::ListFiles), watchable ? 0u : 10u);
        Add(watchable ? "w.jpg" : "n.jpg");
        view.Advance(500);
        EXPECT_EQ(FileIn(2), watchable ? "w.jpg" : "n.jpg");
        EXPECT_EQ(files.CountOf(FileOperation::ListFiles), watchable ? 1u : 11u);
    }
}

TEST_F(SlideShowTest, ANewPictureStillBeingWrittenIsShownInFrontOnceItLoads) {
    files.Watchable = true;
    Add("a.jpg");
    Start(3, 1);
    Add("big.jpg");
    pictures.Fail(kFolder + "\\big.jpg");
    view.Advance(500);
    EXPECT_EQ(FileIn(2), "");
    Add("c.jpg");
    view.Advance(500);
    EXPECT_EQ(FileIn(3), "c.jpg");
    const int tries = pictures.LoadCount(kFolder + "\\big.jpg");
    view.Advance(5000);  // nothing changed: not tried again
    EXPECT_EQ(pictures.LoadCount(kFolder + "\\big.jpg"), tries);

    pictures.Mend(kFolder + "\\big.jpg");
    files.AddFile(kFolder + "\\big.jpg", "picture, written to its end");
    view.Advance(500);
    EXPECT_EQ(FileIn(1), "big.jpg");
    EXPECT_EQ(show->Files().At(1), kFolder + "\\big.jpg");
    view.Advance(9999);  // the next slide a full interval later, from the front
    EXPECT_EQ(show->CellIndex(), 1);
    view.Advance(1);
    EXPECT_EQ(FileIn(2), "c.jpg");
}

TEST_F(SlideShowTest, AMissingFolderIsAnEmptyShowUntilItExistsAndASecondFocusChangesNothing) {
    Start(2, 2, true);
    view.Advance(20000);
    EXPECT_TRUE(view.cells.empty());
    Add("first.jpg");
    view.Advance(500);
    EXPECT_EQ(FileIn(1), "first.jpg");
    const int calls = view.calls;
    const std::size_t operations = files.Operations().size();
    show->OnFocus();
    EXPECT_EQ(view.calls, calls);
    EXPECT_EQ(files.Operations().size(), operations);
}

TEST_F(SlideShowTest, AKeyAButtonOrAClearMovementEndsTheShow) {
    const struct {
        int moves;
        bool bothAxes;  // else only x changes
        int endsAt;     // 0: no move ends it
    } cases[] = {{3, true, 0}, {11, true, 0}, {12, true, 12}, {101, false, 0}, {102, false, 102}};
    for (const auto& c : cases) {
        Start(1, 1);
        ends = 0;
        int endedAt = 0;
        for (int move = 1; move <= c.moves; ++move) {
            show->OnMouseMove(static_cast<float>(move), c.bothAxes ? static_cast<float>(move) : 0.0f);
            if (ends > 0 && endedAt == 0) endedAt = move;
        }
        EXPECT_EQ(endedAt, c.endsAt) << c.moves;
        view.Advance(2000);  // the counter starts afresh
        for (int move = 0; move < 11; ++move) show->OnMouseMove(1000.0f + move, 1000.0f + move);
        EXPECT_EQ(ends, endedAt == 0 ? 0 : 1) << c.moves;
    }
    ends = 0;
    show->OnKey();
    show->OnMouseButton();
    EXPECT_EQ(ends, 2);
}

TEST(SlideShowSettingsTest, SettingsAreHeldToTheDialogsRanges) {
    const struct {
        std::int32_t x, y;
        std::int16_t seconds;
        int columns, rows;
        unsigned interval;
    } cases[] = {{3, 2, 60, 3, 2, 60000}, {0, 0, 0, 1, 1, 1000}, {-4, 51, 61, 1, 50, 60000}};
    for (const auto& c : cases) {
        SettingsRecord record;
        record.NoOfImagesX = c.x;
        record.NoOfImagesY = c.y;
        record.ShowImagesForSeconds = c.seconds;
        const SlideShowSettings settings = SlideShowSettingsFrom(record);
        EXPECT_EQ(settings.Columns, c.columns) << c.x;
        EXPECT_EQ(settings.Rows, c.rows) << c.y;
        EXPECT_EQ(settings.ImageInterval, c.interval) << c.seconds;
    }
}

TEST(SlideShowUnitsTest, TwipsBecomePixelsAtTheDisplaysResolution) {
    const Resolution dpi96{96, 96};
    EXPECT_EQ(ToPixels({0, 0, 1500, 750}, dpi96), (ScreenRect{0, 0, 100, 50}));
    EXPECT_EQ(ToPixels({22.5, 7.5, 15, 15}, dpi96), (ScreenRect{2, 0, 1, 1}));  // 1.5 -> 2, 0.5 -> 0
    EXPECT_EQ(ToPixels({4750.5, 37.5, 100, 38}, dpi96), (ScreenRect{317, 2, 7, 3}));
    EXPECT_EQ(ToTwips({1920, 1080}, Resolution{120, 144}), (TwipSize{23040, 10800}));
}

}  // namespace
}  // namespace qw
