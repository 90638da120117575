#pragma once
// What Windows asks of the screen saver: the switch after the program's own
// path on its command line.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qw {

enum class SaverMode {
    Configure,  // "/C": the settings dialog
    Run,        // "/S" or nothing: the slide show
    Preview,    // "/P": the small monitor of the display settings
    Password,   // "/A": change the password
    End,        // anything else: nothing at all
};

struct SaverCommand {
    SaverMode Mode = SaverMode::End;
    // The window handle Windows appends ("/p 1234", "/p:1234"), when there is
    // a decimal number that fits 64 bits.
    std::optional<std::uint64_t> Window;
    bool operator==(const SaverCommand&) const = default;
};

// The process's whole command line without the program's path at its start:
// a quoted path ends at its closing quote, an unquoted one at the first blank
// or tab. A quote that is never closed takes the whole line.
std::string_view ArgumentsOf(std::string_view commandLine);

// Only the first two characters count, after blanks at both ends are removed
// and letters made upper case.
SaverCommand ParseSaverCommand(std::string_view arguments);

}  // namespace qw
