#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fakes/FakeDialogs.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeScreenSaverPlatform.h"
#include "fakes/FakeSettingsDialog.h"
#include "shared/SettingsDialog.h"
#include "shared/Text.h"

namespace qw {
namespace {

using enum SettingsControl;

const std::string kFile = "C:\\App\\settings.txt";

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override { files.AddFolder("C:\\App"); }
    SettingsDialog& Opened(const SettingsRecord& record = {}, SettingsTab tab = SettingsTab::Inbox,
                           bool hideInboxTab = false) {
        dialog = std::make_unique<SettingsDialog>(view, ports);
        dialog->Open(tab, hideInboxTab, record);
        return *dialog;
    }
    // EditSettings with `user` playing the dialog; a dialog the user leaves
    // open is cancelled, as the user would in the end.
    void Edit(FakeSettingsDialogView::User user, const std::string& file = kFile) {
        dialogs.user = [user](SettingsDialog& d, FakeSettingsDialogView& v) {
            user(d, v);
            if (!v.hidden) d.OnCancel();
        };
        editor.EditSettings(SettingsTab::ScreenSaver, false, file, record);
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const ShownMessage& m : messages.shown) texts.push_back(m.Text);
        return texts;
    }

    FakeSettingsDialogView view;
    RecordingMessageBoxes messages;
    FakeFolderPicker folders;
    FakeColorPicker colors;
    FakeClock clock;
    FakeScreenSaverPlatform shortPaths;
    Windows1252 ansi;
    SettingsDialogPorts ports{messages, folders, colors, clock, shortPaths, ansi};
    std::unique_ptr<SettingsDialog> dialog;

    FakeFileSystem files;
    FakeSettingsDialogs dialogs;
    SettingsDialogEditor editor{dialogs.Maker(), files, ports};
    SettingsRecord record;
};

TEST_F(SettingsDialogTest, FillsEveryControlFromTheRecordAndRunsTheClock) {
    SettingsRecord r;
    r.ShowQuillwave = false;
    r.EmailFile = r.ResizeImages = true;
    r.CopyToFolderPath = "  D:\\Copies" + std::string(189, ' ');
    r.ShowImagesForSeconds = 25;
    r.BackgroundColor = 0x00112233;
    r.ClockColor = 0x00445566;
    r.NoOfImagesX = 3;
    r.NoOfImagesY = 2;
    Opened(r, SettingsTab::ScreenSaver, true);
    EXPECT_EQ(view.tab, SettingsTab::ScreenSaver);
    EXPECT_FALSE(view.inboxTabAvailable);
    EXPECT_EQ(dialog->Values(), DialogValuesFrom(r));  // what the controls show reads back unchanged
    EXPECT_EQ(view.Check(EmailBox), CheckState::Checked);
    EXPECT_EQ(view.Text(CopyFolderText), "D:\\Copies");
    EXPECT_EQ(view.Text(SecondsText), "25");
    EXPECT_EQ(view.swatchColor, 0x00112233);
    EXPECT_EQ(view.clockBackColor, 0x00112233);
    EXPECT_EQ(view.clockTextColor, 0x00445566);
    EXPECT_EQ(view.clockText, "14:05:09");
    EXPECT_EQ(view.clockTimer, 1000u);
    clock.now = "14:05:10";
    dialog->OnClockTimer();
    EXPECT_EQ(view.clockText, "14:05:10");
    dialog->OnCancel();
    EXPECT_EQ(view.clockTimer, 0u);
}

