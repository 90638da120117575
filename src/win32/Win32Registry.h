#pragma once
// Registry text values addressed by one full name: root key, key path and
// value name separated by backslashes, e.g.
// "HKEY_CURRENT_USER\Software\Quillwave\ApplicationPath". A name ending in a
// backslash means the key's default value. Roots may be given long
// (HKEY_CURRENT_USER) or short (HKCU, HKLM, HKCR).

#include <string>

#include "shared/Registry.h"

namespace qw::win32 {

class Win32Registry : public qw::Registry {
public:
    // REG_SZ as text, REG_EXPAND_SZ with its environment variables expanded;
    // REG_DWORD and REG_QWORD as decimal text. Other types, like missing
    // values, throw.
    std::string ReadText(const std::string& valueName) override;
    void WriteText(const std::string& valueName, const std::string& text) override;
    void DeleteValue(const std::string& valueName) override;
};

}  // namespace qw::win32
