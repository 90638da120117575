#include <gtest/gtest.h>

#include <optional>

#include "fakes/FakeCommandPorts.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeRegistry.h"
#include "main/InboxWatcher.h"

namespace qw {
namespace {

class InboxWatcherTest : public ::testing::Test {
protected:
    InboxWatcherTest() {
        files.AddFolder("C:\\App\\inbox");
        files.AddFolder("C:\\BT\\In");
        files.AddFolder("C:\\BT\\Root");
        state.BluetoothInboxFolder = "C:\\BT\\In";
        state.BluetoothRootFolder = "C:\\BT\\Root";
    }

    std::vector<std::string> Listed() const {
        std::vector<std::string> paths;
        for (const auto& item : state.InboxFiles) paths.push_back(item.Path);
        return paths;
    }

    FakeFileSystem files;
    MainState state;
    std::vector<std::string> handedOn;
    std::function<void(const std::string&)> onTakenOver = [this](const std::string& p) { handedOn.push_back(p); };
    RecordingMarks marks;
    Busy busy;
    InboxWatcher watcher{state, files, marks, AppFolders{"C:\\App"}, busy, [this](const std::string& p) { onTakenOver(p); }};
};

struct ClashCase {
    const char* received;
    std::vector<std::string> listed;  // names in InboxFiles (and on disk)
    std::vector<std::string> onDiskOnly;
    const char* expected;
};

TEST_F(InboxWatcherTest, FindsAFreeNameForAReceivedFile) {
    const ClashCase cases[] = {
        {"photo.jpg", {}, {}, "photo.jpg"},
        {"photo.jpg", {"photo.jpg", "photo_1.jpg"}, {}, "photo_2.jpg"},
        {"photo.jpg", {"photo_1.jpg"}, {}, "photo.jpg"},
        // Differing only in letter case is a clash too; the received case stays.
        {"Photo.jpg", {"photo.jpg"}, {}, "Photo_1.jpg"},
        {"Photo.JPG", {"photo.jpg", "PHOTO_1.jpg"}, {}, "Photo_2.JPG"},
        // A file in the folder that the list does not know.
        {"photo.jpg", {}, {"photo.jpg"}, "photo_1.jpg"},
        {"readme", {"readme"}, {}, "readme_1"},
        {"archive.tar.gz", {"archive.tar.gz"}, {}, "archive.tar_1.gz"},
        {"Фото.jpg", {"фото.jpg"}, {}, "Фото_1.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.received);
        state.InboxFiles.Clear();
        FakeFileSystem disk;
        for (const auto& name : c.listed) state.InboxFiles.Append({"C:\\App\\inbox\\" + name, name, 0, ""});
        for (const auto& name : c.onDiskOnly) disk.AddFile("C:\\App\\inbox\\" + name);
        InboxWatcher w(state, disk, marks, AppFolders{"C:\\App"}, busy, nullptr);
        EXPECT_EQ(w.FreeDestination(c.received), std::string("C:\\App\\inbox\\") + c.expected);
    }
}

TEST_F(InboxWatcherTest, TakesOneFilePerTickInListingOrderNewestFirst) {
    for (const char* name : {"a.jpg", "b.txt", "c.jpg"}) files.AddFile(std::string("C:\\BT\\In\\") + name, "x");
    watcher.Tick();
    EXPECT_EQ(Listed(), (std::vector<std::string>{"C:\\App\\inbox\\a.jpg"}));
    watcher.Tick();
    watcher.Tick();
    EXPECT_EQ(Listed(), (std::vector<std::string>{"C:\\App\\inbox\\c.jpg", "C:\\App\\inbox\\b.txt",
                                                  "C:\\App\\inbox\\a.jpg"}));
    EXPECT_EQ(handedOn, (std::vector<std::string>{"C:\\App\\inbox\\a.jpg", "C:\\App\\inbox\\b.txt",
                                                  "C:\\App\\inbox\\c.jpg"}));
    EXPECT_TRUE(files.FilesIn("C:\\BT\\In").empty());
    watcher.Tick();  // nothing left: no effect
    EXPECT_EQ(state.InboxFiles.Count(), 3u);
}

TEST_F(InboxWatcherTest, TakesOneFileFromEachFolderPerTickInboxFolderFirst) {
    files.AddFile("C:\\BT\\In\\in1.jpg");
    files.AddFile("C:\\BT\\In\\in2.jpg");
    files.AddFile("C:\\BT\\Root\\root1.vcf");
    watcher.Tick();
    EXPECT_EQ(Listed(), (std::vector<std::string>{"C:\\App\\inbox\\root1.vcf", "C:\\App\\inbox\\in1.jpg"}));
    EXPECT_TRUE(files.HasFile("C:\\BT\\In\\in2.jpg"));
}

TEST_F(InboxWatcherTest, SkipsAFileStillBeingReceivedAndTakesItOnceFree) {
    files.AddFile("C:\\BT\\In\\arriving.jpg");
    files.AddFile("C:\\BT\\In\\done.jpg");
    files.SetOpen("C:\\BT\\In\\arriving.jpg");
    watcher.Tick();
    EXPECT_EQ(Listed(), (std::vector<std::string>{"C:\\App\\inbox\\done.jpg"}));
    watcher.Tick();
    EXPECT_EQ(state.InboxFiles.Count(), 1u);
    EXPECT_TRUE(files.HasFile("C:\\BT\\In\\arriving.jpg"));
    files.SetOpen("C:\\BT\\In\\arriving.jpg", false);
    watcher.Tick();
    EXPECT_EQ(Listed().front(), "C:\\App\\inbox\\arriving.jpg");
}

TEST_F(InboxWatcherTest, ACaseClashIsStoredUnderANewNameInsteadOfFailingForEver) {
    files.AddFile("C:\\App\\inbox\\photo.jpg", "old");
    state.InboxFiles.Append(files.GetFile("C:\\App\\inbox\\photo.jpg"));
    files.AddFile("C:\\BT\\In\\Photo.jpg", "new");
    watcher.Tick();
    EXPECT_EQ(files.Text("C:\\App\\inbox\\Photo_1.jpg"), "new");
    EXPECT_EQ(files.Text("C:\\App\\inbox\\photo.jpg"), "old");
    EXPECT_FALSE(files.HasFile("C:\\BT\\In\\Photo.jpg"));
}

TEST_F(InboxWatcherTest, FoldersThatCannotBeOpenedAreLeftAloneTickAfterTick) {
    state.BluetoothInboxFolder = "";
    state.BluetoothRootFolder = "C:\\BT\\Gone";
    EXPECT_NO_THROW(watcher.Tick());
    EXPECT_NO_THROW(watcher.Tick());
    files.AddFile("C:\\BT\\Gone\\late.jpg");  // the folder comes back
    watcher.Tick();
    EXPECT_EQ(Listed(), (std::vector<std::string>{"C:\\App\\inbox\\late.jpg"}));
}

TEST_F(InboxWatcherTest, AFailureAfterTheMoveKeepsTheFileAndGoesOnWithTheNext) {
    files.AddFile("C:\\BT\\In\\first.jpg");
    files.AddFile("C:\\BT\\In\\second.jpg");
    files.AddFile("C:\\BT\\In\\third.jpg");
    onTakenOver = [this](const std::string& p) {
        handedOn.push_back(p);
        if (handedOn.size() == 1) throw std::runtime_error("showing failed");
    };
    watcher.Tick();
    // The first file stays moved and listed; the pass went on to the second.
    EXPECT_EQ(Listed(), (std::vector<std::string>{"C:\\App\\inbox\\second.jpg", "C:\\App\\inbox\\first.jpg"}));
    EXPECT_TRUE(files.HasFile("C:\\BT\\In\\third.jpg"));
    watcher.Tick();
    EXPECT_EQ(handedOn.size(), 3u);  // first.jpg is not handed on again
}

TEST_F(InboxWatcherTest, AFailedGetFileAfterTheMoveLeavesTheFileUnlisted) {
    files.AddFile("C:\\BT\\In\\a.jpg");
    files.FailOn(FileOperation::GetFile, "C:\\App\\inbox\\a.jpg");
    watcher.Tick();
    EXPECT_TRUE(files.HasFile("C:\\App\\inbox\\a.jpg"));
    EXPECT_TRUE(state.InboxFiles.Empty());
    EXPECT_TRUE(handedOn.empty());
}

TEST_F(InboxWatcherTest, ATickDuringAPassDoesNotStartASecondPass) {
    files.AddFile("C:\\BT\\In\\a.jpg");
    files.AddFile("C:\\BT\\In\\b.jpg");
    // An action's message box pumps messages, so the timer fires inside the pass.
    onTakenOver = [this](const std::string& p) {
        handedOn.push_back(p);
        watcher.Tick();
    };
    watcher.Tick();
    EXPECT_EQ(handedOn, (std::vector<std::string>{"C:\\App\\inbox\\a.jpg"}));
    watcher.Tick();  // the guard is released after the pass
    EXPECT_EQ(handedOn.size(), 2u);
}

TEST(FillCollection, AppendsInListingOrderAndThrowsForAMissingFolder) {
    FakeFileSystem files;
    files.AddFile("C:\\App\\inbox\\b.jpg");
    files.AddFile("C:\\App\\inbox\\a.jpg");
    files.AddFolder("C:\\App\\inbox\\sub");
    files.AddFile("C:\\App\\inbox\\sub\\deep.jpg");
    FileList list;
    list.Append({"C:\\kept.jpg", "kept.jpg", 0, ""});
    FillCollection(files, list, "C:\\App\\inbox");
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_EQ(list.At(1).Path, "C:\\kept.jpg");
    EXPECT_EQ(list.At(2).Path, "C:\\App\\inbox\\b.jpg");
    EXPECT_EQ(list.At(3).Path, "C:\\App\\inbox\\a.jpg");
    EXPECT_THROW(FillCollection(files, list, "C:\\Nowhere"), FileSystemError);
}

}  // namespace
}  // namespace qw
