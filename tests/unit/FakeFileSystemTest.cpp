// The fake stands in for Windows in every core test, so the behaviour those
// tests lean on is pinned down here.

#include <gtest/gtest.h>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakePictures.h"
#include "fakes/FakeRegistry.h"

namespace qw {
namespace {

class FakeFileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        files.AddFile("C:\\In\\Photo.JPG", "photo");
        files.AddFile("C:\\In\\notes.txt", "notes");
        files.AddFolder("C:\\Out");
        files.ClearOperations();
    }
    FakeFileSystem files;
};

TEST_F(FakeFileSystemTest, PathsIgnoreLetterCaseAndATrailingBackslash) {
    EXPECT_TRUE(files.FileExists("c:\\IN\\photo.jpg"));
    EXPECT_EQ(files.GetFile("c:\\in\\PHOTO.jpg").Path, "c:\\in\\Photo.JPG");
    EXPECT_EQ(files.ListFiles("C:\\IN\\").size(), 2u);
    EXPECT_FALSE(files.FileExists("C:\\In"));  // a folder is not a file
}

TEST_F(FakeFileSystemTest, ListsInCreationOrderUnlessToldOtherwise) {
    files.AddFile("C:\\In\\a.gif");
    const auto names = [&] {
        std::vector<std::string> n;
        for (const FileItem& item : files.ListFiles("C:\\In")) n.push_back(item.Name);
        return n;
    };
    EXPECT_EQ(names(), (std::vector<std::string>{"Photo.JPG", "notes.txt", "a.gif"}));
    files.SetListOrder(ListOrder::Name);
    EXPECT_EQ(names(), (std::vector<std::string>{"a.gif", "notes.txt", "Photo.JPG"}));
    files.SetListOrder(ListOrder::ReverseCreation);
    EXPECT_EQ(names(), (std::vector<std::string>{"a.gif", "notes.txt", "Photo.JPG"}));
    files.SetListOrder([](const FileItem& a, const FileItem& b) { return a.Size > b.Size; });
    EXPECT_EQ(names().back(), "a.gif");
}

TEST_F(FakeFileSystemTest, ItemsCarrySizeAndTypeDescription) {
    files.SetTypeName("txt", "Text Document");
    files.AddFile("C:\\In\\README");
    EXPECT_EQ(files.GetFile("C:\\In\\Photo.JPG").Type, "JPG File");
    EXPECT_EQ(files.GetFile("C:\\In\\Photo.JPG").Size, 5u);
    EXPECT_EQ(files.GetFile("C:\\In\\notes.txt").Type, "Text Document");
    EXPECT_EQ(files.GetFile("C:\\In\\README").Type, "File");
}

TEST_F(FakeFileSystemTest, FailuresLikeWindows) {
    files.AddFile("C:\\Out\\photo.jpg", "other");
    files.AddFile("C:\\In\\locked.txt");
    files.SetReadOnly("C:\\In\\locked.txt");
    files.SetOpen("C:\\In\\notes.txt");
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"move onto an existing name", [&] { files.MoveFile("C:\\In\\Photo.JPG", "C:\\OUT\\PHOTO.JPG"); }},
        {"move a file in use", [&] { files.MoveFile("C:\\In\\notes.txt", "C:\\Out\\notes.txt"); }},
        {"move into a missing folder", [&] { files.MoveFile("C:\\In\\Photo.JPG", "C:\\No\\p.jpg"); }},
        {"move a missing file", [&] { files.MoveFile("C:\\In\\none.jpg", "C:\\Out\\none.jpg"); }},
        {"delete a file in use", [&] { files.DeleteFile("C:\\In\\notes.txt"); }},
        {"delete a read-only file", [&] { files.DeleteFile("C:\\In\\locked.txt"); }},
        {"delete a missing file", [&] { files.DeleteFile("C:\\In\\none.jpg"); }},
        {"copy over a read-only file", [&] { files.CopyFile("C:\\In\\Photo.JPG", "C:\\In\\locked.txt"); }},
        {"create an existing folder", [&] { files.CreateFolder("c:\\out"); }},
        {"create a folder in a missing one", [&] { files.CreateFolder("C:\\No\\Sub"); }},
        {"list a missing folder", [&] { files.ListFiles("C:\\No"); }},
        {"list an empty path", [&] { files.ListFiles(""); }},
        {"get a missing file", [&] { files.GetFile("C:\\In\\none.jpg"); }},
    };
    for (const auto& [name, action] : cases) EXPECT_THROW(action(), FileSystemError) << name;
    EXPECT_EQ(files.Text("C:\\Out\\photo.jpg"), "other");
    EXPECT_EQ(files.FilesIn("C:\\In").size(), 3u);
    EXPECT_EQ(files.CountOf(FileOperation::MoveFile) + files.CountOf(FileOperation::DeleteFile), 0u);
    EXPECT_EQ(files.OperationsOf(FileOperation::MoveFile).size(), 4u);
}