TEST_F(SettingsDialogTest, DependentControlsFollowTheirBoxOnFillAndOnClicks) {
    struct Case {
        bool CopyToFolder, UseScreenSaver;
    };
    const SettingsControl folderControls[] = {CopyFolderText, BrowseCopyFolder};
    const SettingsControl saverControls[] = {OriginalSizeOption, ResizeOption, SecondsText,
                                             ColumnsText,       RowsText,  ShowClockBox};
    auto expectEnabled = [&](bool folder, bool saver, const char* when) {
        for (SettingsControl c : folderControls) EXPECT_EQ(view.Enabled(c), folder) << when;
        for (SettingsControl c : saverControls) EXPECT_EQ(view.Enabled(c), saver) << when;
        EXPECT_TRUE(view.Enabled(UseScreenSaverBox)) << when;
    };
    for (const Case c : {Case{false, false}, Case{true, false}, Case{false, true}, Case{true, true}}) {
        SCOPED_TRACE(::testing::Message() << "CopyToFolder " << c.CopyToFolder << ", UseScreenSaver "
                                          << c.UseScreenSaver);
        view = FakeSettingsDialogView{};
        SettingsRecord r;
        r.CopyToFolder = c.CopyToFolder;
        r.UseScreenSaver = c.UseScreenSaver;
        r.CopyToFolderPath = "D:\\Copies";
        SettingsDialog& d = Opened(r);
        expectEnabled(c.CopyToFolder, c.UseScreenSaver, "filled");
        view.Click(d, CopyToFolderBox);
        view.Click(d, UseScreenSaverBox);
        expectEnabled(!c.CopyToFolder, !c.UseScreenSaver, "clicked once");
        view.Click(d, UseScreenSaverBox);
        expectEnabled(!c.CopyToFolder, c.UseScreenSaver, "clicked twice");
    }
}

TEST_F(SettingsDialogTest, OkChecksTheNumbersInOrderAndStoresThemRounded) {
    struct Case {
        const char *Seconds, *Wide, *Tall;
        const char* Refusal;  // nullptr: accepted
        std::int16_t Stored;
    };
    const Case cases[] = {
        {"0", "1", "1", "Images used in the screen saver must be shown for at least one second.", 0},
        {"0.5", "1", "1", "Images used in the screen saver must be shown for at least one second.", 0},
        {"abc", "1", "1", "Images used in the screen saver must be shown for at least one second.", 0},
        {"61", "1", "1", "Images used in the screen saver can be shown for a maximum of 60 seconds.", 0},
        {"60.4", "1", "0", "At least one image tall must be shown.", 0},
        {"10", "0", "0", "At least one image wide must be shown.", 0},
        {"10", "51", "1", "A maximum of 50 images wide can be shown.", 0},
        {"10", "1", "50.6", "A maximum of 50 images tall can be shown.", 0},
        {"60.5", "1", "1", nullptr, 60},
        {"60.51", "1", "1", "Images used in the screen saver can be shown for a maximum of 60 seconds.", 0},
        {"99999999999999999999999", "1", "1",
         "Images used in the screen saver can be shown for a maximum of 60 seconds.", 0},
        {"60", "1", "1", nullptr, 60},
        {"60.4", "50", "50", nullptr, 60},
        {" 1", "1", "1", nullptr, 1},
        {"12s", "1", "1", nullptr, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Seconds) + " " + c.Wide + " " + c.Tall);
        messages.shown.clear();
        record = SettingsRecord{};
        files = FakeFileSystem{};
        files.AddFolder("C:\\App");
        Edit([&](SettingsDialog& d, FakeSettingsDialogView& v) {
            v.Click(d, UseScreenSaverBox);  // checked also while the boxes are disabled
            v.SetText(SecondsText, c.Seconds);
            v.SetText(ColumnsText, c.Wide);
            v.SetText(RowsText, c.Tall);
            d.OnOk();
        });
        if (c.Refusal) {
            EXPECT_EQ(messages.shown,
                      (std::vector<ShownMessage>{{c.Refusal, "Screen Saver", MessageIcon::Information}}));
            EXPECT_EQ(record, SettingsRecord{});
            EXPECT_FALSE(files.HasFile(kFile));
        } else {
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(record.ShowImagesForSeconds, c.Stored);
            EXPECT_FALSE(record.UseScreenSaver);
            EXPECT_EQ(files.Bytes(kFile).size(), 238u);
        }
    }
}

