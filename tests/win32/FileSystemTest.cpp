// The file system adapter against the real (Wine or Windows) file system.
#include <gtest/gtest.h>

#include "MessagePump.h"
#include "TempFolder.h"
#include "win32/Win32FileSystem.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <utility>

using qw::FileSystemError;
using qw::test::Exists;
using qw::test::NamesIn;
using qw::test::ReadText;
using qw::test::TempFolder;
using qw::test::WriteText;
using qw::win32::Widen;
using qw::win32::Win32FileSystem;

namespace {

using Names = std::vector<std::string>;

// Keeps a file open the way another program would, until released.
class FileHolder {
public:
    FileHolder(const std::string& path, DWORD access, DWORD share)
        : h_(CreateFileW(Widen(path).c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr)) {
        EXPECT_TRUE(h_) << path;
    }
    void Release() { h_.Reset(); }

private:
    qw::win32::KernelHandle h_;
};

struct HeldOpen {
    const char* Case;
    DWORD Access;
    DWORD Share;
};

// A writer that shares nothing, and one that lets others read and write but not delete.
const HeldOpen kHolders[] = {
    {"WithoutSharing", GENERIC_READ, 0},
    {"ByWriterSharingReadWrite", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE},
};

const char* const kUnicodeNames[] = {
    "Фото_写真_😀.jpg",
    "Ünïcödé — ελληνικά.txt",
    "写真",
    "😀😀.gif",
};

}  // namespace

class MoveOntoExistingFile : public testing::TestWithParam<const char*> {};

TEST_P(MoveOntoExistingFile, FailsAndChangesNothing) {
    TempFolder folder;
    WriteText(folder / "photo.jpg", "old");
    WriteText(folder / "new.jpg", "new");
    Win32FileSystem files;
    EXPECT_THROW(files.MoveFile(folder / "new.jpg", folder / GetParam()), FileSystemError);
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"new.jpg", "photo.jpg"}));
    EXPECT_EQ(ReadText(folder / "photo.jpg"), "old");
    EXPECT_EQ(ReadText(folder / "new.jpg"), "new");
}

INSTANTIATE_TEST_SUITE_P(Destinations, MoveOntoExistingFile,
                         testing::Values("photo.jpg", "PHOTO.JPG", "Photo.jpg"));

class MoveOfOpenFile : public testing::TestWithParam<HeldOpen> {};

TEST_P(MoveOfOpenFile, FailsUntilReleased) {
    TempFolder folder;
    const std::string from = folder / "beamed.jpg", to = folder / "inbox.jpg";
    WriteText(from, "picture");
    Win32FileSystem files;
    FileHolder holder(from, GetParam().Access, GetParam().Share);
    EXPECT_THROW(files.MoveFile(from, to), FileSystemError);
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"beamed.jpg"}));
    holder.Release();
    files.MoveFile(from, to);
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"inbox.jpg"}));
    EXPECT_EQ(ReadText(to), "picture");
}

INSTANTIATE_TEST_SUITE_P(Holders, MoveOfOpenFile, testing::ValuesIn(kHolders),
                         [](const auto& info) { return std::string(info.param.Case); });

TEST(Win32FileSystem, CopyReplacesTheDestination) {
    TempFolder folder;
    WriteText(folder / "from.jpg", "new content");
    WriteText(folder / "to.jpg", "old");
    Win32FileSystem files;
    files.CopyFile(folder / "from.jpg", folder / "to.jpg");
    EXPECT_EQ(ReadText(folder / "to.jpg"), "new content");
    EXPECT_EQ(ReadText(folder / "from.jpg"), "new content");
    EXPECT_THROW(files.CopyFile(folder / "missing.jpg", folder / "to.jpg"), FileSystemError);
    EXPECT_EQ(ReadText(folder / "to.jpg"), "new content");
}

TEST(Win32FileSystem, CopyWithoutReplacingAndComparingBytes) {
    TempFolder folder;
    WriteText(folder / "photo.jpg", "photo");
    WriteText(folder / "other.jpg", "other");
    WriteText(folder / "same.jpg", "photo");
    WriteText(folder / "longer.jpg", "photo and more");
    Win32FileSystem files;
    EXPECT_THROW(files.CopyFileNoReplace(folder / "photo.jpg", folder / "OTHER.JPG"), FileSystemError);
    EXPECT_EQ(ReadText(folder / "other.jpg"), "other");
    files.CopyFileNoReplace(folder / "photo.jpg", folder / "copy.jpg");
    EXPECT_EQ(ReadText(folder / "copy.jpg"), "photo");
    const struct {
        const char* other;
        bool same;
    } cases[] = {{"same.jpg", true}, {"copy.jpg", true}, {"other.jpg", false}, {"longer.jpg", false},
                 {"PHOTO.JPG", true}};  // the file itself, in other letters
    for (const auto& c : cases) EXPECT_EQ(files.SameBytes(folder / "photo.jpg", folder / c.other), c.same) << c.other;
    EXPECT_THROW(files.SameBytes(folder / "photo.jpg", folder / "missing.jpg"), FileSystemError);
}

