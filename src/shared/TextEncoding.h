#pragma once
// The system's ANSI code page, used where a stored format holds one byte per
// character (the folder text of the settings file).

#include <string>

namespace qw {

class AnsiCodePage {
public:
    virtual ~AnsiCodePage() = default;
    // UTF-8 to the code page's bytes; characters it cannot hold become '?'.
    virtual std::string FromUtf8(const std::string& utf8) const = 0;
    // The code page's bytes to UTF-8.
    virtual std::string ToUtf8(const std::string& ansi) const = 0;
};

// Windows-1252, the code page of western Windows; the portable default.
class Windows1252 : public AnsiCodePage {
public:
    std::string FromUtf8(const std::string& utf8) const override;
    std::string ToUtf8(const std::string& ansi) const override;
};

}  // namespace qw
