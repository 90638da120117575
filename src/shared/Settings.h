#pragma once
// The user's choices, kept by both programs in one 238-byte binary file
// (settings.txt in the application folder), and their exchange with the
// settings dialog's controls.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "shared/FileSystem.h"
#include "shared/PlatformMacros.h"
#include "shared/TextEncoding.h"

namespace qw {

constexpr std::size_t SettingsFileLength = 238;
constexpr std::size_t CopyToFolderPathLength = 200;  // characters, one byte each on disk

struct SettingsRecord {
    bool ShowQuillwave = true;  // bring the main window forward when a file arrives
    bool PrintFile = false;
    bool CopyFile = false;  // to the clipboard
    bool EmailFile = false;
    bool DesktopBackground = false;
    bool AddFileToScreenSaver = false;
    bool CopyToFolder = false;
    // Always 200 characters, padded with blanks; readers trim it.
    std::string CopyToFolderPath = std::string(CopyToFolderPathLength, ' ');
    bool UseScreenSaver = true;
    bool ResizeImages = false;  // stretch slide-show images to fill their cells
    std::int16_t ShowImagesForSeconds = 10;
    bool ShowClock = true;
    std::int32_t BackgroundColor = 0x00000000;  // colours are 0x00BBGGRR
    std::int32_t ClockColor = 0x004F4F4F;
    std::int32_t NoOfImagesX = 1;
    std::int32_t NoOfImagesY = 1;

    bool operator==(const SettingsRecord&) const = default;
};

using SettingsBytes = std::array<std::uint8_t, SettingsFileLength>;

// The file's layout: fields in order without gaps, little-endian, Booleans as
// 16-bit -1/0, the folder as 200 bytes of the ANSI code page padded with blanks.
// A folder that needs more than 200 bytes in a multi-byte code page loses
// whole characters from its end.
SettingsBytes EncodeSettings(const SettingsRecord& record, const AnsiCodePage& codePage);
// Any non-zero Boolean reads as True; nothing else is checked.
SettingsRecord DecodeSettings(const SettingsBytes& bytes, const AnsiCodePage& codePage);

// Reads the file into `record`. A missing file is created empty and, like a
// file of any length other than 238 bytes, gives the defaults; loading never
// writes anything else. File-system failures reach the caller.
void LoadSettings(FileSystem& files, const AnsiCodePage& codePage, const std::string& path,
                  SettingsRecord& record);

enum class CheckState { Unchecked = 0, Checked = 1, Grayed = 2 };

// What the settings dialog's controls hold, named as the controls are
// (SettingsControl).
struct SettingsDialogValues {
    CheckState ShowWindowBox = CheckState::Unchecked;
    CheckState PrintBox = CheckState::Unchecked;
    CheckState ClipboardBox = CheckState::Unchecked;
    CheckState EmailBox = CheckState::Unchecked;
    CheckState WallpaperBox = CheckState::Unchecked;
    CheckState AddToScreenSaverBox = CheckState::Unchecked;
    CheckState CopyToFolderBox = CheckState::Unchecked;
    CheckState UseScreenSaverBox = CheckState::Unchecked;
    CheckState ShowClockBox = CheckState::Unchecked;
    bool ResizeOption = false;  // false: OriginalSizeOption is selected
    std::string CopyFolderText;
    std::string SecondsText;
    std::string ColumnsText;
    std::string RowsText;
    std::int32_t BackgroundColor = 0;  // back colour of the swatch (and of the clock preview)
    std::int32_t ClockColor = 0;       // text colour of the clock preview

    bool operator==(const SettingsDialogValues&) const = default;
};

// The controls filled from the record: boxes ticked for non-zero fields, the
// folder trimmed, numbers as plain decimal digits.
SettingsDialogValues DialogValuesFrom(const SettingsRecord& record);

// Copies the controls into `record` and writes the whole file in one replace,
// so it is never left half-written. Ticked boxes are True, unticked and greyed
// ones False; the folder is trimmed and held at 200 characters; numbers are
// the texts' numeric values rounded half to even. A number outside its field's
// range throws std::out_of_range before anything is changed or written.
// A failing write reaches the caller after `record` has taken the new values,
// which the running program keeps using.
void SaveSettings(FileSystem& files, const AnsiCodePage& codePage, const std::string& path,
                  const SettingsDialogValues& values, SettingsRecord& record);

}  // namespace qw
