#include "shared/Settings.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "shared/Text.h"

namespace qw {

namespace {

// Sequential little-endian writer and reader over the record's bytes.
class RecordWriter {
public:
    explicit RecordWriter(SettingsBytes& bytes) : bytes_(bytes) {}

    void Boolean(bool value) { Integer(value ? -1 : 0, 2); }
    void Int16(std::int16_t value) { Integer(value, 2); }
    void Int32(std::int32_t value) { Integer(value, 4); }
    void Raw(const std::string& data) {
        for (const char c : data) bytes_[offset_++] = static_cast<std::uint8_t>(c);
    }

private:
    void Integer(std::int64_t value, int size) {
        const auto bits = static_cast<std::uint64_t>(value);
        for (int i = 0; i < size; ++i) bytes_[offset_++] = static_cast<std::uint8_t>(bits >> (8 * i));
    }

    SettingsBytes& bytes_;
    std::size_t offset_ = 0;
};

class RecordReader {
public:
    explicit RecordReader(const SettingsBytes& bytes) : bytes_(bytes) {}

    bool Boolean() { return Unsigned(2) != 0; }
    std::int16_t Int16() { return static_cast<std::int16_t>(Unsigned(2)); }
    std::int32_t Int32() { return static_cast<std::int32_t>(Unsigned(4)); }
    std::string Raw(std::size_t length) {
        std::string data(bytes_.begin() + offset_, bytes_.begin() + offset_ + length);
        offset_ += length;
        return data;
    }

private:
    std::uint32_t Unsigned(int size) {
        std::uint32_t value = 0;
        for (int i = 0; i < size; ++i) value |= static_cast<std::uint32_t>(bytes_[offset_++]) << (8 * i);
        return value;
    }

