#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "fakes/MainPresenterFixture.h"

namespace qw {
namespace {

using MainPresenterSettingsTest = MainPresenterFixture;

const std::string kOurs = "C:\\WINDOWS\\system32\\quillw~1.scr";
const std::string kOther = "C:\\WINDOWS\\system32\\ssText3d.scr";

TEST_F(MainPresenterSettingsTest, StartUpPutsTheWindowsScreenSaverInLineWithTheSettings) {
    struct Case {
        const char* Name;
        std::optional<bool> StoredUse;  // nothing: no settings file
        std::optional<std::string> Before, After;
        bool WriteRefused = false;
    };
    const Case cases[] = {
        {"first start", std::nullopt, std::nullopt, kOurs},
        {"ticked", true, kOther, kOurs},
        {"unticked, ours", false, kOurs, std::nullopt},
        {"unticked, another", false, kOther, kOther},
        {"unticked, none", false, std::nullopt, std::nullopt},
        {"write refused", true, kOther, kOther, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        files = FakeFileSystem{};
        registry = FakeRegistry{};
        view = FakeMainView{};
        if (c.StoredUse) {
            SettingsRecord stored;
            stored.UseScreenSaver = *c.StoredUse;
            const SettingsBytes bytes = EncodeSettings(stored, ansi);
            files.AddFile("C:\\App\\settings.txt", std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        }
        if (c.Before) registry.Set(ScreenSaverValue, *c.Before);
        if (c.WriteRefused) registry.FailOn(RegistryOperation::WriteText, ScreenSaverValue);
        Started();
        EXPECT_EQ(registry.Value(ScreenSaverValue), c.After);
        // Start-up went on to its end.
        EXPECT_TRUE(files.HasFolder("C:\\App\\desktop"));
        EXPECT_EQ(view.caption, "Quillwave!");
    }
    EXPECT_TRUE(messages.shown.empty());
}

// The Windows choice is re-applied after every dialog, Cancel included, so a
// change made meanwhile in the display settings is put right.
TEST_F(MainPresenterSettingsTest, SettingsCommandsOpenTheirTabThenReapplyAndRefresh) {
    struct Case {
        const char* Name;
        std::function<void(MainPresenter&)> Run;
        SettingsTab Tab;
    };
    const Case cases[] = {
        {"Inbox pane item", [](MainPresenter& w) { w.OnPaneItemClick("InboxSettingsBarItem"); }, SettingsTab::Inbox},
        {"Screen Saver pane item", [](MainPresenter& w) { w.OnPaneItemClick("ScreenSaverSettingsBarItem"); },
         SettingsTab::ScreenSaver},
        {"Inbox icon menu entry", [](MainPresenter& w) { w.RunCommand(Command::ShowInboxSettings); },
         SettingsTab::Inbox},
        {"Screen Saver icon menu entry", [](MainPresenter& w) { w.RunCommand(Command::ShowScreenSaverSettings); },
         SettingsTab::ScreenSaver},
    };
    MainPresenter& w = Started();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::optional<SettingsTab> tab;
        bool inboxTabAvailable = false;
        dialogs.user = [&](SettingsDialog& d, FakeSettingsDialogView& v) {
            tab = v.tab;
            inboxTabAvailable = v.inboxTabAvailable;
            v.Click(d, SettingsControl::UseScreenSaverBox);
            d.OnCancel();
        };
        registry.Set(ScreenSaverValue, kOther);
        view.caption.clear();
        c.Run(w);
        EXPECT_EQ(tab, c.Tab);
        EXPECT_TRUE(inboxTabAvailable);
        EXPECT_TRUE(w.State().CurrentSettings.UseScreenSaver);
        EXPECT_EQ(registry.Value(ScreenSaverValue), kOurs);
        EXPECT_EQ(view.caption, "Quillwave!");
    }
    EXPECT_TRUE(files.Bytes("C:\\App\\settings.txt").empty());
}

TEST_F(MainPresenterSettingsTest, OkSavesTheSettingsAndTheChoiceFollowsThem) {
    MainPresenter& w = Started();
    ASSERT_EQ(registry.Value(ScreenSaverValue), kOurs);
    dialogs.user = [](SettingsDialog& d, FakeSettingsDialogView& v) {
        v.Click(d, SettingsControl::UseScreenSaverBox);
        d.OnOk();
    };
    w.ShowScreenSaverSettings();
    EXPECT_FALSE(w.State().CurrentSettings.UseScreenSaver);
    EXPECT_EQ(files.Bytes("C:\\App\\settings.txt").size(), 238u);
    EXPECT_EQ(registry.Value(ScreenSaverValue), std::nullopt);
}

// The icon menu stays usable while the dialog is open.
TEST_F(MainPresenterSettingsTest, ExitWhileTheDialogIsOpenClosesItUnsavedThenEnds) {
    MainPresenter& w = Started();
    std::vector<std::string> callsInDialog;
    dialogs.user = [&](SettingsDialog& d, FakeSettingsDialogView& v) {
        v.Click(d, SettingsControl::PrintBox);
        w.RunCommand(Command::ShowInboxSettings);  // no second dialog
        view.calls.clear();
        w.RunCommand(Command::ExitProgram);
        callsInDialog = view.calls;
        EXPECT_EQ(v.hidden, false);
    };
    w.ShowScreenSaverSettings();
    EXPECT_EQ(dialogs.created, 1);
    EXPECT_EQ(callsInDialog, (std::vector<std::string>{"untray"}));
    EXPECT_EQ(view.calls, (std::vector<std::string>{"untray", "unload"}));
    EXPECT_FALSE(w.State().CurrentSettings.PrintFile);
    EXPECT_EQ(files.CountOf(FileOperation::ReplaceFileContents), 0u);
}

TEST_F(MainPresenterSettingsTest, PreviewItemStartsTheScreenSaverFile) {
    files.AddFile("C:\\App\\quillwavess.scr");
    MainPresenter& w = Started();
    w.OnPaneItemClick("PreviewScreenSaverBarItem");
    EXPECT_EQ(platform.started, (std::vector<std::string>{"C:\\App\\quillwavess.scr"}));
}

}  // namespace
}  // namespace qw
