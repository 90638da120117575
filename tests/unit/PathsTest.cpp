#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "shared/Paths.h"

namespace qw {
namespace {

struct PathCase {
    std::string Path;
    std::string Extension;
    std::string FileName;
    bool IsImage;
};

// Bracketed: a name ending in "\" must not run into the separator that follows it.
void PrintTo(const PathCase& c, std::ostream* os) { *os << '[' << c.Path << ']'; }

class PathPartsTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathPartsTest, TakesThePathApartInLowerCase) {
    const PathCase& c = GetParam();
    EXPECT_EQ(FileExt(c.Path), c.Extension);
    EXPECT_EQ(ExtractFileName(c.Path), c.FileName);
    EXPECT_EQ(IsImageFile(c.Path), c.IsImage);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathPartsTest,
    ::testing::Values(
        PathCase{"C:\\In\\Photo.JPG", "jpg", "photo.jpg", true},
        PathCase{"C:\\In\\Photo_1.JPG", "jpg", "photo_1.jpg", true},
        PathCase{"Photo.JPG", "jpg", "photo.jpg", true},
        PathCase{"C:\\my.pics\\readme", "pics\\readme", "readme", false},
        PathCase{"C:\\In\\jpg", "c:\\in\\jpg", "jpg", false},
        PathCase{"C:\\In\\Icon.Ico", "ico", "icon.ico", true},
        PathCase{"C:\\In\\a.GIF", "gif", "a.gif", true},
        PathCase{"C:\\In\\a.bmp", "bmp", "a.bmp", true},
        PathCase{"C:\\In\\a.Jpeg", "jpeg", "a.jpeg", true},
        PathCase{"C:\\In\\a.png", "png", "a.png", false},
        PathCase{"C:\\In\\a.tif", "tif", "a.tif", false},
        PathCase{"C:\\In\\a.jpe", "jpe", "a.jpe", false},
        PathCase{"C:\\In\\a.jpg.txt", "txt", "a.jpg.txt", false},
        PathCase{"C:\\In\\photo.", "", "photo.", false},
        PathCase{"C:\\In\\", "c:\\in\\", "", false},
        PathCase{"C:\\Фото\\ΣΎΝΟΨΗ.JPG", "jpg", "σύνοψη.jpg", true}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

struct FolderCase {
    std::string Path;
    std::string Folder;
};

void PrintTo(const FolderCase& c, std::ostream* os) { *os << '[' << c.Path << ']'; }

class ExtractFolderPathTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(ExtractFolderPathTest, DropsTheLastBackslashAndWhatFollows) {
    EXPECT_EQ(ExtractFolderPath(GetParam().Path), GetParam().Folder);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ExtractFolderPathTest,
    ::testing::Values(FolderCase{"C:\\In\\Photo.JPG", "c:\\in"}, FolderCase{"C:\\Pictures", "c:"},
                      FolderCase{"C:\\photo.jpg", "c:"}, FolderCase{"C:\\In\\", "c:\\in"},
                      FolderCase{"\\\\Server\\Share\\A.jpg", "\\\\server\\share"},
                      FolderCase{"D:\\ДОКУМЕНТЫ\\x.txt", "d:\\документы"}));

TEST(ExtractFolderPath, PathWithoutBackslashIsAnError) {
    EXPECT_THROW(ExtractFolderPath("Photo.JPG"), PathError);
    EXPECT_THROW(ExtractFolderPath(""), PathError);
    EXPECT_THROW(ExtractFolderPath("C:/In/Photo.JPG"), std::invalid_argument);
}

}  // namespace
}  // namespace qw
