#include <gtest/gtest.h>

#include "main/FileList.h"

namespace qw {
namespace {

FileItem Item(const std::string& path) { return FileItem{path, path.substr(path.rfind('\\') + 1), 0, ""}; }

std::vector<std::string> Paths(const FileList& list) {
    std::vector<std::string> paths;
    for (const auto& item : list) paths.push_back(item.Path);
    return paths;
}

TEST(FileList, NewEntriesGoToTheFrontAndFilledEntriesToTheBack) {
    FileList list;
    list.Append(Item("c:\\in\\listed1"));
    list.Append(Item("c:\\in\\listed2"));
    list.InsertFront(Item("c:\\in\\new1"));
    list.InsertFront(Item("c:\\in\\new2"));
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"c:\\in\\new2", "c:\\in\\new1", "c:\\in\\listed1",
                                                      "c:\\in\\listed2"}));
    EXPECT_EQ(list.PositionOf("c:\\in\\new2"), 1u);
    EXPECT_EQ(list.PositionOf("c:\\in\\listed2"), 4u);
    EXPECT_EQ(list.At(3).Path, "c:\\in\\listed1");
}

TEST(FileList, RemovingKeepsPositionsOfTheOthersRight) {
    FileList list;
    for (const char* p : {"a", "b", "c", "d"}) list.InsertFront(Item(p));  // d c b a
    list.Remove("c");
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"d", "b", "a"}));
    EXPECT_EQ(list.PositionOf("a"), 3u);
    EXPECT_EQ(list.PositionOf("c"), 0u);
    list.InsertFront(Item("e"));
    EXPECT_EQ(list.PositionOf("e"), 1u);
    EXPECT_EQ(list.PositionOf("a"), 4u);
    EXPECT_THROW(list.Remove("c"), MissingKeyError);
}

TEST(FileList, ExactKeysTellLetterCaseApart) {
    FileList list(KeyMatch::Exact);
    list.Append(Item("C:\\In\\photo.jpg"));
    EXPECT_TRUE(list.Contains("C:\\In\\photo.jpg"));
    EXPECT_FALSE(list.Contains("C:\\In\\Photo.jpg"));
    EXPECT_TRUE(list.ContainsIgnoringCase("c:\\in\\PHOTO.JPG"));
    EXPECT_NO_THROW(list.InsertFront(Item("C:\\In\\Photo.jpg")));
    EXPECT_THROW(list.Append(Item("C:\\In\\photo.jpg")), DuplicateKeyError);
    list.Remove("C:\\In\\photo.jpg");
    EXPECT_TRUE(list.ContainsIgnoringCase("c:\\in\\photo.jpg"));  // Photo.jpg is still there
    list.Remove("C:\\In\\Photo.jpg");
    EXPECT_FALSE(list.ContainsIgnoringCase("c:\\in\\photo.jpg"));
}

TEST(FileList, CaseInsensitiveKeysRefuseACaseTwinAndFindItUnderAnyCase) {
    FileList list(KeyMatch::IgnoreCase);
    list.InsertFront(Item("C:\\In\\Фото.JPG"));
    EXPECT_THROW(list.InsertFront(Item("c:\\in\\фото.jpg")), DuplicateKeyError);
    EXPECT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.PositionOf("c:\\IN\\фОТО.jpg"), 1u);
    list.Remove("c:\\in\\ФОТО.jpg");
    EXPECT_TRUE(list.Empty());
}

TEST(FileList, PositionsOutsideTheListAreRefused) {
    FileList list;
    list.Append(Item("a"));
    EXPECT_THROW(list.At(0), std::out_of_range);
    EXPECT_THROW(list.At(2), std::out_of_range);
    list.Clear();
    EXPECT_TRUE(list.Empty());
    EXPECT_FALSE(list.Contains("a"));
}

}  // namespace
}  // namespace qw
