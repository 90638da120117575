// The folder of received files: what it must not be, how the settings
// dialog edits it, and how start-up and the watcher use it.

#include <gtest/gtest.h>

#include "fakes/MainPresenterFixture.h"
#include "fakes/FakeSystemFolders.h"
#include "shared/ReceivedFolder.h"

namespace qw {
namespace {

using enum SettingsControl;

const std::string kRefused =
    "This folder holds other files too. Choose a folder that is used only for files received from a phone.";

TEST(ReceivedFolder, AFolderThatHoldsOtherFilesIsRefusedHoweverItIsSpelled) {
    FakeSystemFolders system;
    const KnownFolders known{"C:\\App", "D:\\Received", "C:\\BT\\In", "C:\\BT\\Root"};
    const struct {
        const char* folder;
        bool refused;
    } cases[] = {
        {"C:\\Users\\Ann\\Phone", false},
        {"E:\\Received from phone\\", false},
        {"C:\\", true},
        {"E:", true},
        {"c:/users/ann/documents", true},  // a system folder by another spelling
        {"C:\\Users\\Ann", true},
        {"C:\\Users\\Ann\\OneDrive\\", true},
        {"C:\\Program Files", true},
        {"d:\\received", true},  // the copy-to folder
        {"C:\\BT\\In", true},
        {"c:\\bt\\root\\", true},
        {"C:\\App", true},
        {"C:\\App\\inbox", true},  // inside the application folder
        {"C:\\App\\screensaver\\new", true},
        {"C:\\Apps", false},
    };
    for (const auto& c : cases) EXPECT_EQ(HoldsOtherFiles(system, c.folder, known), c.refused) << c.folder;
}

class ReceivedFolderTest : public MainPresenterFixture {
protected:
    static std::string InInbox(const std::string& name) { return "C:\\App\\inbox\\" + name; }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const ShownMessage& m : messages.shown) texts.push_back(m.Text);
        return texts;
    }
    // The settings dialog of the running program, played by `user`.
    void EditInboxSettings(MainPresenter& w, FakeSettingsDialogView::User user) {
        dialogs.user = [user](SettingsDialog& d, FakeSettingsDialogView& v) {
            user(d, v);
            if (!v.hidden) d.OnCancel();
        };
        w.ShowInboxSettings();
    }
};

TEST_F(ReceivedFolderTest, StartUpTakesFilesOverFromTheStackTheFolderBothOrNeither) {
    const struct {
        const char* what;
        bool stack;
        const char* folder;  // stored in the registry; nullptr: not set
        bool found;
    } cases[] = {
        {"neither", false, nullptr, false},
        {"stack only", true, nullptr, true},
        {"folder only", false, "C:\\Users\\Ann\\Phone", true},
        {"both", true, "C:\\Users\\Ann\\Phone", true},
        {"an empty value", false, "", false},
        {"a refused folder, written by other hands", false, "C:\\Users\\Ann\\Documents", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        registry = FakeRegistry();
        view = FakeMainView();
        files = FakeFileSystem();
        if (c.stack) InstallStack();
        if (c.folder) registry.Set(ReceivedFilesFolderValue, c.folder);
        files.AddFile("C:\\Users\\Ann\\Phone\\sent.jpg");
        files.AddFile("C:\\Users\\Ann\\Documents\\letter.doc");
        files.AddFile("C:\\BT\\In\\beamed.jpg");
        MainPresenter& w = Started();
        EXPECT_EQ(w.State().BluetoothFound, c.found);
        EXPECT_EQ(view.timerInterval, c.found ? 1000u : 0u);
        EXPECT_EQ(view.statusText, c.found ? "" : "No Compatible Bluetooth Hardware Was Detected");
        // One tick takes one file of each folder in use, the stack's first.
        w.OnTimer();
        const bool fromFolder = c.folder && std::string(c.folder) == "C:\\Users\\Ann\\Phone";
        EXPECT_EQ(files.HasFile(InInbox("beamed.jpg")), c.stack);
        EXPECT_EQ(files.HasFile(InInbox("sent.jpg")), fromFolder);
        EXPECT_EQ(w.State().CurrentFile, fromFolder ? InInbox("sent.jpg") : c.stack ? InInbox("beamed.jpg") : "");
        EXPECT_TRUE(files.HasFile("C:\\Users\\Ann\\Documents\\letter.doc"));
    }
}

TEST_F(ReceivedFolderTest, TheDialogStoresTheFolderOnOkAndTheProgramTakesItOverAtOnce) {
    files.AddFile("C:\\Users\\Ann\\Phone\\sent.jpg");
    MainPresenter& w = Started();
    ASSERT_FALSE(w.State().BluetoothFound);
    // Browse to a folder that holds other files: refused, the dialog stays;
    // then to one of its own.
    EditInboxSettings(w, [&](SettingsDialog& d, FakeSettingsDialogView& v) {
        EXPECT_EQ(v.Check(ReceivedFolderBox), CheckState::Unchecked);
        EXPECT_FALSE(v.Enabled(BrowseReceivedFolder));
        v.Click(d, ReceivedFolderBox);
        folderPicker.answer = "C:\\Users\\Ann\\Downloads";
        d.OnSelectReceivedFolder();
        d.OnOk();
        EXPECT_FALSE(v.hidden);
        folderPicker.answer = "C:\\Users\\Ann\\Phone";
        d.OnSelectReceivedFolder();
        d.OnOk();
    });
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{kRefused});
    EXPECT_EQ(registry.Value(ReceivedFilesFolderValue), "C:\\Users\\Ann\\Phone");
    EXPECT_TRUE(w.State().BluetoothFound);
    EXPECT_EQ(view.timerInterval, 1000u);
    w.OnTimer();
    EXPECT_EQ(w.State().CurrentFile, InInbox("sent.jpg"));

    // Shown again ticked, with its folder; OK with the box unticked forgets it.
    EditInboxSettings(w, [&](SettingsDialog& d, FakeSettingsDialogView& v) {
        EXPECT_EQ(v.Check(ReceivedFolderBox), CheckState::Checked);
        EXPECT_EQ(v.Text(ReceivedFolderText), "C:\\Users\\Ann\\Phone");
        v.Click(d, ReceivedFolderBox);
        d.OnOk();
    });
    EXPECT_EQ(registry.Value(ReceivedFilesFolderValue), std::nullopt);
    EXPECT_FALSE(w.State().BluetoothFound);
    EXPECT_EQ(view.statusText, "No Compatible Bluetooth Hardware Was Detected");
}

}  // namespace
}  // namespace qw
