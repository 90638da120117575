#pragma once
// settings.txt as the tests expect it, packed here field by field rather than
// by the code under test: the 238 bytes in the record's order, little-endian,
// Booleans as FF FF or 00 00, the folder as 200 bytes padded with blanks
// (plain ASCII folders only).

#include <cstdint>
#include <string>
#include <vector>

#include "shared/Settings.h"

namespace qw::test {

inline std::string SettingsFile(const qw::SettingsRecord& r) {
    std::string bytes;
    auto number = [&](std::int64_t value, int size) {
        for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    auto boolean = [&](bool value) { number(value ? -1 : 0, 2); };
    for (const bool b : {r.ShowQuillwave, r.PrintFile, r.CopyFile, r.EmailFile, r.DesktopBackground,
                         r.AddFileToScreenSaver, r.CopyToFolder})
        boolean(b);
    std::string folder = r.CopyToFolderPath;
    while (!folder.empty() && folder.back() == ' ') folder.pop_back();
    folder.resize(200, ' ');
    bytes += folder;
    boolean(r.UseScreenSaver);
    boolean(r.ResizeImages);
    number(r.ShowImagesForSeconds, 2);
    boolean(r.ShowClock);
    for (const std::int32_t value : {r.BackgroundColor, r.ClockColor, r.NoOfImagesX, r.NoOfImagesY}) number(value, 4);
    return bytes;
}

}  // namespace qw::test
