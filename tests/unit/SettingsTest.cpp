#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/FakeFileSystem.h"
#include "shared/Settings.h"
#include "shared/Text.h"

namespace qw {
namespace {

const std::string kPath = "C:\\Quillwave\\settings.txt";
const Windows1252 kAnsi;

// A code page that needs two bytes for every non-ASCII character, as the
// East Asian double-byte code pages do.
class DoubleByteCodePage : public AnsiCodePage {
public:
    std::string FromUtf8(const std::string& utf8) const override {
        std::string out;
        for (std::size_t pos = 0; pos < utf8.size();) {
            const Utf8Char ch = DecodeUtf8At(utf8, pos);
            out += ch.CodePoint < 0x80 ? std::string(1, static_cast<char>(ch.CodePoint)) : "\x81\x40";
            pos += ch.Length;
        }
        return out;
    }
    std::string ToUtf8(const std::string& ansi) const override { return ansi; }
};

std::vector<std::uint8_t> AsVector(const SettingsBytes& bytes) { return {bytes.begin(), bytes.end()}; }

std::vector<std::uint8_t> BytesOf(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<std::uint8_t> At(const SettingsBytes& bytes, std::size_t offset, std::size_t length) {
    return {bytes.begin() + offset, bytes.begin() + offset + length};
}

SettingsRecord Unusual() {
    SettingsRecord r;
    r.ShowQuillwave = false;
    r.PrintFile = r.CopyFile = r.EmailFile = r.DesktopBackground = true;
    r.AddFileToScreenSaver = r.CopyToFolder = r.ResizeImages = true;
    r.UseScreenSaver = r.ShowClock = false;
    r.CopyToFolderPath = std::string("D:\\Café\\Été") + std::string(189, ' ');
    r.ShowImagesForSeconds = -7;
    r.BackgroundColor = 0x00112233;
    r.ClockColor = 0x00FFEEDD;
    r.NoOfImagesX = 0x01020304;
    r.NoOfImagesY = -2;
    return r;
}

TEST(SettingsEncoding, DefaultsAtTheirOffsets) {
    const SettingsBytes b = EncodeSettings(SettingsRecord{}, kAnsi);
    EXPECT_EQ(At(b, 0, 2), (std::vector<std::uint8_t>{0xFF, 0xFF}));
    EXPECT_EQ(At(b, 2, 12), std::vector<std::uint8_t>(12, 0));
    EXPECT_EQ(At(b, 14, 200), std::vector<std::uint8_t>(200, 0x20));
    EXPECT_EQ(At(b, 214, 24), (std::vector<std::uint8_t>{0xFF, 0xFF, 0, 0, 10, 0, 0xFF, 0xFF, 0, 0, 0, 0,
                                                         0x4F, 0x4F, 0x4F, 0, 1, 0, 0, 0, 1, 0, 0, 0}));
}

struct FieldCase {
    const char* Name;
    std::function<void(SettingsRecord&)> Change;
    std::size_t Offset;
    std::vector<std::uint8_t> Bytes;
};

// Changing one field changes exactly its own bytes, so no two fields share or
// swap places.
TEST(SettingsEncoding, EachFieldOwnsItsBytes) {
    const std::vector<FieldCase> cases = {
        {"ShowQuillwave", [](auto& r) { r.ShowQuillwave = false; }, 0, {0, 0}},
        {"PrintFile", [](auto& r) { r.PrintFile = true; }, 2, {0xFF, 0xFF}},
        {"CopyFile", [](auto& r) { r.CopyFile = true; }, 4, {0xFF, 0xFF}},
        {"EmailFile", [](auto& r) { r.EmailFile = true; }, 6, {0xFF, 0xFF}},
        {"DesktopBackground", [](auto& r) { r.DesktopBackground = true; }, 8, {0xFF, 0xFF}},
        {"AddFileToScreenSaver", [](auto& r) { r.AddFileToScreenSaver = true; }, 10, {0xFF, 0xFF}},
        {"CopyToFolder", [](auto& r) { r.CopyToFolder = true; }, 12, {0xFF, 0xFF}},
        {"CopyToFolderPath", [](auto& r) { r.CopyToFolderPath = "C:\\Café"; }, 14,
         {'C', ':', '\\', 'C', 'a', 'f', 0xE9}},
        {"UseScreenSaver", [](auto& r) { r.UseScreenSaver = false; }, 214, {0, 0}},
        {"ResizeImages", [](auto& r) { r.ResizeImages = true; }, 216, {0xFF, 0xFF}},
        {"ShowImagesForSeconds", [](auto& r) { r.ShowImagesForSeconds = -2; }, 218, {0xFE, 0xFF}},
        {"ShowClock", [](auto& r) { r.ShowClock = false; }, 220, {0, 0}},
        {"BackgroundColor", [](auto& r) { r.BackgroundColor = 0x00112233; }, 222, {0x33, 0x22, 0x11, 0}},
        {"ClockColor", [](auto& r) { r.ClockColor = 0x00FFEEDD; }, 226, {0xDD, 0xEE, 0xFF, 0}},
        {"NoOfImagesX", [](auto& r) { r.NoOfImagesX = 0x01020304; }, 230, {4, 3, 2, 1}},
        {"NoOfImagesY", [](auto& r) { r.NoOfImagesY = -1; }, 234, {0xFF, 0xFF, 0xFF, 0xFF}},
    };
    const SettingsBytes defaults = EncodeSettings(SettingsRecord{}, kAnsi);
    for (const FieldCase& c : cases) {
        SettingsRecord record;
        c.Change(record);
        SettingsBytes expected = defaults;
        std::copy(c.Bytes.begin(), c.Bytes.end(), expected.begin() + c.Offset);
        EXPECT_EQ(EncodeSettings(record, kAnsi), expected) << c.Name;
    }
}

TEST(SettingsEncoding, RoundTripsEveryField) {
    const SettingsRecord record = Unusual();
    EXPECT_EQ(DecodeSettings(EncodeSettings(record, kAnsi), kAnsi), record);
    EXPECT_EQ(DecodeSettings(EncodeSettings(SettingsRecord{}, kAnsi), kAnsi), SettingsRecord{});
}

TEST(SettingsEncoding, FolderIsCutToTwoHundredCharacters) {
    SettingsRecord record;
    record.CopyToFolderPath = std::string(150, 'a') + std::string(100, 'b');
    const SettingsBytes b = EncodeSettings(record, kAnsi);
    EXPECT_EQ(At(b, 14, 200), BytesOf(std::string(150, 'a') + std::string(50, 'b')));
    EXPECT_EQ(At(b, 214, 2), (std::vector<std::uint8_t>{0xFF, 0xFF}));  // the next field is intact
}

TEST(SettingsEncoding, DoubleByteFolderLosesWholeCharactersOnly) {
    const DoubleByteCodePage codePage;
    SettingsRecord record;
    record.CopyToFolderPath = std::string(199, 'x') + "é";  // 201 bytes in this code page
    SettingsBytes b = EncodeSettings(record, codePage);
    EXPECT_EQ(b[14 + 198], 'x');
    EXPECT_EQ(b[14 + 199], 0x20);

    std::string wide;
    for (int i = 0; i < 150; ++i) wide += "é";
    record.CopyToFolderPath = wide;  // 300 bytes: the first 100 characters fit
    b = EncodeSettings(record, codePage);
    EXPECT_EQ(b[14], 0x81);
    EXPECT_EQ(b[14 + 198], 0x81);
    EXPECT_EQ(b[14 + 199], 0x40);
    EXPECT_EQ(At(b, 214, 2), (std::vector<std::uint8_t>{0xFF, 0xFF}));
}

TEST(SettingsDecoding, AnyNonZeroBooleanIsTrue) {
    const struct {
        std::uint8_t Low, High;
        bool Expected;
    } cases[] = {{0xFF, 0xFF, true}, {0x01, 0x00, true}, {0x00, 0x80, true}, {0x00, 0x00, false}};
    for (const auto& c : cases) {
        SettingsBytes b = EncodeSettings(SettingsRecord{}, kAnsi);
        b[0] = c.Low;
        b[1] = c.High;
        b[220] = c.Low;
        b[221] = c.High;
        const SettingsRecord record = DecodeSettings(b, kAnsi);
        EXPECT_EQ(record.ShowQuillwave, c.Expected) << int(c.Low) << ' ' << int(c.High);
        EXPECT_EQ(record.ShowClock, c.Expected);
    }
}

class LoadSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { files.AddFolder("C:\\Quillwave"); }
    FakeFileSystem files;
    SettingsRecord record = Unusual();
};

TEST_F(LoadSettingsTest, MissingFileIsCreatedEmptyAndGivesDefaults) {
    LoadSettings(files, kAnsi, kPath, record);
    EXPECT_EQ(record, SettingsRecord{});
    EXPECT_TRUE(files.HasFile(kPath));
    EXPECT_TRUE(files.Bytes(kPath).empty());
    EXPECT_EQ(files.CountOf(FileOperation::CreateEmptyFile), 1u);
    EXPECT_EQ(files.CountOf(FileOperation::ReplaceFileContents), 0u);
}

TEST_F(LoadSettingsTest, FileOfAnyOtherLengthIsIgnoredWhole) {
    const std::vector<std::uint8_t> valid = AsVector(EncodeSettings(Unusual(), kAnsi));
    const std::vector<std::vector<std::uint8_t>> contents = {
        {}, {valid.begin(), valid.end() - 1}, [&] { auto v = valid; v.push_back(0); return v; }(),
        std::vector<std::uint8_t>(476, 0xFF)};
    for (const auto& content : contents) {
        files.AddFile(kPath, content);
        files.ClearOperations();
        record = Unusual();
        LoadSettings(files, kAnsi, kPath, record);
        EXPECT_EQ(record, SettingsRecord{}) << content.size() << " bytes";
        EXPECT_EQ(files.Bytes(kPath), content);
        EXPECT_EQ(files.CountOf(FileOperation::ReplaceFileContents), 0u);
        EXPECT_EQ(files.CountOf(FileOperation::CreateEmptyFile), 0u);
    }
}

TEST_F(LoadSettingsTest, ReadsARecordOfExactLength) {
    files.AddFile(kPath, AsVector(EncodeSettings(Unusual(), kAnsi)));
    record = SettingsRecord{};
    LoadSettings(files, kAnsi, kPath, record);
    EXPECT_EQ(record, Unusual());
}

TEST_F(LoadSettingsTest, GarbageOfExactLengthIsTakenAsRead) {
    std::vector<std::uint8_t> garbage(SettingsFileLength);
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<std::uint8_t>(i * 37 + 11);
    files.AddFile(kPath, garbage);
    LoadSettings(files, kAnsi, kPath, record);
    EXPECT_EQ(record.ShowImagesForSeconds, static_cast<std::int16_t>(garbage[218] | garbage[219] << 8));
    EXPECT_EQ(record.NoOfImagesY, static_cast<std::int32_t>(garbage[234] | garbage[235] << 8 |
                                                            garbage[236] << 16 | std::uint32_t{garbage[237]} << 24));
    EXPECT_EQ(CharacterCount(record.CopyToFolderPath), 200u);
    EXPECT_EQ(AsVector(EncodeSettings(record, kAnsi)).size(), SettingsFileLength);
}

TEST_F(LoadSettingsTest, FileSystemFailuresReachTheCaller) {
    EXPECT_THROW(LoadSettings(files, kAnsi, "C:\\Missing\\settings.txt", record), FileSystemError);
    files.AddFile(kPath, AsVector(EncodeSettings(SettingsRecord{}, kAnsi)));
    files.FailOn(FileOperation::ReadFileBytes, kPath);
    EXPECT_THROW(LoadSettings(files, kAnsi, kPath, record), FileSystemError);
}

TEST(DialogValuesFrom, FillsTheControlsFromTheRecord) {
    SettingsRecord record = Unusual();
    record.PrintFile = false;
    const SettingsDialogValues v = DialogValuesFrom(record);
    EXPECT_EQ(v.ShowWindowBox, CheckState::Unchecked);
    EXPECT_EQ(v.PrintBox, CheckState::Unchecked);
    EXPECT_EQ(v.ClipboardBox, CheckState::Checked);
    EXPECT_EQ(v.CopyToFolderBox, CheckState::Checked);
    EXPECT_EQ(v.UseScreenSaverBox, CheckState::Unchecked);
    EXPECT_EQ(v.ShowClockBox, CheckState::Unchecked);
    EXPECT_TRUE(v.ResizeOption);
    EXPECT_EQ(v.CopyFolderText, "D:\\Café\\Été");
    EXPECT_EQ(v.SecondsText, "-7");
    EXPECT_EQ(v.ColumnsText, "16909060");
    EXPECT_EQ(v.RowsText, "-2");
    EXPECT_EQ(v.BackgroundColor, 0x00112233);
    EXPECT_EQ(v.ClockColor, 0x00FFEEDD);
}

class SaveSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { files.AddFolder("C:\\Quillwave"); }

