// The system's save and open dialogs, opened by the adapter and answered
// from the keyboard by a second thread.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <optional>

#include "DialogDriver.h"
#include "TempFolder.h"
#include "win32/main/Win32FileDialogs.h"

namespace {

using qw::test::DialogDriver;
using qw::test::DialogWindows;
using qw::test::PressKey;
using qw::test::TempFolder;
using qw::test::Type;
using qw::win32::Narrow;

// The edit control of the dialog's file name box: the box itself, or inside
// a combo box (Windows) or an extended combo box (Wine).
HWND FileNameBox(HWND dialog) {
    for (int id : {cmb13, edt1}) {
        HWND control = GetDlgItem(dialog, id);
        wchar_t name[16] = {};
        while (control && GetClassNameW(control, name, 16) && std::wstring(name) != L"Edit")
            control = GetWindow(control, GW_CHILD);
        if (control) return control;
    }
    return nullptr;
}

// A message box the dialog opened over itself.
HWND BoxOwnedBy(HWND dialog) {
    for (HWND box : DialogWindows(GetCurrentProcessId()))
        if (box != dialog && GetWindow(box, GW_OWNER) == dialog) return box;
    return nullptr;
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
        bool Asks;           // a box asks (replace? / file missing) and is answered with Enter
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
        HWND dialog = nullptr, box = nullptr;
        std::wstring filterShown;
        std::vector<DialogDriver::Step> steps = {
            [&] {
                const auto found = DialogWindows(GetCurrentProcessId(), c.Save ? L"Save As" : L"Open");
                dialog = found.empty() ? nullptr : found.front();
                return dialog && FileNameBox(dialog);
            },
            [&] {
                wchar_t text[128] = {};
                GetDlgItemTextW(dialog, cmb1, text, 128);
                filterShown = text;
                HWND name = FileNameBox(dialog);
                if (!c.Typed.empty()) {
                    PostMessageW(name, EM_SETSEL, 0, -1);
                    Type(name, c.Typed);
                }
                PressKey(name, c.Cancel ? VK_ESCAPE : VK_RETURN);
                return true;
            },
        };
        if (c.Asks) {
            steps.push_back([&] { return (box = BoxOwnedBy(dialog)) != nullptr; });
            steps.push_back([&] {
                PressKey(box, VK_RETURN);
                return true;
            });
        }
        if (!c.Save && c.Asks)  // still open after the refusal: give up
            steps.push_back([&] {
                if (BoxOwnedBy(dialog)) return false;
                PressKey(FileNameBox(dialog), VK_ESCAPE);
                return true;
            });
        DialogDriver driver(std::move(steps));
        qw::win32::Win32FileDialogs dialogs;
        const std::optional<std::string> chosen = c.Save ? dialogs.ShowSave(c.Options) : dialogs.ShowOpen(c.Options);
        EXPECT_EQ(driver.Finish(), static_cast<int>(c.Asks ? (c.Save ? 4 : 5) : 2));
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
    HWND dialog = nullptr;
    std::wstring proposed;
    DialogDriver driver({
        [&] {
            const auto found = DialogWindows(GetCurrentProcessId(), L"Save As");
            dialog = found.empty() ? nullptr : found.front();
            return dialog && FileNameBox(dialog);
        },
        [&] {
            wchar_t text[MAX_PATH] = {};
            GetWindowTextW(FileNameBox(dialog), text, MAX_PATH);
            proposed = text;
            PressKey(FileNameBox(dialog), VK_ESCAPE);
            return true;
        },
    });
    qw::win32::Win32FileDialogs dialogs;
    EXPECT_EQ(dialogs.ShowSave({"All Files (*.*)|*.*", 2, folder / "gone\\photo.jpg"}), std::nullopt);
    EXPECT_EQ(driver.Finish(), 2);
    EXPECT_EQ(Narrow(proposed), "photo.jpg");
}

}  // namespace
