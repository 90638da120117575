// The setup program built from installer/quillwave.nsi for 64-bit Windows
// (the 32-bit one is the same script) installing, upgrading from 1.1 and
// uninstalling under Wine. The user's local programs folder and Start-menu
// folder point into temporary folders for each test (a user name with a
// space and a non-ASCII letter), so nothing lands in the prefix's profile.

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "Harness.h"
#include "QuillwaveVersion.h"
#include "SetupWizard.h"

#include <tlhelp32.h>

#ifndef QW_PREVIOUS_SETUP
#define QW_PREVIOUS_SETUP ""  // not built: the upgrade test fails
#endif

using namespace std::chrono_literals;
using e2e::WaitFor;

namespace {

const wchar_t* const ShellFoldersKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const wchar_t* const UninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillwave";
const wchar_t* const RunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t* const QuillwaveKey = L"Software\\Quillwave";
const wchar_t* const DesktopKey = L"Control Panel\\Desktop";
const wchar_t* const Version = L"" QW_VERSION_TEXT;
const wchar_t* const Title = L"Quillwave! " QW_VERSION_TEXT L" Setup";
const wchar_t* const Welcome = L"Welcome to Quillwave! " QW_VERSION_TEXT;
const wchar_t* const UninstallTitle = L"Quillwave! " QW_VERSION_TEXT L" Uninstall";
const wchar_t* const StillRunning = L"Quillwave! is still running. Please end it and try again.";

// A value under HKEY_CURRENT_USER put back as it was (or deleted when there
// was none) when the test ends.
class RestoredUserValue {
public:
    RestoredUserValue(const wchar_t* key, const wchar_t* name) : key_(key), name_(name) {
        DWORD size = 0;
        if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type_, nullptr, &size) ==
            ERROR_SUCCESS) {
            saved_.resize(size);
            RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type_, saved_.data(), &size);
        }
    }
    ~RestoredUserValue() {
        if (saved_.empty())
            RegDeleteKeyValueW(HKEY_CURRENT_USER, key_, name_);
        else
            RegSetKeyValueW(HKEY_CURRENT_USER, key_, name_, type_, saved_.data(), static_cast<DWORD>(saved_.size()));
    }
    RestoredUserValue(const RestoredUserValue&) = delete;
    RestoredUserValue& operator=(const RestoredUserValue&) = delete;

private:
    const wchar_t* key_;
    const wchar_t* name_;
    DWORD type_ = REG_SZ;
    std::vector<BYTE> saved_;
};

std::optional<DWORD> ReadUserNumber(const wchar_t* key, const wchar_t* name) {
    DWORD value = 0, size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

bool HasUserValue(const wchar_t* key, const wchar_t* name) {
    return RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool HasUserKey(const wchar_t* key) {
    qw::win32::RegistryKey handle;
    return RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, handle.Receive()) == ERROR_SUCCESS;
}

// The versions of the installed apps of the name (one per entry).
std::vector<std::wstring> InstalledAppsNamed(const wchar_t* displayName) {
    const std::wstring apps = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    qw::win32::RegistryKey key;
    std::vector<std::wstring> versions;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, apps.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return versions;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = 256;
        if (RegEnumKeyExW(key.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        std::wstring shown, version;
        if (e2e::ReadUserValue(apps + L"\\" + name, L"DisplayName", shown) && shown == displayName)
            versions.push_back(e2e::ReadUserValue(apps + L"\\" + name, L"DisplayVersion", version) ? version : L"");
    }
    return versions;
}

// How many processes of the file name run (any folder).
int ProcessesNamed(const wchar_t* name) {
    const qw::win32::KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry))
        count += _wcsicmp(entry.szExeFile, name) == 0;
    return count;
}

std::wstring ShortPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH * 2];
    const DWORD n = GetShortPathNameW(path.c_str(), buffer, MAX_PATH * 2);
    return n ? std::wstring(buffer, n) : path;
}

