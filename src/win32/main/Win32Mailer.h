#pragma once
// A new mail with a file attached: through Outlook's automation by late
// binding, or, where Outlook is not installed, through the Simple MAPI
// library of the mail program Windows names as the default.

#include <map>
#include <string>

#include "win32/kit/Handles.h"

#include "main/MainPorts.h"

namespace qw::win32 {

class Win32Mailer : public qw::Mailer {
public:
    // Shown when the mail is open for the user, Cancelled when the mail
    // program reports that the user closed it. Throws std::runtime_error when
    // neither way has a mail program or the one found fails.
    qw::MailResult NewMailWithAttachment(const std::string& path) override;

private:
    qw::MailResult ThroughSimpleMapi(const std::string& path);

    // Every mail program's library stays loaded while the program runs: a
    // mail shown without waiting may still run its code after the call.
    std::map<std::wstring, Module> libraries_;
};

// The Simple MAPI library of the default mail program: the user's choice
// (HKCU\Software\Clients\Mail), else the machine's (HKLM), its DLLPath, else
// the system's MAPI32.DLL. Empty when no mail program is named or its library
// does not exist.
std::wstring DefaultMailLibrary();

}  // namespace qw::win32
