// A PC without the Bluetooth stack: the folder of received files chosen in
// the settings is taken over like the stack's, and a value naming Documents
// moves nothing. Documents is first pointed at a folder of the test's own,
// since Wine links it to the home folder of the machine.

#include <gtest/gtest.h>

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <thread>
#include <vector>

#include "Harness.h"
#include "SettingsFiles.h"

using namespace std::chrono_literals;
using e2e::WaitFor;

namespace {

const wchar_t* const QuillwaveKey = L"Software\\Quillwave";
const wchar_t* const ShellFolders = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

std::wstring DocumentsFolder() {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_DONT_VERIFY, nullptr, &path))) folder = path;
    CoTaskMemFree(path);
    return folder;
}

// A registry value put back as it was, type and all, when the test ends.
struct KeptValue {
    KeptValue(const wchar_t* key, const wchar_t* name) : key(key), name(name) {
        had = RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &size) ==
              ERROR_SUCCESS;
    }
    ~KeptValue() {
        if (had) RegSetKeyValueW(HKEY_CURRENT_USER, key, name, type, data.data(), size);
        else RegDeleteKeyValueW(HKEY_CURRENT_USER, key, name);
    }
    const wchar_t *key, *name;
    std::vector<BYTE> data = std::vector<BYTE>(4096);
    DWORD type = 0, size = 4096;
    bool had = false;
};

class ReceivedFolder : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::DeleteUserKey(QuillwaveKey);
        e2e::RemoveStackFolders();
    }
    void TearDown() override { e2e::DeleteUserKey(QuillwaveKey); }
    // Starts the program on `folder`, with copies made to `copies`.
    e2e::RunningProgram Start(const std::wstring& folder) {
        qw::SettingsRecord settings;
        settings.ShowQuillwave = false;
        settings.UseScreenSaver = false;
        settings.CopyToFolder = true;
        settings.CopyToFolderPath = copies.Path();
        e2e::WriteFile(app / L"settings.txt", qw::test::SettingsFile(settings));
        e2e::WriteUserValue(QuillwaveKey, L"ReceivedFilesFolder", folder);
        e2e::RunningProgram program(app.WidePath());
        EXPECT_NE(program.MainWindow(), nullptr);
        EXPECT_TRUE(WaitFor([&] { return e2e::IsFolder(app / L"desktop"); }, 10s));
        return program;
    }

    e2e::TempFolder app{L"qw received"};
    e2e::TempFolder copies{L"qw copies"};
    e2e::TempFolder saved{L"qw saved by Windows"};
    e2e::TempFolder documents{L"qw documents"};
    KeptValue documentsValue{ShellFolders, L"Personal"};
};

TEST_F(ReceivedFolder, FilesSavedThereAreTakenOverAndDocumentsIsNeverTouched) {
    e2e::WriteUserValue(ShellFolders, L"Personal", documents.WidePath());
    ASSERT_EQ(DocumentsFolder(), documents.WidePath()) << "Documents must not be the home folder's";
    e2e::WriteFile(documents / L"letter.txt", "mine");
    {
        auto program = Start(documents.WidePath());
        std::this_thread::sleep_for(2500ms);  // two ticks' time to do what it must not
        EXPECT_EQ(e2e::FilesIn(documents.WidePath()), std::vector<std::wstring>{L"letter.txt"});
        EXPECT_TRUE(e2e::FilesIn(app / L"inbox").empty());
    }
    {
        auto program = Start(saved.WidePath());
        e2e::WriteFile(saved / L"Sent.txt", "from the phone");
        ASSERT_TRUE(WaitFor([&] { return e2e::Exists(copies / L"sent.txt"); }, 20s));
        EXPECT_EQ(e2e::FilesIn(app / L"inbox"), std::vector<std::wstring>{L"Sent.txt"});
        EXPECT_TRUE(e2e::FilesIn(saved.WidePath()).empty());
    }
}

}  // namespace
