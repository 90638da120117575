// The thumbnail strip's list, what each thumbnail shows, and its events.

#include <gtest/gtest.h>

#include "ThumbnailStripFixture.h"

namespace qw {
namespace {

TEST(ThumbnailGeometryTest, SlotCountFollowsTheClientWidth) {
    const struct { int dpi, width, slots; } cases[] = {
        {96, 100, 1},  {96, 138, 1},  {96, 265, 1},  {96, 266, 2},   {96, 394, 3},   {96, 522, 4},
        {96, 789, 6},  {96, 1200, 6}, {96, 0, 1},    {96, -300, 1},  {120, 491, 2},  {120, 492, 3},
        {120, 565, 3}, {144, 398, 1}, {144, 399, 2}, {144, 678, 3},  {192, 1043, 3}, {192, 1044, 4},
        {192, 904, 3}, {192, 1556, 6},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CalcNoOfThumbnails(c.width, Scale{c.dpi}), c.slots) << c.dpi << ": " << c.width;
}

TEST(ThumbnailGeometryTest, FramesSurroundTheCellsAboveTheScrollBar) {
    const struct { int dpi; SlotRect cell3, frame2; int barTop, barHeight; } cases[] = {
        {96, {282, 10, 120, 90}, {142, 6, 128, 98}, 114, 17},
        {120, {352, 12, 150, 112}, {177, 7, 160, 122}, 142, 22},
        {144, {423, 15, 180, 135}, {213, 9, 192, 147}, 171, 25},
        {192, {564, 20, 240, 180}, {284, 12, 256, 196}, 228, 34},
    };
    for (const auto& c : cases) {
        const Scale scale{c.dpi};
        EXPECT_EQ(CellOf(3, scale), c.cell3) << c.dpi;
        EXPECT_EQ(FrameOf(2, scale), c.frame2) << c.dpi;
        EXPECT_EQ(ScrollBarTopAt(scale), c.barTop) << c.dpi;
        EXPECT_EQ(ScrollBarHeightAt(scale), c.barHeight) << c.dpi;
    }
    EXPECT_EQ(StripHeight, 131);
}

TEST_F(ThumbnailStripTest, PicturesAreShrunkToTheCellAndCentred) {
    const struct { const char* name; int w, h; SlotRect image; } cases[] = {
        {"wide.jpg", 640, 480, {10, 10, 120, 90}},
        {"tall.jpg", 480, 640, {36, 10, 68, 90}},  // 67.5 wide rounds to the even 68
        {"band.bmp", 1000, 100, {10, 49, 120, 12}},
        {"small.gif", 100, 50, {20, 30, 100, 50}},
        {"odd.ico", 117, 87, {12, 12, 117, 87}},  // a half pixel of room goes to the even side
        {"upper.JPG", 640, 480, {10, 10, 120, 90}},
        {"photo.jpeg", 60, 100, {43, 10, 54, 90}},
    };
    for (const auto& c : cases) {
        MakeStrip();
        pictures.AddPixels("C:\\In\\" + std::string(c.name), c.w, c.h);
        Add(c.name);
        EXPECT_EQ(view.Slot(1).IconEntry, 0) << c.name;
        EXPECT_EQ(view.Slot(1).Image, c.image) << c.name;
        // Pushed one slot to the right, it keeps its place in the cell.
        Add(std::string("front-") + c.name + ".txt");
        SlotRect second = c.image;
        second.Left += 136;
        EXPECT_EQ(view.Slot(2).Image, second) << c.name;
    }
}

TEST_F(ThumbnailStripTest, PicturesAndIconsAreScaledWithTheirCells) {
    // A 100 x 50 picture of 96 dpi is that size scaled; a large one fills
    // its cell; the icon is drawn at its scaled size.
    const struct { int dpi; SlotRect small, large, icon; } cases[] = {
        {96, {292, 30, 100, 50}, {146, 10, 120, 90}, {54, 39, 32, 32}},
        {120, {364, 36, 125, 63}, {182, 12, 149, 112}, {67, 48, 40, 40}},  // the cell is not quite 4:3
        {144, {438, 45, 150, 75}, {219, 15, 180, 135}, {81, 59, 48, 48}},
        {192, {584, 60, 200, 100}, {292, 20, 240, 180}, {108, 78, 64, 64}},
    };
    for (const auto& c : cases) {
        const Scale scale{c.dpi};
        view.clientWidth = scale(WidthFor(3));
        strip = std::make_unique<ThumbnailStrip>(view, files, pictures, scale.AsResolution());
        pictures.AddPixels("C:\\In\\small.gif", 100, 50);
        pictures.AddPixels("C:\\In\\large.jpg", 640, 480);
        for (const char* name : {"small.gif", "large.jpg", "notes.txt"}) Add(name);
        EXPECT_EQ(strip->NoOfThumbnails(), 3) << c.dpi;
        EXPECT_EQ(view.Slot(3).Image, c.small) << c.dpi;
        EXPECT_EQ(view.Slot(2).Image, c.large) << c.dpi;
        EXPECT_EQ(view.Slot(1).Image, c.icon) << c.dpi;
        // A click at the scaled centre of the second cell lands on its picture
        // and on no other slot's.
        const int x = scale(136 + 10 + 60), y = scale(10 + 45);
        for (int s = 1; s <= 3; ++s) {
            const SlotRect r = view.Slot(s).Image;
            const bool inside = x >= r.Left && x < r.Left + r.Width && y >= r.Top && y < r.Top + r.Height;
            EXPECT_EQ(inside, s == 2) << c.dpi << " slot " << s;
        }
    }
}

TEST_F(ThumbnailStripTest, OtherFilesShowTheIconOfTheirExtension) {
    const struct { const char* name; int icon; } cases[] = {
        {"a.pdf", 2}, {"B.PDF", 2}, {"c.ppt", 3}, {"d.txt", 4}, {"e.vcf", 6}, {"f.doc", 8},
        {"g.xls", 9}, {"README", 1}, {"h.png", 1}, {"i.vcs", 1}, {"j.docx", 1},
        {"my.pics\\readme", 1},
    };
    MakeStrip();
    for (const auto& c : cases) {
        Add(c.name);
        EXPECT_EQ(view.Slot(1).IconEntry, c.icon) << c.name;
        EXPECT_EQ(view.Slot(1).Image, (SlotRect{54, 39, 32, 32})) << c.name;
    }
    EXPECT_EQ(pictures.loads, 0);
}

TEST_F(ThumbnailStripTest, AnImageThatCannotBeLoadedShowsThePlainDocumentIcon) {
    MakeStrip();
    pictures.Fail("C:\\In\\broken.jpg");
    Add("broken.jpg", "abc");
    Add("unknown.gif", "");  // the loader knows nothing of it
    for (int s : {1, 2}) {
        EXPECT_TRUE(view.Slot(s).Visible);
        EXPECT_EQ(view.Slot(s).IconEntry, 1);
        EXPECT_EQ(view.Slot(s).Image, PlaceInCell(s, {32, 32}, {}));
    }
    EXPECT_EQ(view.Slot(2).ToolTip, "broken.jpg (JPG File, 3 bytes)");
}

TEST_F(ThumbnailStripTest, ToolTipGivesNameTypeAndSize) {
    MakeStrip();
    files.SetTypeName("txt", "Text Document");
    Add("report.txt", std::string(1234, 'x'));
    EXPECT_EQ(view.Slot(1).ToolTip, "report.txt (Text Document, 1234 bytes)");
}

TEST_F(ThumbnailStripTest, EachAddedFileGoesToTheFront) {
    MakeStrip();
    EXPECT_EQ(Shown(), (std::vector<int>{0, 0, 0, 0, 0, 0}));
    Add("1.txt");
    Add("2.txt");
    Add("3.txt");
    EXPECT_EQ(Shown(), (std::vector<int>{3, 2, 1, 0, 0, 0}));
    ASSERT_EQ(strip->NoOfFiles(), 3);
    EXPECT_EQ(strip->Files().At(1).Name, "3.txt");
    EXPECT_EQ(strip->Files().At(3).Name, "1.txt");
}

TEST_F(ThumbnailStripTest, AddingWhileScrolledAwayReturnsToTheFront) {
    MakeStrip(3);
    AddNumbered(6);
    strip->OnScroll(3);
    ASSERT_EQ(Shown(), (std::vector<int>{4, 5, 6, 0, 0, 0}));
    Add("new.txt");
    EXPECT_EQ(view.Slot(1).ToolTip.substr(0, 7), "new.txt");
    EXPECT_EQ(strip->FirstVisible(), 1);
    EXPECT_EQ(strip->LastVisible(), 3);
    EXPECT_EQ(strip->ScrollBar(), (ScrollBarState{true, 4, 0}));
    EXPECT_EQ(view.scrollBar, strip->ScrollBar());
}

TEST_F(ThumbnailStripTest, FailedChangesLeaveListAndViewAlone) {
    MakeStrip();
    AddNumbered(2);
    const auto slots = view.Slots();
    const auto calls = view.calls.size();

    EXPECT_THROW(strip->AddFile("C:\\In\\missing.txt"), FileSystemError);
    EXPECT_THROW(strip->AddFile("c:\\IN\\1.TXT"), DuplicateKeyError);
    EXPECT_THROW(strip->DeleteFile("C:\\In\\3.txt"), MissingKeyError);

    EXPECT_EQ(strip->NoOfFiles(), 2);
    EXPECT_EQ(view.Slots(), slots);
    EXPECT_EQ(view.calls.size(), calls);
    // Deleting ignores letter case, like the duplicate check.
    strip->DeleteFile("c:\\in\\1.TXT");
    EXPECT_EQ(Shown(), (std::vector<int>{2, 0, 0, 0, 0, 0}));
}

TEST_F(ThumbnailStripTest, ClicksRaiseTheirEventWithTheFullPathOfTheSlotsFile) {
    MakeStrip(3);
    AddNumbered(5);
    strip->OnScroll(2);  // slots show files 3, 4, 5
    std::vector<std::string> raised;
    strip->FileClick = [&](const std::string& p) { raised.push_back("click " + p); };
    strip->FileRightClick = [&](const std::string& p) { raised.push_back("right " + p); };
    strip->FileDblClick = [&](const std::string& p) { raised.push_back("double " + p); };

    strip->OnSlotClick(1);
    strip->OnSlotRightButtonUp(2);
    strip->OnSlotDoubleClick(3);
    EXPECT_EQ(raised, (std::vector<std::string>{"click C:\\In\\3.txt", "right C:\\In\\4.jpg",
                                                "double C:\\In\\5.txt"}));

    // Nothing lies under a slot past the end of the list, a slot out of use
    // (though its position is listed) or no slot at all.
    const auto clickAll = [&](int slot) {
        strip->OnSlotClick(slot);
        strip->OnSlotRightButtonUp(slot);
        strip->OnSlotDoubleClick(slot);
    };
    strip->DeleteFile(PathOf(5));
    raised.clear();
    clickAll(3);
    strip->OnScroll(0);
    for (int slot : {4, 0, 7}) clickAll(slot);
    EXPECT_TRUE(raised.empty());
}

TEST_F(ThumbnailStripTest, AHandlerMayChangeTheListItWasRaisedFrom) {
    MakeStrip();
    AddNumbered(2);
    std::string shown;
    strip->FileClick = [&](const std::string& p) {
        strip->DeleteFile(p);
        shown = p;
    };
    strip->OnSlotClick(1);
    EXPECT_EQ(shown, "C:\\In\\1.txt");
    EXPECT_EQ(Shown(), (std::vector<int>{2, 0, 0, 0, 0, 0}));
}

TEST_F(ThumbnailStripTest, TheListHoldsAtMost32767Files) {
    MakeStrip();
    {
        ThumbnailStrip::Batch batch(*strip);
        AddNumbered(static_cast<int>(MaxThumbnailFiles));
    }
    const auto slots = view.Slots();
    const auto bar = strip->ScrollBar();
    files.AddFile("C:\\In\\one-more.txt");
    EXPECT_THROW(strip->AddFile("C:\\In\\one-more.txt"), ListFullError);
    EXPECT_EQ(strip->NoOfFiles(), 32767);
    EXPECT_FALSE(strip->Files().Contains("C:\\In\\one-more.txt"));
    EXPECT_EQ(view.Slots(), slots);
    EXPECT_EQ(strip->ScrollBar(), bar);
    // Room again after a removal.
    strip->DeleteFile("C:\\In\\7.txt");
    strip->AddFile("C:\\In\\one-more.txt");
    EXPECT_EQ(strip->NoOfFiles(), 32767);
}

}  // namespace
}  // namespace qw