TEST_F(SettingsDialogTest, ARefusedOkLeavesTheDialogOpenForTheNextCorrection) {
    std::vector<bool> hiddenAfterOk;
    Edit([&](SettingsDialog& d, FakeSettingsDialogView& v) {
        v.SetText(SecondsText, "0");
        v.SetText(ColumnsText, "0");
        d.OnOk();
        hiddenAfterOk.push_back(v.hidden.has_value());
        v.SetText(SecondsText, "5");
        d.OnOk();
        hiddenAfterOk.push_back(v.hidden.has_value());
        v.SetText(ColumnsText, "4");
        d.OnOk();
        hiddenAfterOk.push_back(v.hidden.has_value());
    });
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{
                                  "Images used in the screen saver must be shown for at least one second.",
                                  "At least one image wide must be shown."}));
    EXPECT_EQ(hiddenAfterOk, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(record.ShowImagesForSeconds, 5);
    EXPECT_EQ(record.NoOfImagesX, 4);
}

TEST_F(SettingsDialogTest, CancelAndTheCloseBoxLeaveRecordAndFileAsTheyWere) {
    const std::vector<std::uint8_t> stored(238, 0x11);
    files.AddFile(kFile, stored);
    record.PrintFile = true;
    const SettingsRecord before = record;
    for (const bool closeBox : {false, true}) {
        colors.answer = 0x00ABCDEF;
        folders.answer = "E:\\Elsewhere";
        dialogs.user = [&](SettingsDialog& d, FakeSettingsDialogView& v) {
            for (SettingsControl box : {ShowWindowBox, PrintBox, ClipboardBox, EmailBox,
                                        WallpaperBox, AddToScreenSaverBox, CopyToFolderBox,
                                        UseScreenSaverBox, ShowClockBox})
                v.Click(d, box);
            v.SetResizeImages(true);
            d.OnSelectFolder();
            d.OnSelectBackgroundColor();
            d.OnSelectClockColor();
            for (SettingsControl box : {SecondsText, ColumnsText, RowsText})
                v.SetText(box, "7");
            closeBox ? d.OnClose() : d.OnCancel();
            EXPECT_EQ(v.hidden, false);
        };
        editor.EditSettings(SettingsTab::Inbox, false, kFile, record);
        EXPECT_EQ(record, before) << closeBox;
        EXPECT_EQ(files.Bytes(kFile), stored) << closeBox;
        EXPECT_EQ(files.CountOf(FileOperation::ReplaceFileContents), 0u) << closeBox;
    }
}

TEST_F(SettingsDialogTest, ColourButtonsStartFromTheColourShownAndCancellingKeepsIt) {
    SettingsRecord r;
    r.BackgroundColor = 0x00000010;
    r.ClockColor = 0x00000020;
    SettingsDialog& d = Opened(r);
    colors.answer = 0x00FF0000;
    d.OnSelectBackgroundColor();  // the clock preview shows the slide show's background
    EXPECT_EQ(view.swatchColor, 0x00FF0000);
    EXPECT_EQ(view.clockBackColor, 0x00FF0000);
    EXPECT_EQ(view.clockTextColor, 0x00000020);
    colors.answer = 0x0000FF00;
    d.OnSelectClockColor();
    EXPECT_EQ(view.clockTextColor, 0x0000FF00);
    EXPECT_EQ(view.clockBackColor, 0x00FF0000);
    colors.answer.reset();
    d.OnSelectBackgroundColor();
    colors.fails = true;
    d.OnSelectClockColor();
    EXPECT_EQ(colors.startColors, (std::vector<std::int32_t>{0x10, 0x20, 0x00FF0000, 0x0000FF00}));
    EXPECT_EQ(view.swatchColor, 0x00FF0000);
    EXPECT_EQ(view.clockTextColor, 0x0000FF00);
    EXPECT_EQ(d.Values().BackgroundColor, 0x00FF0000);
    EXPECT_EQ(d.Values().ClockColor, 0x0000FF00);
}

