#pragma once
// The system's ANSI code page (CP_ACP) of this Windows installation.

#include <string>

#include "shared/TextEncoding.h"

namespace qw::win32 {

class Win32Ansi : public qw::AnsiCodePage {
public:
    // Characters the code page cannot hold become one '?' each; no
    // look-alike substitution (which would silently name another folder).
    std::string FromUtf8(const std::string& utf8) const override;
    std::string ToUtf8(const std::string& ansi) const override;
};

}  // namespace qw::win32
