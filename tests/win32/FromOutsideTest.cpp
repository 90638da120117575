// The zone mark through a stand-in for the system's attachment services,
// which Wine lacks, and the question before a file that can run code.

#include <gtest/gtest.h>

#include <windows.h>
#include <shobjidl.h>
#include <urlmon.h>

#include <thread>

#include "OwnWindows.h"
#include "TempFolder.h"
#include "win32/CommonDialogs.h"
#include "win32/kit/Utf.h"
#include "win32/main/Win32ZoneMarker.h"

namespace qw::win32 {
namespace {

class FakeAttachmentServices final : public IAttachmentExecute {
public:
    HRESULT saved = S_OK;  // Save's answer; the scanner deletes the file first when `deletes`
    bool deletes = false;
    std::wstring path, source;
    GUID client = GUID_NULL;

    IFACEMETHODIMP QueryInterface(REFIID, void** out) override { return *out = nullptr, E_NOINTERFACE; }
    IFACEMETHODIMP_(ULONG) AddRef() override { return 2; }  // lives on the test's stack
    IFACEMETHODIMP_(ULONG) Release() override { return 1; }
    IFACEMETHODIMP SetClientTitle(LPCWSTR) override { return S_OK; }
    IFACEMETHODIMP SetClientGuid(REFGUID id) override { return client = id, S_OK; }
    IFACEMETHODIMP SetLocalPath(LPCWSTR p) override { return path = p, S_OK; }
    IFACEMETHODIMP SetFileName(LPCWSTR) override { return S_OK; }
    IFACEMETHODIMP SetSource(LPCWSTR s) override { return source = s, S_OK; }
    IFACEMETHODIMP SetReferrer(LPCWSTR) override { return S_OK; }
    IFACEMETHODIMP CheckPolicy() override { return S_OK; }
    IFACEMETHODIMP Prompt(HWND, ATTACHMENT_PROMPT, ATTACHMENT_ACTION*) override { return E_NOTIMPL; }
    IFACEMETHODIMP Save() override { return (deletes && DeleteFileW(path.c_str())), saved; }
    IFACEMETHODIMP Execute(HWND, LPCWSTR, HANDLE*) override { return E_NOTIMPL; }
    IFACEMETHODIMP SaveWithUI(HWND) override { return E_NOTIMPL; }
    IFACEMETHODIMP ClearClientState() override { return S_OK; }
};

TEST(ZoneMarker, SavesFromTheSourceThroughTheServicesOrWritesNoStrayFile) {
    using V = ZoneMarker::Verdict;
    const std::tuple<HRESULT, bool, V> cases[] = {
        {S_OK, false, V::Kept},
        {INET_E_SECURITY_PROBLEM, false, V::Refused},  // blocked by policy
        {HRESULT_FROM_WIN32(225), false, V::Refused},  // infected
        {E_FAIL, true, V::Refused},                    // the scanner removed it
        {E_FAIL, false, V::Kept}};                     // the stream instead
    test::TempFolder folder{L"qw marks"};
    const std::string path = folder / std::string("run me.bat");
    for (const auto& [saved, deletes, verdict] : cases) {
        test::WriteText(Widen(path), "@echo off");
        FakeAttachmentServices services;
        std::tie(services.saved, services.deletes) = std::tie(saved, deletes);
        Win32ZoneMarker marker([&](IAttachmentExecute** made) { return *made = &services, S_OK; });
        EXPECT_EQ(marker.MarkFromOutside(path, "about:internet"), verdict) << std::hex << saved;
        EXPECT_EQ(services.path, Widen(path));
        EXPECT_EQ(services.source, L"about:internet");
        EXPECT_NE(services.client, GUID_NULL);
    }
    // Without the services, on a volume without streams (Wine's): no "run me.bat:Zone.Identifier".
    Win32ZoneMarker missing([](IAttachmentExecute**) { return REGDB_E_CLASSNOTREG; });
    EXPECT_EQ(missing.MarkFromOutside(path, "about:internet"), ZoneMarker::Verdict::Kept);
    EXPECT_EQ(test::NamesIn(folder.WidePath(), true), std::vector<std::wstring>{L"run me.bat"});
}

TEST(Questions, AskWithTheWarningIconAndNoAsTheDefault) {
    std::optional<test::MessageBoxSeen> seen;
    LONG noStyle = 0;
    std::thread user([&] {
        if (HWND box = test::WaitForOwnWindow(L"Quillwave!", L"#32770"))
            noStyle = GetWindowLongW(GetDlgItem(box, IDNO), GWL_STYLE);
        seen = test::AnswerMessageBox(L"Quillwave!", std::chrono::seconds(10), GetCurrentProcessId(), IDYES);
    });
    EXPECT_TRUE(Win32Questions().AskYesNo("a.bat can run a program", "Quillwave!"));
    user.join();
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->Icon, LoadIconW(nullptr, IDI_WARNING));
    EXPECT_EQ(noStyle & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

}  // namespace
}  // namespace qw::win32