std::wstring SystemFolder() {
    wchar_t buffer[MAX_PATH];
    return std::wstring(buffer, GetSystemDirectoryW(buffer, MAX_PATH));
}

std::wstring Upper(std::wstring text) {
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

class Setup : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::string(QW_SETUP).empty()) GTEST_SKIP() << "no setup program was built (makensis is missing)";
        e2e::DeleteUserKey(QuillwaveKey);
        CreateDirectoryW(stackInbox.c_str(), nullptr);
        e2e::SetStackFolders(stackInbox, stackInbox);
        e2e::WriteUserValue(ShellFoldersKey, L"Local AppData", localAppData.WidePath());
        e2e::WriteUserValue(ShellFoldersKey, L"Programs", startMenu.WidePath());
    }
    void TearDown() override {
        // What a failed test may leave: entries that would start the program
        // with the next Wine session or show it as installed.
        RegDeleteKeyValueW(HKEY_CURRENT_USER, RunKey, L"Quillwave");
        e2e::DeleteUserKey(UninstallKey);
        e2e::RemoveStackFolders();
        e2e::DeleteUserKey(QuillwaveKey);
    }

    static std::wstring SetupProgram() { return e2e::FromUnixPath(QW_SETUP); }
    std::wstring InstallFolder() const { return localAppData.WidePath() + L"\\Programs\\Quillwave"; }
    std::wstring Installed(const std::wstring& name) const { return InstallFolder() + L"\\" + name; }
    std::wstring Shortcut() const { return startMenu / L"Quillwave!.lnk"; }
    static std::string Built(const wchar_t* name) { return qw::test::ReadText(e2e::BinFolder() + L"\\" + name); }

    DWORD Install(const std::wstring& arguments = L"/S") { return e2e::RunToEnd(SetupProgram(), arguments, 120s); }
    // uninstall.exe runs a copy of itself from elsewhere and ends before
    // that copy has done the work; the test runs such a copy itself, told
    // the installed folder by "_?=", and waits for it.
    std::wstring UninstallerCopy() {
        const std::wstring copy = scratch / L"uninstall-copy.exe";
        if (!CopyFileW(Installed(L"uninstall.exe").c_str(), copy.c_str(), FALSE))
            throw std::runtime_error("no uninstaller in the installed folder");
        return copy;
    }
    DWORD Uninstall() { return e2e::RunToEnd(UninstallerCopy(), L"/S _?=" + InstallFolder(), 120s); }

    // Starts the installed program and waits until its start-up is done.
    std::unique_ptr<e2e::RunningProgram> StartInstalled() {
        auto program = std::make_unique<e2e::RunningProgram>(e2e::InPlace{}, Installed(L"quillwave.exe"));
        EXPECT_NE(program->MainWindow(), nullptr);
        EXPECT_TRUE(WaitFor([&] { return e2e::IsFolder(Installed(L"desktop")); }, 20s));
        return program;
    }

    // Beams a file made up here and waits for it in the installed inbox.
    bool BeamInto(const std::wstring& name) {
        e2e::WriteFile(scratch / name, "beamed to the installed program");
        return e2e::Beam(stackInbox, {scratch / name}) == 0 &&
               WaitFor([&] { return e2e::Exists(Installed(L"inbox\\" + name)); }, 20s);
    }

    e2e::TempFolder localAppData{L"qw setup \u00c5sa local "};
    e2e::TempFolder startMenu{L"qw setup menu "};
    e2e::TempFolder scratch{L"qw setup "};
    // Put back before the folders go.
    RestoredUserValue localAppDataFolder{ShellFoldersKey, L"Local AppData"};
    RestoredUserValue startMenuFolder{ShellFoldersKey, L"Programs"};
    RestoredUserValue screenSaver{DesktopKey, L"SCRNSAVE.EXE"};
    std::wstring stackInbox = scratch / L"stack";
};