TEST_F(FakeFileSystemTest, MoveKeepsContentAndCopyReplaces) {
    files.MoveFile("C:\\In\\Photo.JPG", "C:\\Out\\Photo_1.JPG");
    EXPECT_FALSE(files.HasFile("C:\\In\\Photo.JPG"));
    EXPECT_EQ(files.Text("C:\\Out\\photo_1.jpg"), "photo");
    files.CopyFile("C:\\In\\notes.txt", "C:\\Out\\PHOTO_1.jpg");
    EXPECT_EQ(files.Text("C:\\Out\\Photo_1.JPG"), "notes");
    EXPECT_EQ(files.StoredPath("c:\\out\\photo_1.jpg"), "C:\\Out\\Photo_1.JPG");
    EXPECT_EQ(files.Operations().back(),
              (FileOperationRecord{FileOperation::CopyFile, "C:\\In\\notes.txt", "C:\\Out\\PHOTO_1.jpg", true}));
}

TEST_F(FakeFileSystemTest, InjectedFailuresFireOnceOrAlways) {
    files.FailOn(FileOperation::DeleteFile, "c:\\in\\photo.jpg");
    EXPECT_THROW(files.DeleteFile("C:\\In\\Photo.JPG"), FileSystemError);
    EXPECT_TRUE(files.HasFile("C:\\In\\Photo.JPG"));
    files.DeleteFile("C:\\In\\Photo.JPG");

    files.FailOn(FileOperation::CopyFile, FakeFileSystem::AnyPath, FailureTimes::Always);
    for (int i = 0; i < 2; ++i) {
        EXPECT_THROW(files.CopyFile("C:\\In\\notes.txt", "C:\\Out\\n.txt"), FileSystemError);
    }
    EXPECT_FALSE(files.HasFile("C:\\Out\\n.txt"));
    files.ClearFailures();
    files.CopyFile("C:\\In\\notes.txt", "C:\\Out\\n.txt");
    EXPECT_TRUE(files.HasFile("C:\\Out\\n.txt"));
}

TEST(FakeRegistry, NamesIgnoreLetterCase) {
    FakeRegistry registry;
    registry.WriteText("HKEY_CURRENT_USER\\Software\\Quillwave\\ApplicationPath", "C:\\App");
    EXPECT_EQ(registry.ReadText("hkey_current_user\\software\\quillwave\\applicationpath"), "C:\\App");
    registry.DeleteValue("HKEY_CURRENT_USER\\SOFTWARE\\Quillwave\\ApplicationPath");
    EXPECT_THROW(registry.ReadText("HKEY_CURRENT_USER\\Software\\Quillwave\\ApplicationPath"), RegistryError);
    EXPECT_THROW(registry.DeleteValue("HKEY_CURRENT_USER\\Software\\Quillwave\\ApplicationPath"), RegistryError);
    registry.FailOn(RegistryOperation::WriteText, FakeRegistry::AnyName);
    EXPECT_THROW(registry.WriteText("X", "1"), RegistryError);
    EXPECT_FALSE(registry.Value("x").has_value());
    EXPECT_EQ(registry.CountOf(RegistryOperation::WriteText), 1u);
}

TEST(FakePictureLoader, KnowsRegisteredPicturesOnly) {
    FakePictureLoader pictures;
    pictures.AddPixels("C:\\In\\Photo.JPG", 480, 640);
    pictures.AddPixels("C:\\In\\broken.jpg", 10, 10);
    pictures.Fail("C:\\In\\BROKEN.jpg");
    const auto picture = pictures.Load("c:\\in\\photo.jpg");
    EXPECT_EQ(picture->NaturalSize().Width, 12700);
    EXPECT_EQ(picture->NaturalSize().Height, 16933);
    EXPECT_THROW(pictures.Load("C:\\In\\broken.jpg"), PictureError);
    EXPECT_THROW(pictures.Load("C:\\In\\none.jpg"), PictureError);
    EXPECT_EQ(pictures.LoadCount("C:\\IN\\PHOTO.JPG"), 1);
}

}  // namespace
}  // namespace qw