    SettingsRecord SavedAndLoaded() {
        SaveSettings(files, kAnsi, kPath, values, record);
        SettingsRecord loaded = Unusual();
        LoadSettings(files, kAnsi, kPath, loaded);
        return loaded;
    }

    FakeFileSystem files;
    SettingsDialogValues values = DialogValuesFrom(SettingsRecord{});
    SettingsRecord record;
};

TEST_F(SaveSettingsTest, WritesTheWholeRecordInOneReplace) {
    values = DialogValuesFrom(Unusual());
    SaveSettings(files, kAnsi, kPath, values, record);
    EXPECT_EQ(record, Unusual());
    EXPECT_EQ(files.Bytes(kPath), AsVector(EncodeSettings(Unusual(), kAnsi)));
    EXPECT_EQ(files.CountOf(FileOperation::ReplaceFileContents), 1u);
}

TEST_F(SaveSettingsTest, OnlyATickedBoxIsTrue) {
    values.PrintBox = CheckState::Checked;
    values.ShowWindowBox = CheckState::Grayed;
    values.ShowClockBox = CheckState::Unchecked;
    const SettingsRecord loaded = SavedAndLoaded();
    EXPECT_TRUE(loaded.PrintFile);
    EXPECT_FALSE(loaded.ShowQuillwave);
    EXPECT_FALSE(loaded.ShowClock);
}

TEST_F(SaveSettingsTest, NumbersAreRoundedHalfToEven) {
    const struct {
        const char* Text;
        std::int16_t Expected;
    } cases[] = {{"7.5", 8}, {"6.5", 6}, {"12s", 12}, {"abc", 0}, {" 3 ", 3}, {"-3", -3},
                 {"32767.4", 32767}, {"-32768", -32768}, {"", 0}};
    for (const auto& c : cases) {
        values.SecondsText = c.Text;
        values.ColumnsText = c.Text;
        const SettingsRecord loaded = SavedAndLoaded();
        EXPECT_EQ(loaded.ShowImagesForSeconds, c.Expected) << c.Text;
        EXPECT_EQ(loaded.NoOfImagesX, c.Expected) << c.Text;
    }
}

TEST_F(SaveSettingsTest, NumberOutsideItsFieldChangesAndWritesNothing) {
    const std::vector<std::function<void(SettingsDialogValues&)>> cases = {
        [](auto& v) { v.SecondsText = "32768"; },
        [](auto& v) { v.SecondsText = "32767.5"; },
        [](auto& v) { v.SecondsText = "-32769"; },
        [](auto& v) { v.ColumnsText = "2147483648"; },
        [](auto& v) { v.RowsText = "-2147483649"; },
        [](auto& v) { v.RowsText = std::string(400, '9'); },
    };
    files.AddFile(kPath, "old");
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SettingsDialogValues bad = DialogValuesFrom(Unusual());
        cases[i](bad);
        record = SettingsRecord{};
        EXPECT_THROW(SaveSettings(files, kAnsi, kPath, bad, record), std::out_of_range) << i;
        EXPECT_EQ(record, SettingsRecord{}) << i;
        EXPECT_EQ(files.Text(kPath), "old") << i;
    }
    EXPECT_EQ(files.CountOf(FileOperation::ReplaceFileContents), 0u);
}

TEST_F(SaveSettingsTest, FolderIsTrimmedAndHeldAtTwoHundredCharacters) {
    const std::string long250 = "D:\\" + std::string(247, 'p');
    values.CopyFolderText = long250;
    EXPECT_EQ(SavedAndLoaded().CopyToFolderPath, long250.substr(0, 200));

    values.CopyFolderText = "  D:\\Out  ";
    const SettingsRecord loaded = SavedAndLoaded();
    EXPECT_EQ(loaded.CopyToFolderPath, "D:\\Out" + std::string(194, ' '));
    EXPECT_EQ(DialogValuesFrom(loaded).CopyFolderText, "D:\\Out");
    EXPECT_EQ(record.CopyToFolderPath, loaded.CopyToFolderPath);
}

TEST_F(SaveSettingsTest, FailingWriteReachesTheCaller) {
    files.FailOn(FileOperation::ReplaceFileContents, kPath);
    EXPECT_THROW(SaveSettings(files, kAnsi, kPath, values, record), FileSystemError);
    EXPECT_FALSE(files.HasFile(kPath));
    EXPECT_THROW(SaveSettings(files, kAnsi, "C:\\Gone\\settings.txt", values, record), FileSystemError);
}

}  // namespace
}  // namespace qw