TEST_F(Setup, SilentInstallRunsAndSilentUninstallEndsItKeepingTheReceivedFiles) {
    ASSERT_EQ(Install(), 0u);

    // The programs in the user's own programs folder, as built.
    EXPECT_EQ(qw::test::ReadText(Installed(L"quillwave.exe")), Built(L"quillwave.exe"));
    EXPECT_EQ(qw::test::ReadText(Installed(L"quillwavess.scr")), Built(L"quillwavess.scr"));
    EXPECT_TRUE(e2e::Exists(Installed(L"uninstall.exe")));
    EXPECT_TRUE(e2e::Exists(Shortcut()));
    std::wstring run;
    EXPECT_TRUE(e2e::ReadUserValue(RunKey, L"Quillwave", run));
    EXPECT_EQ(run, L"\"" + Installed(L"quillwave.exe") + L"\"");

    const std::pair<const wchar_t*, std::wstring> entry[] = {
        {L"DisplayName", L"Quillwave!"},
        {L"DisplayVersion", Version},
        {L"DisplayIcon", Installed(L"quillwave.exe") + L",0"},
        {L"InstallLocation", InstallFolder()},
        {L"UninstallString", L"\"" + Installed(L"uninstall.exe") + L"\""},
        {L"QuietUninstallString", L"\"" + Installed(L"uninstall.exe") + L"\" /S"},
    };
    for (const auto& [name, expected] : entry) {
        std::wstring value;
        EXPECT_TRUE(e2e::ReadUserValue(UninstallKey, name, value)) << qw::win32::Narrow(name);
        EXPECT_EQ(value, expected) << qw::win32::Narrow(name);
    }
    EXPECT_EQ(ReadUserNumber(UninstallKey, L"NoModify"), 1u);
    EXPECT_EQ(ReadUserNumber(UninstallKey, L"NoRepair"), 1u);
    const DWORD programsKb =
        static_cast<DWORD>((Built(L"quillwave.exe").size() + Built(L"quillwavess.scr").size()) / 1024);
    EXPECT_GE(ReadUserNumber(UninstallKey, L"EstimatedSize").value_or(0), programsKb);

    {
        auto program = StartInstalled();
        ASSERT_TRUE(BeamInto(L"photo.jpg"));
        const std::string settings = qw::test::ReadText(Installed(L"settings.txt"));
        // The program made its screen saver Windows' choice at start-up: the
        // installed file, by its short path.
        std::wstring saver;
        EXPECT_TRUE(e2e::ReadUserValue(DesktopKey, L"SCRNSAVE.EXE", saver));
        EXPECT_EQ(Upper(saver), Upper(ShortPath(Installed(L"quillwavess.scr"))));

        ASSERT_EQ(Uninstall(), 0u);
        // The uninstaller ended the program before it removed its file.
        EXPECT_TRUE(program->WaitForExit(0ms));
        EXPECT_EQ(ProcessesNamed(L"quillwave.exe"), 0);
        EXPECT_EQ(qw::test::ReadText(Installed(L"settings.txt")), settings);
    }
    for (const wchar_t* gone : {L"quillwave.exe", L"quillwavess.scr", L"uninstall.exe"})
        EXPECT_FALSE(e2e::Exists(Installed(gone))) << qw::win32::Narrow(gone);
    EXPECT_FALSE(e2e::Exists(Shortcut()));
    EXPECT_FALSE(HasUserValue(RunKey, L"Quillwave"));
    EXPECT_FALSE(HasUserKey(UninstallKey));
    EXPECT_FALSE(HasUserValue(QuillwaveKey, L"ApplicationPath"));
    EXPECT_FALSE(HasUserValue(DesktopKey, L"SCRNSAVE.EXE"));
    EXPECT_EQ(qw::test::ReadText(Installed(L"inbox\\photo.jpg")), "beamed to the installed program");
    EXPECT_TRUE(e2e::IsFolder(Installed(L"screensaver")));
}

