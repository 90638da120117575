#include <gtest/gtest.h>

#include <set>

#include "main/Menus.h"
#include "main/TaskPane.h"

namespace qw {
namespace {

constexpr std::uint32_t Normal = 0xC65D21;

TEST(TaskPane, BarsItemsAndIconsAreBuiltInOrder) {
    std::vector<std::string> shown;
    for (const auto& bar : PaneBars()) {
        shown.push_back(bar.Title + ":");
        for (const auto& item : bar.Items)
            shown.push_back(item.Caption + "@" + std::to_string(PaneIconIndex(item.IconKey)));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "Inbox:", "View Files@0", "Settings@1", "Screen Saver:", "View Files@0",
                         "Add Image From File@2", "Preview@3", "Settings@1", "File:", "Print@4", "Move@5",
                         "Save As@6", "Delete@7", "Copy To Clipboard@8", "Use As Desktop Background@9",
                         "Email@10", "Add To Screen Saver@2"}));
    EXPECT_THROW(PaneIconIndex("ICON_MISSING"), std::invalid_argument);
}

TEST(TaskPane, EveryItemDispatchesToItsCommandAndUnknownKeysToNothing) {
    std::set<Command> seen;
    for (const auto& bar : PaneBars())
        for (const auto& item : bar.Items) {
            EXPECT_EQ(DispatchPaneItem(item.Key), item.Runs) << item.Key;
            seen.insert(item.Runs);
        }
    EXPECT_EQ(seen.size(), 14u);
    EXPECT_EQ(DispatchPaneItem("inboxviewfilesbaritem"), Command::None);  // case counts
    EXPECT_EQ(DispatchPaneItem("FileBar"), Command::None);
    EXPECT_EQ(DispatchPaneItem(""), Command::None);
}

TEST(TaskPane, FileCaseFollowsTheNameAndTheStack) {
    EXPECT_EQ(FileCaseOf("", true), FileCase::NoFile);
    EXPECT_EQ(FileCaseOf("C:\\In\\a.jpg", false), FileCase::NoFile);
    EXPECT_EQ(FileCaseOf("C:\\In\\a.JPG", true), FileCase::Image);
    EXPECT_EQ(FileCaseOf("C:\\In\\notes.txt", true), FileCase::Document);
    EXPECT_EQ(FileCaseOf("C:\\In\\a.png", true), FileCase::Document);
}

// "on" or "off", then the colour: n (normal) or s (silver).
std::string Describe(const FileCommandState& s) {
    std::string colour = s.Color == Normal ? "n" : s.Color == SilverColor ? "s" : "?";
    return std::string(s.On ? "on " : "off ") + colour;
}

TEST(TaskPane, FileCommandsFollowTheKindOfTheCurrentFile) {
    struct Case {
        FileCase fileCase;
        bool inboxShown;
        std::vector<std::string> expected;  // Print Move SaveAs Delete Clipboard Desktop Email AddToSaver
    };
    const Case cases[] = {
        {FileCase::NoFile, true, {"off s", "off s", "off s", "off s", "off s", "off s", "off s", "off s"}},
        {FileCase::NoFile, false, {"off s", "off s", "off s", "off s", "off s", "off s", "off s", "off s"}},
        {FileCase::Document, true, {"off s", "on n", "on n", "on n", "off s", "off s", "on n", "off s"}},
        {FileCase::Document, false, {"off s", "on n", "on n", "on n", "off s", "off s", "on n", "off s"}},
        {FileCase::Image, true, {"on n", "on n", "on n", "on n", "on n", "on n", "on n", "on n"}},
        {FileCase::Image, false, {"on n", "on n", "on n", "on n", "on n", "on n", "on n", "off s"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> got;
        for (const auto& s : FileCommandStates(c.fileCase, c.inboxShown, Normal)) got.push_back(Describe(s));
        EXPECT_EQ(got, c.expected) << static_cast<int>(c.fileCase) << " inbox " << c.inboxShown;
    }
}

TEST(Menus, ThumbMenuEntriesFollowTheFileCommands) {
    const Menu menu = ThumbMenu(FileCommandStates(FileCase::Document, true, Normal));
    std::vector<std::string> entries;
    for (const auto& e : menu) entries.push_back(e.Caption + (e.IsSeparator() ? "" : e.Enabled ? "+" : "-"));
    EXPECT_EQ(entries, (std::vector<std::string>{"Print...-", "Move...+", "Save As...+", "Delete...+", "-",
                                                 "Copy To Clipboard-", "Use As Desktop Background-", "Email...+",
                                                 "Add To Screen Saver-"}));
}

}  // namespace
}  // namespace qw
