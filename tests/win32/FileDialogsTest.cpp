// The system's save and open dialogs, opened by the adapter and answered
// from the keyboard by a second thread.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <optional>

#include "OwnWindows.h"
#include "TempFolder.h"
#include "win32/main/Win32FileDialogs.h"

namespace {

using namespace std::chrono_literals;
using qw::test::FileNameBox;
using qw::test::PostKey;
using qw::test::TempFolder;
using qw::test::TextOf;
using qw::test::WaitFor;
using qw::win32::Narrow;

// A message box the dialog opened over itself, or nullptr.
HWND BoxOwnedBy(HWND dialog) {
    struct Search {
        HWND owner, found;
    } search{dialog, nullptr};
    EnumThreadWindows(
        GetWindowThreadProcessId(dialog, nullptr),
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == s.owner) s.found = window;
            return s.found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(FileDialogs, OpenOnTheProposalAndAnswerAsTheUserDid) {
    TempFolder folder{L"qw dialogs \u0444\u043e\u0442\u043e "};
    qw::test::WriteText(folder / "exists.jpg", "old");
    qw::test::WriteText(folder / "picture.gif", "gif");
    const std::string images = "Images |*.jpg;*.bmp;*.ico;*.jpeg;*.gif";

    struct Case {
        const char* What;
        bool Save;
        qw::FileDialogOptions Options;
        std::wstring Typed;  // replaces the proposal; empty: Enter on the proposal
        bool Cancel;         // Esc instead of Enter
        bool Asks;           // a box asks (replace? / no such file) and is answered with Enter
        std::optional<std::string> Chosen;
        std::wstring FilterShown;  // the first filter's description, when checked
    };
    const Case cases[] = {
        {"proposal confirmed", true, {"All Files (*.*)|*.*", 2, folder / "\u0424\u043e\u0442\u043e_1.jpg"}, L"",
         false, false, folder / "\u0424\u043e\u0442\u043e_1.jpg", L"All Files (*.*)"},
        {"name typed", true, {"All Files (*.*)|*.*", 2, folder / "x.jpg"}, L"other \u2603.jpg", false, false,
         folder / "other \u2603.jpg", L""},
        {"existing file, asked first", true, {"All Files (*.*)|*.*", 2, folder / "x.jpg"}, L"exists.jpg", false,
         true, folder / "exists.jpg", L""},
        {"cancelled", true, {"All Files (*.*)|*.*", 2, folder / "x.jpg"}, L"", true, false, std::nullopt, L""},
        {"open an image", false, {images, 4096, ""}, folder.WidePath() + L"\\picture.gif", false, false,
         folder / "picture.gif", L"Images "},
        // The missing file is refused with a box; the user then gives up.
        {"open a missing file", false, {images, 4096, folder / "picture.gif"}, L"missing.jpg", false, true,
         std::nullopt, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        bool answered = false, asked = false;
        std::wstring filterShown;
        std::optional<std::string> chosen;
        {
            qw::test::DialogDriver driver(c.Save ? L"Save As" : L"Open", L"#32770", [&](HWND dialog) {
                HWND name = nullptr;
                if (!dialog || !WaitFor([&] { return (name = FileNameBox(dialog)) != nullptr; }, 10s)) return;
                filterShown = TextOf(GetDlgItem(dialog, cmb1));
                if (!c.Typed.empty()) qw::test::Type(name, c.Typed);
                PostKey(name, c.Cancel ? VK_ESCAPE : VK_RETURN);
                if (c.Asks) {
                    HWND box = nullptr;
                    asked = WaitFor([&] { return (box = BoxOwnedBy(dialog)) != nullptr; }, 10s);
                    if (!asked) return;
                    PostKey(box, VK_RETURN);
                    // An open dialog stays open after refusing a missing file.
                    if (!c.Save && WaitFor([&] { return !IsWindow(box); }, 10s)) PostKey(name, VK_ESCAPE);
                }
                answered = true;
            });
            qw::win32::Win32FileDialogs dialogs;
            chosen = c.Save ? dialogs.ShowSave(c.Options) : dialogs.ShowOpen(c.Options);
        }
        EXPECT_TRUE(answered);
        EXPECT_EQ(asked, c.Asks);
        EXPECT_EQ(chosen, c.Chosen);
        if (!c.FilterShown.empty()) {
            EXPECT_EQ(Narrow(filterShown), Narrow(c.FilterShown));
        }
    }
    EXPECT_EQ(qw::test::ReadText(folder / "exists.jpg"), "old") << "the dialog only chooses; the command copies";
}

// A remembered folder that was deleted since still opens the dialog, on the name alone.
TEST(FileDialogs, OpenWhenTheProposedFolderIsGone) {
    TempFolder folder;
    std::wstring proposed;
    std::optional<std::string> chosen = "not asked";
    {
        qw::test::DialogDriver driver(L"Save As", L"#32770", [&](HWND dialog) {
            HWND name = nullptr;
            if (!dialog || !WaitFor([&] { return (name = FileNameBox(dialog)) != nullptr; }, 10s)) return;
            proposed = TextOf(name);
            PostKey(name, VK_ESCAPE);
        });
        chosen = qw::win32::Win32FileDialogs().ShowSave({"All Files (*.*)|*.*", 2, folder / "gone\\photo.jpg"});
    }
    EXPECT_EQ(chosen, std::nullopt);
    EXPECT_EQ(Narrow(proposed), "photo.jpg");
}

}  // namespace