    const SettingsBytes& bytes_;
    std::size_t offset_ = 0;
};

// The folder as exactly 200 bytes of the code page, never splitting a character.
std::string FolderBytes(const std::string& folder, const AnsiCodePage& codePage) {
    std::string_view text = FirstCharacters(folder, CopyToFolderPathLength);
    std::string ansi = codePage.FromUtf8(std::string(text));
    while (ansi.size() > CopyToFolderPathLength) {
        text = WithoutLastCharacter(text);
        ansi = codePage.FromUtf8(std::string(text));
    }
    ansi.resize(CopyToFolderPathLength, ' ');
    return ansi;
}

// The text cut or padded with blanks to exactly `length` characters.
std::string FixedLength(std::string_view text, std::size_t length) {
    std::string fixed(FirstCharacters(text, length));
    fixed.append(length - CharacterCount(fixed), ' ');
    return fixed;
}

bool IsTicked(CheckState state) { return state == CheckState::Checked; }

CheckState TickedWhen(bool value) { return value ? CheckState::Checked : CheckState::Unchecked; }

template <typename Int>
Int WholeNumber(const std::string& text, const char* control) {
    const double value = NumericValue(text);
    std::int64_t whole = std::numeric_limits<std::int64_t>::max();
    try {
        whole = RoundHalfEven(value);
    } catch (const std::out_of_range&) {
        // Beyond 64 bits: out of range for every field, reported below.
    }
    if (whole < std::numeric_limits<Int>::min() || whole > std::numeric_limits<Int>::max()) {
        throw std::out_of_range(std::string(control) + ": the number \"" + text +
                                "\" is outside the range of the setting");
    }
    return static_cast<Int>(whole);
}

}  // namespace

SettingsBytes EncodeSettings(const SettingsRecord& record, const AnsiCodePage& codePage) {
    SettingsBytes bytes{};
    RecordWriter out(bytes);
    out.Boolean(record.ShowQuillwave);
    out.Boolean(record.PrintFile);
    out.Boolean(record.CopyFile);
    out.Boolean(record.EmailFile);
    out.Boolean(record.DesktopBackground);
    out.Boolean(record.AddFileToScreenSaver);
    out.Boolean(record.CopyToFolder);
    out.Raw(FolderBytes(record.CopyToFolderPath, codePage));
    out.Boolean(record.UseScreenSaver);
    out.Boolean(record.ResizeImages);
    out.Int16(record.ShowImagesForSeconds);
    out.Boolean(record.ShowClock);
    out.Int32(record.BackgroundColor);
    out.Int32(record.ClockColor);
    out.Int32(record.NoOfImagesX);
    out.Int32(record.NoOfImagesY);
    return bytes;
}

SettingsRecord DecodeSettings(const SettingsBytes& bytes, const AnsiCodePage& codePage) {
    RecordReader in(bytes);
    SettingsRecord record;
    record.ShowQuillwave = in.Boolean();
    record.PrintFile = in.Boolean();
    record.CopyFile = in.Boolean();
    record.EmailFile = in.Boolean();
    record.DesktopBackground = in.Boolean();
    record.AddFileToScreenSaver = in.Boolean();
    record.CopyToFolder = in.Boolean();
    record.CopyToFolderPath = codePage.ToUtf8(in.Raw(CopyToFolderPathLength));
    record.UseScreenSaver = in.Boolean();
    record.ResizeImages = in.Boolean();
    record.ShowImagesForSeconds = in.Int16();
    record.ShowClock = in.Boolean();
    record.BackgroundColor = in.Int32();
    record.ClockColor = in.Int32();
    record.NoOfImagesX = in.Int32();
    record.NoOfImagesY = in.Int32();
    return record;
}

void LoadSettings(FileSystem& files, const AnsiCodePage& codePage, const std::string& path,
                  SettingsRecord& record) {
    if (!files.FileExists(path)) {
        files.CreateEmptyFile(path);
        record = SettingsRecord{};
        return;
    }
    const std::vector<std::uint8_t> content = files.ReadFileBytes(path);
    if (content.size() != SettingsFileLength) {
        record = SettingsRecord{};
        return;
    }
    SettingsBytes bytes;
    std::copy(content.begin(), content.end(), bytes.begin());
    record = DecodeSettings(bytes, codePage);
}

SettingsDialogValues DialogValuesFrom(const SettingsRecord& record) {
    SettingsDialogValues values;
    values.ShowWindowBox = TickedWhen(record.ShowQuillwave);
    values.PrintBox = TickedWhen(record.PrintFile);
    values.ClipboardBox = TickedWhen(record.CopyFile);
    values.EmailBox = TickedWhen(record.EmailFile);
    values.WallpaperBox = TickedWhen(record.DesktopBackground);
    values.AddToScreenSaverBox = TickedWhen(record.AddFileToScreenSaver);
    values.CopyToFolderBox = TickedWhen(record.CopyToFolder);
    values.CopyFolderText = Trim(record.CopyToFolderPath);
    values.UseScreenSaverBox = TickedWhen(record.UseScreenSaver);
    values.ResizeOption = record.ResizeImages;
    values.SecondsText = std::to_string(record.ShowImagesForSeconds);
    values.ShowClockBox = TickedWhen(record.ShowClock);
    values.BackgroundColor = record.BackgroundColor;
    values.ClockColor = record.ClockColor;
    values.ColumnsText = std::to_string(record.NoOfImagesX);
    values.RowsText = std::to_string(record.NoOfImagesY);
    return values;
}

void SaveSettings(FileSystem& files, const AnsiCodePage& codePage, const std::string& path,
                  const SettingsDialogValues& values, SettingsRecord& record) {
    // Converted into a copy first, so a number out of range changes nothing.
    SettingsRecord updated;
    updated.ShowQuillwave = IsTicked(values.ShowWindowBox);
    updated.PrintFile = IsTicked(values.PrintBox);
    updated.CopyFile = IsTicked(values.ClipboardBox);
    updated.EmailFile = IsTicked(values.EmailBox);
    updated.DesktopBackground = IsTicked(values.WallpaperBox);
    updated.AddFileToScreenSaver = IsTicked(values.AddToScreenSaverBox);
    updated.CopyToFolder = IsTicked(values.CopyToFolderBox);
    updated.CopyToFolderPath = FixedLength(Trim(values.CopyFolderText), CopyToFolderPathLength);
    updated.UseScreenSaver = IsTicked(values.UseScreenSaverBox);
    updated.ResizeImages = values.ResizeOption;
    updated.ShowImagesForSeconds =
        WholeNumber<std::int16_t>(values.SecondsText, "SecondsText");
    updated.ShowClock = IsTicked(values.ShowClockBox);
    updated.BackgroundColor = values.BackgroundColor;
    updated.ClockColor = values.ClockColor;
    updated.NoOfImagesX = WholeNumber<std::int32_t>(values.ColumnsText, "ColumnsText");
    updated.NoOfImagesY = WholeNumber<std::int32_t>(values.RowsText, "RowsText");

    record = updated;
    const SettingsBytes bytes = EncodeSettings(record, codePage);
    files.ReplaceFileContents(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

}  // namespace qw
