#pragma once
// The short (8.3) form Windows keeps for the names of files and folders. It
// is made of plain letters, so it fits where a long name does not: the ANSI
// folder text of the settings file, the screen-saver registry value.

#include <optional>
#include <string>

namespace qw {

class ShortPaths {
public:
    virtual ~ShortPaths() = default;
    // The path as Windows reports its short form: every part that has a
    // short name in that form, the others as they are (all of them when
    // short names are switched off on the volume). Nothing when the file or
    // folder does not exist or Windows cannot tell.
    virtual std::optional<std::string> ShortPathOf(const std::string& path) = 0;
};

}  // namespace qw