TEST_F(SettingsDialogTest, FolderButtonReplacesTheTextOnlyWhenAFolderIsChosen) {
    SettingsRecord r;
    r.CopyToFolderPath = "D:\\Old";
    SettingsDialog& d = Opened(r);
    d.OnSelectFolder();
    EXPECT_EQ(view.Text(CopyFolderText), "D:\\Old");
    folders.answer = "D:\\New";
    d.OnSelectFolder();
    EXPECT_EQ(view.Text(CopyFolderText), "D:\\New");
    EXPECT_EQ(folders.startFolders, (std::vector<std::string>{"D:\\Old", "D:\\Old"}));
}

// The settings file holds the folder in the ANSI code page (here Windows-1252).
TEST_F(SettingsDialogTest, AFolderTheFileCannotHoldIsStoredByItsShortFormOrRefused) {
    const char* refusal = "This folder's name cannot be stored in the settings file. Please choose another folder.";
    struct Case {
        const char* Folder;
        const char* ShortForm;  // nullptr: none
        bool Ticked;
        const char* Seconds;
        const char* Message;  // nullptr: accepted
        const char* Stored;
    };
    const Case cases[] = {
        {"D:\\Café", nullptr, true, "10", nullptr, "D:\\Café"},
        {"D:\\Фото", "D:\\FOTO~1", true, "10", nullptr, "D:\\FOTO~1"},
        {"D:\\Фото", nullptr, true, "10", refusal, nullptr},
        {"D:\\Фото", "D:\\Фото", true, "10", refusal, nullptr},  // short names switched off
        {"D:\\Фото", nullptr, false, "10", nullptr, "D:\\????"},
        {"D:\\Фото", nullptr, true, "0", "Images used in the screen saver must be shown for at least one second.",
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Folder) + (c.Ticked ? " ticked" : " unticked") + " seconds " + c.Seconds);
        messages.shown.clear();
        shortPaths = FakeScreenSaverPlatform{};
        if (c.ShortForm) shortPaths.SetShortPath(c.Folder, c.ShortForm);
        record = SettingsRecord{};
        record.CopyToFolder = c.Ticked;
        Edit([&](SettingsDialog& d, FakeSettingsDialogView& v) {
            v.SetText(CopyFolderText, c.Folder);
            v.SetText(SecondsText, c.Seconds);
            d.OnOk();
        });
        if (c.Message) {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].Text, c.Message);
            EXPECT_EQ(messages.shown[0].Title, c.Message == refusal ? "Settings" : "Screen Saver");
            EXPECT_EQ(messages.shown[0].Icon, MessageIcon::Information);
            EXPECT_EQ(Trim(record.CopyToFolderPath), "");
        } else {
            EXPECT_TRUE(messages.shown.empty());
            LoadSettings(files, ansi, kFile, record);  // what the next start reads
            EXPECT_EQ(Trim(record.CopyToFolderPath), c.Stored);
        }
    }
}

TEST_F(SettingsDialogTest, WithoutASettingsFileOkSavesNothingAndSaysWhy) {
    Edit([](SettingsDialog& d, FakeSettingsDialogView& v) {
        v.Click(d, PrintBox);
        d.OnOk();
    }, "");
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{"The settings cannot be saved until Quillwave! has been "
                                                          "started once.",
                                                          "Screen Saver", MessageIcon::Information}}));
    EXPECT_EQ(record, SettingsRecord{});
    EXPECT_TRUE(files.Operations().empty());
}

TEST_F(SettingsDialogTest, AFailedSaveIsReportedAndTheNewValuesStayInUse) {
    files.FailOn(FileOperation::ReplaceFileContents, kFile);
    Edit([](SettingsDialog& d, FakeSettingsDialogView& v) {
        v.Click(d, PrintBox);
        d.OnOk();
    });
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{"The settings could not be saved to C:\\App\\settings.txt.",
                                                          "Settings", MessageIcon::Critical}}));
    EXPECT_TRUE(record.PrintFile);
}

}  // namespace
}  // namespace qw
