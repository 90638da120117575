#pragma once
// The Internet zone mark through the system's attachment services, which
// also hand the file to the installed virus scanner; where they are missing,
// the mark's stream written directly.

#include <windows.h>

#include <functional>

#include "main/FromOutside.h"

struct IAttachmentExecute;

namespace qw::win32 {

class Win32ZoneMarker : public qw::ZoneMarker {
public:
    // Makes an object of the attachment services, or fails where the system
    // has none.
    using Services = std::function<HRESULT(IAttachmentExecute** made)>;
    static HRESULT SystemServices(IAttachmentExecute** made);

    explicit Win32ZoneMarker(Services services = SystemServices) : services_(std::move(services)) {}
    Verdict MarkFromOutside(const std::string& path, const std::string& source) override;

private:
    enum class Outcome { Saved, Refused, Unavailable };
    Outcome SaveThroughServices(const std::wstring& path, const std::wstring& source);

    Services services_;
};

// Writes the Zone.Identifier stream of the Internet zone naming the source
// address, as Windows does for a download. Returns false,
// writing nothing, when the file's volume keeps no alternate streams (a FAT
// card; Wine's folders, where such a name would become a file of its own).
// Throws when the file cannot be opened or the stream not written.
bool WriteInternetZoneStream(const std::wstring& path, const std::string& source);

}  // namespace qw::win32
