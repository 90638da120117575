#include <gtest/gtest.h>

#include "fakes/FakeFileSystem.h"
#include "shared/Folders.h"

namespace qw {
namespace {

TEST(EnsureFolder, CreatesAMissingFolder) {
    FakeFileSystem files;
    files.AddFolder("C:\\App");
    EnsureFolder(files, "C:\\App\\inbox");
    EXPECT_TRUE(files.HasFolder("C:\\App\\inbox"));
}

TEST(EnsureFolder, IgnoresEveryFailure) {
    FakeFileSystem files;
    files.AddFolder("C:\\App\\inbox");
    EXPECT_NO_THROW(EnsureFolder(files, "C:\\App\\INBOX"));             // exists
    EXPECT_NO_THROW(EnsureFolder(files, "C:\\Gone\\inbox"));            // parent missing
    files.FailOn(FileOperation::CreateFolder, "C:\\App\\desktop");
    EXPECT_NO_THROW(EnsureFolder(files, "C:\\App\\desktop"));           // access denied
    EXPECT_FALSE(files.HasFolder("C:\\Gone\\inbox"));
    EXPECT_FALSE(files.HasFolder("C:\\App\\desktop"));
    EXPECT_EQ(files.OperationsOf(FileOperation::CreateFolder).size(), 3u);
}

}  // namespace
}  // namespace qw