TEST(Win32FileSystem, DeleteDoesNotForceAReadOnlyFile) {
    TempFolder folder;
    const std::string path = folder / "kept.jpg";
    WriteText(path, "x");
    SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_READONLY);
    Win32FileSystem files;
    EXPECT_THROW(files.DeleteFile(path), FileSystemError);
    EXPECT_TRUE(files.FileExists(path));
    SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    files.DeleteFile(path);
    EXPECT_FALSE(files.FileExists(path));
    EXPECT_THROW(files.DeleteFile(path), FileSystemError);
}

TEST(Win32FileSystem, ListingKeepsFilesAndSkipsSubFolders) {
    TempFolder folder;
    WriteText(folder / "a.txt", "12345");
    WriteText(folder / "b.jpg", "");
    CreateDirectoryW(Widen(folder / "sub").c_str(), nullptr);
    CreateDirectoryW(Widen(folder / "sub.jpg").c_str(), nullptr);
    WriteText(folder / "sub\\inner.jpg", "inner");
    Win32FileSystem files;
    auto listed = files.ListFiles(folder.Path());
    std::sort(listed.begin(), listed.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].Name, "a.txt");
    EXPECT_EQ(listed[0].Path, folder / "a.txt");
    EXPECT_EQ(listed[0].Size, 5u);
    EXPECT_FALSE(listed[0].Type.empty());
    EXPECT_EQ(listed[1].Name, "b.jpg");
    EXPECT_EQ(listed[1].Size, 0u);
    // A trailing separator on the folder gives the same paths.
    EXPECT_EQ(files.ListFiles(folder.Path() + "\\").size(), 2u);
    EXPECT_TRUE(files.ListFiles(folder / "sub.jpg").empty());
}

// A watch reports each kind of change the slide show waits for, and is quiet
// in between; the names-only listing agrees with the full one.
TEST(Win32FileSystem, AWatchReportsNamesSizesAndWritesAndNothingElse) {
    TempFolder folder;
    Win32FileSystem files;
    EXPECT_EQ(files.WatchFolder(folder / "missing"), nullptr);
    const auto watch = files.WatchFolder(folder.Path());
    ASSERT_NE(watch, nullptr);
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"a file comes", [&] { WriteText(folder / "new.jpg", "12"); }},
        {"it grows", [&] { WriteText(folder / "new.jpg", "12345678"); }},
        {"it is renamed", [&] { MoveFileW(Widen(folder / "new.jpg").c_str(), Widen(folder / "b.jpg").c_str()); }},
    };
    for (const auto& [change, make] : changes) {
        EXPECT_FALSE(watch->Changed()) << change;
        make();
        EXPECT_TRUE(qw::test::WaitFor([&] { return watch->Changed(); }, std::chrono::seconds(5))) << change;
        Sleep(100);  // the rest of the same change
        while (watch->Changed()) Sleep(100);
    }
    EXPECT_EQ(files.ListFileNames(folder.Path()), Names{"b.jpg"});
}

class ListingThatCannotOpen : public testing::TestWithParam<const char*> {};

TEST_P(ListingThatCannotOpen, Throws) {
    TempFolder folder;
    WriteText(folder / "file.txt", "x");
    const std::string name = GetParam();
    Win32FileSystem files;
    EXPECT_THROW(files.ListFiles(name.empty() ? name : folder / name), FileSystemError);
}

INSTANTIATE_TEST_SUITE_P(Folders, ListingThatCannotOpen, testing::Values("", "missing", "file.txt"));

class UnicodeName : public testing::TestWithParam<const char*> {};

