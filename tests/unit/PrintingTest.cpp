// Printing the current picture: orientation, page geometry and failures.

#include <gtest/gtest.h>

#include "fakes/CommandsFixture.h"
#include "main/Printing.h"

namespace qw {
namespace {

using PrintTest = CommandsFixture;

TEST_F(PrintTest, TurnsThePageFirstAndFillsItFromTheTopLeftCorner) {
    struct Case {
        int Width, Height;  // pixels of the picture
        TwipSize Portrait;  // printable area of the portrait page
        std::vector<std::string> Calls;
    };
    const TwipSize letter{11520, 15120}, a4{11338, 16157};
    const Case cases[] = {
        // 4/3 at least the area's proportion: full width; else full height.
        {4000, 3000, letter, {"begin landscape", "draw 0 0 15120 11340", "end"}},
        {4000, 3000, a4, {"begin landscape", "draw 0 0 15117 11338", "end"}},
        {3000, 4000, letter, {"begin portrait", "draw 0 0 11340 15120", "end"}},
        {3000, 4000, a4, {"begin portrait", "draw 0 0 11338 15117", "end"}},
        // 847 x 847 HIMETRIC: its own size, 480 twips.
        {32, 32, letter, {"begin portrait", "draw 0 0 480 480", "end"}},
        {32, 32, a4, {"begin portrait", "draw 0 0 480 480", "end"}},
    };
    MainPresenter& w = Started();
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Width) + "x" + std::to_string(c.Height) + " on " +
                     std::to_string(c.Portrait.Width));
        const std::string name = "photo" + std::to_string(++n) + ".jpg";
        AddToInbox(name, c.Width, c.Height);
        w.ShowFile(InInbox(name));
        printer.portrait = c.Portrait;
        printer.calls.clear();
        w.RunCommand(Command::PrintCurrentPicture);
        EXPECT_EQ(printer.calls, c.Calls);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST(PrintRectangleTest, KeepsItsOwnSizeOnlyWhileBelowTheAreaReadAsTwips) {
    // HIMETRIC numbers compared with twips: 11519 fits an area 11520 wide...
    EXPECT_EQ(PrintRectangle({11519, 100}, {11520, 15120}), (TwipRect{0, 0, 6530, 57}));
    // ...11520 does not, and is stretched to the full width.
    EXPECT_EQ(PrintRectangle({11520, 100}, {11520, 15120}), (TwipRect{0, 0, 11520, 100}));
    EXPECT_THROW(PrintRectangle({0, 100}, {11520, 15120}), std::invalid_argument);
    EXPECT_THROW(PrintRectangle({100, 100}, {0, 15120}), std::invalid_argument);
}

TEST_F(PrintTest, AnyFailureSaysCouldNotPrintAndLeavesNoPageBehind) {
    struct Case {
        const char* What;
        bool Missing, FailDrawing, PictureLoads;
        std::vector<std::string> Calls;
    };
    const Case cases[] = {
        {"no printer", true, false, true, {}},
        {"printer fails mid-page", false, true, true, {"begin landscape", "abort"}},
        // The previous file's picture must not be printed for it.
        {"picture did not load", false, false, false, {}},
    };
    AddToInbox("before.jpg", 400, 300);
    AddToInbox("photo.jpg", 400, 300);
    AddToInbox("broken.jpg");
    pictures.Fail(InInbox("broken.jpg"));
    MainPresenter& w = Started();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        printer.missing = c.Missing;
        printer.failDrawing = c.FailDrawing;
        printer.calls.clear();
        messages.shown.clear();
        const std::string file = InInbox(c.PictureLoads ? "photo.jpg" : "broken.jpg");
        w.ShowFile(InInbox("before.jpg"));
        w.ShowFile(file);
        w.RunCommand(Command::PrintCurrentPicture);
        EXPECT_EQ(printer.calls, c.Calls);
        EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{"Could not print picture", "Print"}}));
        EXPECT_EQ(w.State().CurrentFile, file);
    }
}

}  // namespace
}  // namespace qw
