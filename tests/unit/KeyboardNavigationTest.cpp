// The main window from the keyboard: one table of key presses through the
// presenter, its strip and the views' fakes.

#include <gtest/gtest.h>

#include "fakes/MainPresenterFixture.h"

namespace qw {
namespace {

using K = NavigationKey;
using P = FocusPlace;

struct Press {
    P where;
    K key;
};

struct KeyCase {
    const char* name;
    int files;   // text files in the inbox; the strip shows 3 at a time
    bool stack;  // without the Bluetooth stack no file becomes current
    std::vector<Press> presses;
    const char* expected;
};

class KeyboardNavigationTest : public MainPresenterFixture, public ::testing::WithParamInterface<KeyCase> {
protected:
    // pane focus, the current file's list position, the first position on
    // show, the slot drawn as current, then what else happened.
    std::string Outcome() const {
        const auto position = [&](const std::string& path) { return std::to_string(strip.Files().PositionOf(path)); };
        std::string s = "pane " + view.paneFocus + ", file " + position(window->State().CurrentFile) + ", first " +
                        std::to_string(strip.FirstVisible()) + ", slot " + std::to_string(stripView.currentSlot);
        const char* names[] = {"pane", "strip", "scroll"};
        for (const P place : view.focusMoves) s += std::string(", to ") + names[static_cast<int>(place)];
        for (const int slot : view.menuSlots) s += ", menu at " + std::to_string(slot);
        if (!shell.opened.empty()) s += ", opened " + position(shell.opened.back());
        if (strip.NoOfFiles() != GetParam().files) s += ", left " + std::to_string(strip.NoOfFiles());
        if (!window->State().InboxShown) s += ", screen saver shown";
        return s;
    }
};

TEST_P(KeyboardNavigationTest, KeysMoveTheFocusAndRunWhatTheMouseRuns) {
    const KeyCase& c = GetParam();
    files.AddFolder("C:\\App\\inbox");
    for (int i = 1; i <= c.files; ++i) files.AddFile("C:\\App\\inbox\\f" + std::to_string(i) + ".txt", "x");
    if (c.stack) InstallStack();
    Started();
    for (const Press& p : c.presses) window->Keyboard().OnKey(p.where, p.key);
    EXPECT_EQ(Outcome(), c.expected);
}

// At start the inbox is shown: its "View Files" is grey, and so is the whole
// File bar while no file is current.
const KeyCase cases[] = {
    {"DownStartsAtTheFirstLiveItem", 0, true, {{P::Pane, K::Down}},
     "pane InboxSettingsBarItem, file 0, first 1, slot 0"},
    {"DownGoesOnIntoTheNextBar", 0, true, {{P::Pane, K::Down}, {P::Pane, K::Down}, {P::Pane, K::Down}},
     "pane AddImageToScreenSaverFromFileScreenSaverBarItem, file 0, first 1, slot 0"},
    {"EndStopsBeforeTheGreyFileBar", 0, true, {{P::Pane, K::End}, {P::Pane, K::Down}},
     "pane ScreenSaverSettingsBarItem, file 0, first 1, slot 0"},
    {"HomeSkipsTheGreyFirstItem", 0, true, {{P::Pane, K::End}, {P::Pane, K::Home}, {P::Pane, K::Up}},
     "pane InboxSettingsBarItem, file 0, first 1, slot 0"},
    {"EnterRunsTheItem", 0, true, {{P::Pane, K::Down}, {P::Pane, K::Down}, {P::Pane, K::Enter}},
     "pane ScreenSaverViewFilesBarItem, file 0, first 1, slot 0, screen saver shown"},
    {"UpReachesTheItemThatCameAlive", 0, true,
     {{P::Pane, K::Down}, {P::Pane, K::Down}, {P::Pane, K::Space}, {P::Pane, K::Down}, {P::Pane, K::Up},
      {P::Pane, K::Up}, {P::Pane, K::Space}},
     "pane InboxViewFilesBarItem, file 0, first 1, slot 0"},
    {"FileItemsComeAliveWithACurrentFile", 2, true, {{P::Strip, K::Right}, {P::Pane, K::End}},
     "pane EmailBarItem, file 1, first 1, slot 1"},
    {"TabGoesPaneStripScrollButtons", 8, true, {{P::Pane, K::Tab}, {P::Strip, K::Tab}, {P::ScrollButtons, K::Tab}},
     "pane InboxSettingsBarItem, file 0, first 1, slot 0, to strip, to scroll, to pane"},
    {"ShiftTabGoesBack", 8, true, {{P::Pane, K::ShiftTab}, {P::ScrollButtons, K::ShiftTab}},
     "pane , file 0, first 1, slot 0, to scroll, to strip"},
    {"TabPassesOverButtonsThatCannotScroll", 2, true, {{P::Strip, K::Tab}, {P::Pane, K::ShiftTab}},
     "pane InboxSettingsBarItem, file 0, first 1, slot 0, to pane, to strip"},
    {"TabStaysInThePaneBesideAnEmptyStrip", 0, true, {{P::Pane, K::Tab}},
     "pane InboxSettingsBarItem, file 0, first 1, slot 0, to pane"},
    {"RightStartsAtTheFirstThumbnail", 8, true, {{P::Strip, K::Right}}, "pane , file 1, first 1, slot 1"},
    {"RightScrollsOneStepPastTheEdge", 8, true,
     {{P::Strip, K::Right}, {P::Strip, K::Right}, {P::Strip, K::Right}, {P::Strip, K::Right}},
     "pane , file 4, first 2, slot 3"},
    {"EndAndHomeScrollToTheEnds", 8, true, {{P::Strip, K::End}}, "pane , file 8, first 6, slot 3"},
    {"HomeScrollsBack", 8, true, {{P::Strip, K::End}, {P::Strip, K::Left}, {P::Strip, K::Home}},
     "pane , file 1, first 1, slot 1"},
    {"LeftStopsAtTheFirstFile", 8, true, {{P::Strip, K::Home}, {P::Strip, K::Left}}, "pane , file 1, first 1, slot 1"},
    {"EnterOpensTheCurrentFile", 8, true, {{P::Strip, K::End}, {P::Strip, K::Enter}},
     "pane , file 8, first 6, slot 3, opened 8"},
    {"EnterWithoutACurrentFileOpensNothing", 8, true, {{P::Strip, K::Enter}}, "pane , file 0, first 1, slot 0"},
    {"DeleteDeletesTheCurrentFile", 8, true, {{P::Strip, K::Right}, {P::Strip, K::Delete}},
     "pane , file 0, first 1, slot 0, left 7"},
    {"MenuKeyOpensTheMenuAtTheThumbnail", 8, true,
     {{P::Strip, K::End}, {P::Strip, K::Left}, {P::Strip, K::ContextMenu}},
     "pane , file 7, first 6, slot 2, menu at 2"},
    {"WithoutTheStackTheFocusStillMovesAndOpens", 8, false, {{P::Strip, K::Right}, {P::Strip, K::Enter}},
     "pane , file 0, first 1, slot 1, opened 1"},
    {"WithoutTheStackDeleteDeletesNothing", 8, false, {{P::Strip, K::Right}, {P::Strip, K::Delete}},
     "pane , file 0, first 1, slot 1"},
    {"TheScrollButtonsAnswerTheirOwnArrows", 8, true, {{P::ScrollButtons, K::Right}, {P::ScrollButtons, K::Enter}},
     "pane , file 0, first 1, slot 0"},
};

INSTANTIATE_TEST_SUITE_P(Keys, KeyboardNavigationTest, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainPresenterFixture, ShowingTheWindowFocusesTheStripOrAnEmptyStripsPane) {
    files.AddFolder("C:\\App\\inbox");
    files.AddFile("C:\\App\\inbox\\a.txt", "x");
    Started();
    window->RunCommand(Command::ShowWindow);
    window->ShowScreenSaverImages();  // an empty folder
    window->RunCommand(Command::ShowWindow);
    EXPECT_EQ(view.focusMoves, (std::vector<FocusPlace>{FocusPlace::Strip, FocusPlace::Pane}));
    EXPECT_EQ(view.paneFocus, "InboxViewFilesBarItem");
}

}  // namespace
}  // namespace qw