TEST_F(Setup, UpgradeFrom11OverARunningCopyKeepsFilesSettingsAndSignInChoiceInOneEntry) {
    const std::wstring previous = e2e::FromUnixPath(QW_PREVIOUS_SETUP);
    ASSERT_TRUE(e2e::Exists(previous)) << "no 1.1 setup program: the build makes it with scripts/previous-setup.sh";
    ASSERT_EQ(e2e::RunToEnd(previous, L"/S /NOAUTOSTART", 120s), 0u);
    EXPECT_FALSE(HasUserValue(RunKey, L"Quillwave"));
    // 1.1's programs differ from these (their version at least).
    ASSERT_NE(qw::test::ReadText(Installed(L"quillwave.exe")), Built(L"quillwave.exe"));
    ASSERT_NE(qw::test::ReadText(Installed(L"quillwavess.scr")), Built(L"quillwavess.scr"));
    std::vector<std::uint8_t> settings(238);
    for (size_t i = 0; i < settings.size(); ++i) settings[i] = static_cast<std::uint8_t>(i * 7 + 3);
    qw::test::WriteBytes(Installed(L"settings.txt"), settings);

    auto program = StartInstalled();
    ASSERT_TRUE(BeamInto(L"before.txt"));
    ASSERT_EQ(Install(), 0u);

    EXPECT_TRUE(program->WaitForExit(0ms));
    EXPECT_EQ(qw::test::ReadText(Installed(L"quillwave.exe")), Built(L"quillwave.exe"));
    EXPECT_EQ(qw::test::ReadText(Installed(L"quillwavess.scr")), Built(L"quillwavess.scr"));
    EXPECT_EQ(qw::test::ReadText(Installed(L"settings.txt")), std::string(settings.begin(), settings.end()));
    EXPECT_TRUE(e2e::Exists(Installed(L"inbox\\before.txt")));
    // The earlier choice not to start at sign-in stays.
    EXPECT_FALSE(HasUserValue(RunKey, L"Quillwave"));
    EXPECT_EQ(InstalledAppsNamed(L"Quillwave!"), std::vector<std::wstring>{Version});

    // The system folder's short name, as the main program registers it.
    e2e::WriteUserValue(DesktopKey, L"SCRNSAVE.EXE", SystemFolder() + L"\\QUILLW~1.SCR");
    ASSERT_EQ(Uninstall(), 0u);
    EXPECT_FALSE(HasUserValue(DesktopKey, L"SCRNSAVE.EXE"));
}

TEST_F(Setup, EndsNothingItCannotAndReplacesNothingWhileACopyWillNotEnd) {
    // A program named quillwave.exe that does not answer the request to end:
    // the phone stand-in, holding a file open for two minutes.
    CreateDirectoryW((scratch / L"stubborn").c_str(), nullptr);
    const std::wstring stubborn = scratch / L"stubborn\\quillwave.exe";
    ASSERT_TRUE(CopyFileW((e2e::BinFolder() + L"\\qwbeam.exe").c_str(), stubborn.c_str(), FALSE));
    e2e::WriteFile(scratch / L"held.txt", "held");
    e2e::RunningProgram copy(e2e::InPlace{}, stubborn,
                             L"--hold 120000 \"" + (scratch / L"stubborn") + L"\" \"" + (scratch / L"held.txt") + L"\"");
    ASSERT_TRUE(WaitFor([] { return ProcessesNamed(L"quillwave.exe") == 1; }, 10s));

    // With pages: after a few seconds the user is asked, may try again, and
    // may give up.
    {
        e2e::RunningProgram setup(e2e::InPlace{}, SetupProgram());
        HWND wizard = e2e::WaitForWindowShowing(setup.Id(), Title, Welcome);
        ASSERT_NE(wizard, nullptr);
        e2e::Press(wizard, IDOK);
        ASSERT_NE(e2e::WaitForControl(wizard, L"Start Quillwave! when I sign in"), nullptr);
        e2e::Press(wizard, IDOK);
        for (const int answer : {IDRETRY, IDCANCEL}) {
            const auto asked = std::chrono::steady_clock::now();
            HWND question = e2e::WaitForWindowShowing(setup.Id(), Title, StillRunning, 30s);
            ASSERT_NE(question, nullptr);
            EXPECT_GE(std::chrono::steady_clock::now() - asked, 3s);
            if (answer == IDRETRY) e2e::SaveWindowShot(question, L"quillwave-setup-still-running.bmp");
            e2e::Press(question, answer);
            ASSERT_TRUE(WaitFor([&] { return !IsWindow(question); }, 10s));
        }
        ASSERT_NE(e2e::WaitForControl(wizard, L"Installation Aborted"), nullptr);
        e2e::Press(wizard, IDCANCEL);
        ASSERT_TRUE(setup.WaitForExit(30s));
        EXPECT_EQ(setup.ExitCode(), 2u);
    }
    // Silent: nobody to ask, so a longer wait, then failure.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Install(), 2u);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 15s);

    EXPECT_FALSE(e2e::IsFolder(InstallFolder()));
    EXPECT_FALSE(HasUserKey(UninstallKey));
    EXPECT_FALSE(HasUserValue(RunKey, L"Quillwave"));
}

