#pragma once
// The Internet zone mark through the system's attachment services, which
// also hand the file to the installed virus scanner; where they are missing,
// the mark's stream written directly.

#include "main/FromOutside.h"

namespace qw::win32 {

class Win32ZoneMarker : public qw::ZoneMarker {
public:
    Verdict MarkFromOutside(const std::string& path) override;
};

// Writes the Zone.Identifier stream of the Internet zone. Returns false,
// writing nothing, when the file's volume keeps no alternate streams (a FAT
// card; Wine's folders, where such a name would become a file of its own).
// Throws when the file cannot be opened or the stream not written.
bool WriteInternetZoneStream(const std::wstring& path);

}  // namespace qw::win32
