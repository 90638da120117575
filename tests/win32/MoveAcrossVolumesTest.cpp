// Moves between two volumes, where a rename cannot be used and the adapter
// copies and deletes. Needs a folder on another volume than %TEMP%:
// QW_TEST_OTHER_VOLUME names one; under Wine the Unix /dev/shm (a tmpfs) is
// tried. Without one the tests are skipped.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "win32/Win32FileSystem.h"

#include <memory>

using qw::FileSystemError;
using qw::test::NamesIn;
using qw::test::ReadText;
using qw::test::TempFolder;
using qw::test::WriteText;
using qw::win32::Widen;
using qw::win32::Win32FileSystem;

namespace {

using Names = std::vector<std::string>;

std::unique_ptr<TempFolder> FolderOnAnotherVolume(const TempFolder& here) {
    std::vector<std::wstring> candidates;
    wchar_t named[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"QW_TEST_OTHER_VOLUME", named, MAX_PATH);
    if (n > 0 && n < MAX_PATH) candidates.emplace_back(named, n);
    candidates.emplace_back(L"Z:\\dev\\shm");
    for (const auto& candidate : candidates) {
        if (!qw::test::IsFolder(candidate)) continue;
        auto other = std::make_unique<TempFolder>(L"qwtest-", candidate);
        const std::wstring probe = Widen(here / "probe"), target = Widen(*other / "probe");
        WriteText(here / "probe", "");
        const bool renamed = MoveFileExW(probe.c_str(), target.c_str(), 0);
        const DWORD code = GetLastError();
        DeleteFileW(probe.c_str());
        DeleteFileW(target.c_str());
        if (!renamed && code == ERROR_NOT_SAME_DEVICE) return other;
    }
    return nullptr;
}

class MoveAcrossVolumes : public testing::Test {
protected:
    void SetUp() override {
        other_ = FolderOnAnotherVolume(here_);
        if (!other_) GTEST_SKIP() << "no folder on another volume";
    }
    TempFolder here_;
    std::unique_ptr<TempFolder> other_;
    Win32FileSystem files_;
};

FILETIME LastWrite(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

}  // namespace

TEST_F(MoveAcrossVolumes, MovesTheWholeFileAndKeepsItsTime) {
    const std::string from = here_ / "Фото_😀.jpg", to = *other_ / "Фото_😀.jpg";
    std::string content(3'000'000, 'x');  // more than one copy chunk
    content[2'999'999] = 'y';
    WriteText(from, content);
    const FILETIME written = LastWrite(from);
    files_.MoveFile(from, to);
    EXPECT_TRUE(NamesIn(here_.Path()).empty());
    EXPECT_EQ(ReadText(to), content);
    const FILETIME moved = LastWrite(to);
    EXPECT_EQ(CompareFileTime(&written, &moved), 0);
}

TEST_F(MoveAcrossVolumes, OntoAnExistingFileInAnotherCaseFailsAndChangesNothing) {
    WriteText(here_ / "photo.jpg", "new");
    WriteText(*other_ / "PHOTO.JPG", "old");
    EXPECT_THROW(files_.MoveFile(here_ / "photo.jpg", *other_ / "photo.jpg"), FileSystemError);
    EXPECT_EQ(ReadText(here_ / "photo.jpg"), "new");
    EXPECT_EQ(NamesIn(other_->Path()), (Names{"PHOTO.JPG"}));
    EXPECT_EQ(ReadText(*other_ / "PHOTO.JPG"), "old");
}

TEST_F(MoveAcrossVolumes, OfAFileStillBeingWrittenFailsAndLeavesNoCopy) {
    const std::string from = here_ / "beamed.jpg", to = *other_ / "beamed.jpg";
    WriteText(from, "half");
    // The writer lets others read, as a receiving program typically does.
    qw::win32::KernelHandle writer(
        CreateFileW(Widen(from).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer);
    EXPECT_THROW(files_.MoveFile(from, to), FileSystemError);
    EXPECT_TRUE(NamesIn(other_->Path()).empty());
    EXPECT_EQ(ReadText(from), "half");
    writer.Reset();
    files_.MoveFile(from, to);
    EXPECT_EQ(ReadText(to), "half");
    EXPECT_TRUE(NamesIn(here_.Path()).empty());
}