TEST_F(Setup, PagesOfferTheChoicesAndTheUninstallerDeletesReceivedFilesOnlyWhenAsked) {
    {
        e2e::RunningProgram setup(e2e::InPlace{}, SetupProgram());
        HWND wizard = e2e::WaitForWindowShowing(setup.Id(), Title, Welcome);
        ASSERT_NE(wizard, nullptr);
        e2e::SaveWindowShot(wizard, L"quillwave-setup-welcome.bmp");
        e2e::Press(wizard, IDOK);
        const e2e::CheckBoxPage pages[] = {
            {L"Start Quillwave! when I sign in", true, L"quillwave-setup-options.bmp", false},
            {L"Start Quillwave! now", true, L"quillwave-setup-finish.bmp", false},
        };
        for (const auto& page : pages) ASSERT_NO_FATAL_FAILURE(e2e::Visit(wizard, page));
        ASSERT_TRUE(setup.WaitForExit(30s));
        EXPECT_EQ(setup.ExitCode(), 0u);
    }
    EXPECT_TRUE(e2e::Exists(Installed(L"quillwave.exe")));
    EXPECT_FALSE(HasUserValue(RunKey, L"Quillwave"));
    EXPECT_EQ(ProcessesNamed(L"quillwave.exe"), 0);

    // The user's files, and another screen saver chosen in Windows.
    for (const wchar_t* folder : {L"inbox", L"screensaver", L"desktop"})
        CreateDirectoryW(Installed(folder).c_str(), nullptr);
    e2e::WriteFile(Installed(L"inbox\\a.txt"), "received");
    e2e::WriteFile(Installed(L"screensaver\\b.txt"), "received");
    e2e::WriteFile(Installed(L"settings.txt"), "settings");
    const std::wstring otherSaver = SystemFolder() + L"\\other.scr";
    e2e::WriteUserValue(DesktopKey, L"SCRNSAVE.EXE", otherSaver);

    {
        e2e::RunningProgram uninstall(e2e::InPlace{}, UninstallerCopy(), L"_?=" + InstallFolder());
        HWND wizard = e2e::WaitForWindowShowing(uninstall.Id(), UninstallTitle, L"Also delete my received files");
        ASSERT_NE(wizard, nullptr);
        ASSERT_NO_FATAL_FAILURE(
            e2e::Visit(wizard, {L"Also delete my received files", false, L"quillwave-uninstall.bmp", true}));
        ASSERT_NE(e2e::WaitForControl(wizard, L"Completed"), nullptr);
        e2e::Press(wizard, IDOK);
        ASSERT_TRUE(uninstall.WaitForExit(30s));
        EXPECT_EQ(uninstall.ExitCode(), 0u);
    }
    EXPECT_FALSE(e2e::IsFolder(InstallFolder()));
    std::wstring saver;
    EXPECT_TRUE(e2e::ReadUserValue(DesktopKey, L"SCRNSAVE.EXE", saver));
    EXPECT_EQ(saver, otherSaver);
}

}  // namespace