TEST_P(UnicodeName, SurvivesListGetMoveCopyDelete) {
    TempFolder folder;
    const std::string name = GetParam();
    const std::string path = folder / name;
    WriteText(path, "beamed");
    Win32FileSystem files;

    const auto listed = files.ListFiles(folder.Path());
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].Name, name);
    EXPECT_EQ(listed[0].Path, path);
    const auto item = files.GetFile(path);
    EXPECT_EQ(item.Name, name);
    EXPECT_EQ(item.Size, 6u);

    const std::string moved = folder / ("Ещё_移動_😀_" + name);
    const std::string copied = folder / ("копия_" + name);
    files.MoveFile(path, moved);
    files.CopyFile(moved, copied);
    EXPECT_FALSE(files.FileExists(path));
    EXPECT_EQ(ReadText(moved), "beamed");
    EXPECT_EQ(ReadText(copied), "beamed");
    files.DeleteFile(moved);
    files.DeleteFile(copied);
    EXPECT_TRUE(NamesIn(folder.Path()).empty());
}

INSTANTIATE_TEST_SUITE_P(Names, UnicodeName, testing::ValuesIn(kUnicodeNames));

TEST(Win32FileSystem, GetFileGivesNameSizeAndTypeAndRefusesWhatIsNoFile) {
    TempFolder folder;
    WriteText(folder / "Photo.JPG", "1234");
    CreateDirectoryW(Widen(folder / "folder").c_str(), nullptr);
    Win32FileSystem files;
    const auto item = files.GetFile(folder.Path() + "/Photo.JPG");
    EXPECT_EQ(item.Path, folder.Path() + "/Photo.JPG");
    EXPECT_EQ(item.Name, "Photo.JPG");
    EXPECT_EQ(item.Size, 4u);
    EXPECT_EQ(item.Type, qw::win32::FileTypeName("x.jpg"));
    EXPECT_THROW(files.GetFile(folder / "missing.jpg"), FileSystemError);
    EXPECT_THROW(files.GetFile(folder / "folder"), FileSystemError);
    EXPECT_THROW(files.GetFile(""), FileSystemError);
}

TEST(Win32FileSystem, SizesBeyondFourGigabytes) {
    TempFolder folder;
    const std::string path = folder / "video.mp4";
    bool grown = false;
    {
        const qw::win32::KernelHandle file(
            CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(file);
        LARGE_INTEGER size;
        size.QuadPart = 5'000'000'123LL;
        grown = SetFilePointerEx(file.Get(), size, nullptr, FILE_BEGIN) && SetEndOfFile(file.Get());
    }
    if (!grown) GTEST_SKIP() << "no room for a 5 GB file here";
    Win32FileSystem files;
    EXPECT_EQ(files.GetFile(path).Size, 5'000'000'123ULL);
    EXPECT_EQ(files.ListFiles(folder.Path()).at(0).Size, 5'000'000'123ULL);
}

TEST(Win32FileSystem, TypeNamesAsExplorerShowsThem) {
    // Where nothing is registered for an extension, Explorer says "QWZ File".
    EXPECT_EQ(qw::win32::FileTypeName("README"), "File");
    EXPECT_EQ(qw::win32::FileTypeName("notes.qwz"), "QWZ File");
    EXPECT_EQ(qw::win32::FileTypeName("Photo.Jpg"), qw::win32::FileTypeName("photo.jpg"));
    EXPECT_NE(qw::win32::FileTypeName("photo.jpg"), "File");
}

TEST(Win32FileSystem, CreateFolderFailsWhenItExistsOrItsParentIsMissing) {
    TempFolder folder;
    Win32FileSystem files;
    files.CreateFolder(folder / "inbox");
    EXPECT_TRUE(files.ListFiles(folder / "inbox").empty());
    EXPECT_THROW(files.CreateFolder(folder / "inbox"), FileSystemError);
    EXPECT_THROW(files.CreateFolder(folder / "INBOX"), FileSystemError);
    EXPECT_THROW(files.CreateFolder(folder / "missing\\inbox"), FileSystemError);
    EXPECT_FALSE(Exists(folder / "missing"));
}

TEST(Win32FileSystem, CreateEmptyFileKeepsAnExistingFile) {
    TempFolder folder;
    Win32FileSystem files;
    files.CreateEmptyFile(folder / "settings.txt");
    EXPECT_TRUE(files.FileExists(folder / "settings.txt"));
    EXPECT_TRUE(files.ReadFileBytes(folder / "settings.txt").empty());
    WriteText(folder / "settings.txt", "content");
    files.CreateEmptyFile(folder / "settings.txt");
    EXPECT_EQ(ReadText(folder / "settings.txt"), "content");
    CreateDirectoryW(Widen(folder / "folder").c_str(), nullptr);
    EXPECT_THROW(files.CreateEmptyFile(folder / "folder"), FileSystemError);
    EXPECT_FALSE(files.FileExists(folder / "folder"));
    EXPECT_THROW(files.CreateEmptyFile(folder / "missing\\settings.txt"), FileSystemError);
}
