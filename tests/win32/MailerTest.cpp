// New mails through Outlook's class and through the default mail program's
// Simple MAPI library, with stand-ins for both registered in the prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <optional>

#include "BinFolder.h"
#include "MailRegistrations.h"
#include "RealCommands.h"
#include "win32/kit/Handles.h"
#include "win32/main/SimpleMapi.h"

namespace {

using namespace qw;
using qw::test::MailRegistrations;
using qw::win32::Widen;

// One of the stand-in libraries, kept loaded so that what it records outlives the adapter's use.
class MailDouble {
public:
    explicit MailDouble(const wchar_t* name) : path_(qw::test::BinFolder() + L"\\" + name),
                                               library_(LoadLibraryW(path_.c_str())) {}
    bool Loaded() const { return static_cast<bool>(library_); }
    const std::wstring& Path() const { return path_; }
    void Reset(ULONG mapiResult) { Function<void(ULONG)>("QwMailDoubleReset")(mapiResult); }
    void AnswerModeless(ULONG result) { Function<void(ULONG)>("QwMailDoubleAnswerModeless")(result); }
    std::string Calls() { return qw::win32::Narrow(Function<const wchar_t*()>("QwMailDoubleCalls")()); }

private:
    template <typename Signature>
    Signature* Function(const char* name) {
        return reinterpret_cast<Signature*>(reinterpret_cast<void (*)()>(GetProcAddress(library_.Get(), name)));
    }
    std::wstring path_;
    qw::win32::Module library_;
};

using MailCommand = qw::test::RealCommands;

TEST_F(MailCommand, OpensANewMailThroughOutlookOrTheDefaultMailProgram) {
    MailDouble wide(L"qwmaildouble.dll"), ansi(L"qwmapiansi.dll");
    ASSERT_TRUE(wide.Loaded() && ansi.Loaded());
    MailRegistrations registrations;
    const std::string name = "\u0424\u043e\u0442\u043e 1.jpg";
    Current(name);
    const std::string path = Inbox(name);
    wchar_t shortPath[MAX_PATH] = {};
    GetShortPathNameW(Widen(path).c_str(), shortPath, MAX_PATH);

    enum class Registered { Outlook, Wide, AnsiOnly, MissingLibrary, Nothing };
    struct Case {
        const char* What;
        Registered Setup;
        ULONG MapiResult;
        std::string Calls;  // what the stand-in received
        std::vector<std::string> Shown;
        std::optional<ULONG> Modeless = std::nullopt;  // a mail program that answers the modeless call so
    };
    const std::string attached = " recipients 0 files 1 [" + path + "|" + name + "|-1]\n";
    const Case cases[] = {
        {"outlook", Registered::Outlook, 0,
         "Outlook started\ncall CreateItem 0\nget Attachments\ncall Add " + path +
             " with 1 argument(s)\ncall Display not modal\n",
         {}},
        // MAPI_DIALOG | MAPI_LOGON_UI | MAPI_DIALOG_MODELESS: the mail is shown to the user, who may
        // have to log on first, and the program goes on meanwhile.
        {"default mail program", Registered::Wide, 0, "MAPISendMailW flags 13" + attached, {}},
        {"cancelled by the user", Registered::Wide, 1, "MAPISendMailW flags 13" + attached, {}},
        {"mail program fails", Registered::Wide, 2, "MAPISendMailW flags 13" + attached, {"Could not start Outlook"}},
        // Older mail programs cannot show a mail without waiting: asked again the way they can.
        {"no modeless mail", Registered::Wide, 0, "MAPISendMailW flags 13" + attached + "MAPISendMailW flags 9" + attached,
         {}, qw::win32::kMapiNotSupported},
        {"modeless flag refused", Registered::Wide, 1,
         "MAPISendMailW flags 13" + attached + "MAPISendMailW flags 9" + attached, {}, qw::win32::kMapiInvalidParameter},
        {"library without the wide call", Registered::AnsiOnly, 0,
         "MAPISendMail flags 13 recipients 0 files 1 [" + qw::win32::Narrow(shortPath) + "|(null)|-1]\n", {}},
        {"library named but missing", Registered::MissingLibrary, 0, "", {"Could not start Outlook"}},
        {"no mail program at all", Registered::Nothing, 0, "", {"Could not start Outlook"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        wide.Reset(c.MapiResult);
        ansi.Reset(c.MapiResult);
        if (c.Modeless) wide.AnswerModeless(*c.Modeless);
        messages.shown.clear();
        switch (c.Setup) {
            case Registered::Outlook: registrations.Outlook(wide.Path()); break;
            case Registered::Wide: registrations.UserMailProgram(wide.Path()); break;
            case Registered::AnsiOnly: registrations.UserMailProgram(ansi.Path()); break;
            case Registered::MissingLibrary: registrations.UserMailProgram(app / L"gone.dll"); break;
            case Registered::Nothing: registrations.NoMailProgram(); break;
        }

        commands.Run(Command::EmailCurrentFile);

        EXPECT_EQ(wide.Calls() + ansi.Calls(), c.Calls);
        std::vector<std::string> shown;
        for (const ShownMessage& m : messages.shown) shown.push_back(m.Text + " / " + m.Title);
        std::vector<std::string> expected;
        for (const std::string& text : c.Shown) expected.push_back(text + " / Outlook");
        EXPECT_EQ(shown, expected);
        registrations.Reset();
    }
}

}  // namespace
