// Replacing a whole file (the settings record) so that readers see the old or
// the new content, never a part, and a failure keeps the old content.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "win32/Win32FileSystem.h"

#include <atomic>
#include <thread>

using qw::FileSystemError;
using qw::test::NamesIn;
using qw::test::TempFolder;
using qw::win32::Widen;
using qw::win32::Win32FileSystem;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

Bytes Record(std::uint8_t first) {
    Bytes bytes(238);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(first + i * 7);
    return bytes;
}

}  // namespace

TEST(ReplaceFileContents, CreatesThenReplacesAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder / "settings.txt";
    Win32FileSystem files;
    files.ReplaceFileContents(path, Record(1));
    EXPECT_EQ(files.ReadFileBytes(path), Record(1));
    files.ReplaceFileContents(path, Bytes{'a', 'b'});
    EXPECT_EQ(files.ReadFileBytes(path), (Bytes{'a', 'b'}));
    files.ReplaceFileContents(path, Bytes{});
    EXPECT_TRUE(files.ReadFileBytes(path).empty());
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"settings.txt"}));
}

struct FailedReplace {
    const char* Case;
    // Prepares the failure for the target in the folder; returns the target
    // path and undoes nothing (the folder goes with everything in it).
    std::string (*Prepare)(TempFolder& folder, const Bytes& old, qw::win32::KernelHandle& held);
};

const FailedReplace kFailedReplaces[] = {
    {"ReadOnlyTarget",
     [](TempFolder& folder, const Bytes& old, qw::win32::KernelHandle&) {
         const std::string path = folder / "settings.txt";
         qw::test::WriteBytes(path, old);
         SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_READONLY);
         return path;
     }},
    {"TargetHeldOpenWithoutSharing",
     [](TempFolder& folder, const Bytes& old, qw::win32::KernelHandle& held) {
         const std::string path = folder / "settings.txt";
         qw::test::WriteBytes(path, old);
         held.Reset(CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
         return path;
     }},
    // The temporary file is named after the target; beside a name of 250
    // characters it exceeds the 255 a folder entry may have.
    {"NoRoomForTheTemporaryName",
     [](TempFolder& folder, const Bytes& old, qw::win32::KernelHandle&) {
         const std::string path = "\\\\?\\" + folder.Path() + "\\" + std::string(246, 's') + ".txt";
         qw::test::WriteBytes(path, old);
         return path;
     }},
};

class FailedReplaceKeepsOldContent : public testing::TestWithParam<FailedReplace> {};

TEST_P(FailedReplaceKeepsOldContent, AndRemovesTheTemporaryFile) {
    TempFolder folder;
    qw::win32::KernelHandle held;
    const std::string path = GetParam().Prepare(folder, Record(1), held);
    Win32FileSystem files;
    EXPECT_THROW(files.ReplaceFileContents(path, Record(2)), FileSystemError);
    held.Reset();
    EXPECT_EQ(files.ReadFileBytes(path), Record(1));
    EXPECT_EQ(NamesIn(folder.Path()).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Failures, FailedReplaceKeepsOldContent, testing::ValuesIn(kFailedReplaces),
                         [](const auto& info) { return std::string(info.param.Case); });

TEST(ReplaceFileContents, AReaderSeesTheOldOrTheNewRecordOnly) {
    TempFolder folder;
    const std::string path = folder / "settings.txt";
    const Bytes first = Record(1), second = Record(2);
    Win32FileSystem files;
    files.ReplaceFileContents(path, first);

    std::atomic<bool> done{false};
    int reads = 0, torn = 0, failedReads = 0;
    bool sawFirst = false, sawSecond = false;
    std::thread reader([&] {
        Win32FileSystem readerFiles;
        while (!done) {
            try {
                const Bytes seen = readerFiles.ReadFileBytes(path);
                ++reads;
                sawFirst |= seen == first;
                sawSecond |= seen == second;
                if (seen != first && seen != second) ++torn;
            } catch (const FileSystemError&) {
                ++failedReads;
            }
            Sleep(1);
        }
    });
    // A replace may fail while the reader holds the file (reported, old
    // content kept); what matters is that no reader ever sees a mixture.
    int replaced = 0;
    for (int i = 0; i < 200; ++i) {
        try {
            files.ReplaceFileContents(path, i % 2 ? first : second);
            ++replaced;
        } catch (const FileSystemError&) {
        }
    }
    done = true;
    reader.join();
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(failedReads, 0);
    EXPECT_GT(replaced, 100);
    EXPECT_TRUE(sawFirst && sawSecond) << reads << " reads";
    const Bytes last = files.ReadFileBytes(path);
    EXPECT_TRUE(last == first || last == second);
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"settings.txt"}));
}
