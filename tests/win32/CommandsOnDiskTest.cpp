// The file commands on real files and the real platform services: the core's
// FileCommands with the Win32 file system, clipboard, wallpaper and printer.
// Only the dialogs are played by fakes here; the real ones have tests of their own.
#include <gtest/gtest.h>

#include <thread>

#include "OwnWindows.h"
#include "RealCommands.h"
#include "WindowCapture.h"
#include "win32/CommonDialogs.h"

namespace {

using namespace qw;
using CommandsOnDisk = qw::test::RealCommands;
using qw::test::Exists;
using qw::test::ReadText;
using qw::test::TempFolder;
using qw::test::WriteText;
using Names = std::vector<std::string>;

TEST_F(CommandsOnDisk, SaveMoveAndDeleteRealFilesWithAnyNames) {
    const std::string photo = "\u0424\u043e\u0442\u043e_\u5199\u771f_\U0001F600.JPG";
    const std::string lowered = "\u0444\u043e\u0442\u043e_\u5199\u771f_\U0001F600.jpg";
    struct Case {
        const char* What;
        Command Run;
        std::string Answer;           // the dialog's file, or the picker's folder
        bool ReadOnly = false;        // the current file is read-only
        bool OccupiedAlready = false;  // the destination holds a file of the lower-cased name
        Names InboxAfter;             // files left in the inbox
        std::string LandsAt;          // where the file's content is afterwards ("" nowhere else)
        Names Shown{};
    };
    const std::string moved = elsewhere.Path() + "\\\u79fb\u52d5";
    const Case cases[] = {
        {"save as", Command::SaveCurrentFileAs, elsewhere / "copy \u2603.jpg", false, false, {photo},
         elsewhere / "copy \u2603.jpg"},
        {"save as onto an existing file", Command::SaveCurrentFileAs, elsewhere / "taken.jpg", false, true, {photo},
         elsewhere / "taken.jpg"},
        {"move", Command::MoveCurrentFile, moved, false, false, {}, moved + "\\" + lowered},
        {"move onto the lower-cased name", Command::MoveCurrentFile, moved, false, true, {photo}, "",
         {"Could not move file"}},
        {"delete", Command::DeleteCurrentFile, "", false, false, {}, ""},
        {"delete a read-only file", Command::DeleteCurrentFile, "", true, false, {photo}, "",
         {"Could not delete file"}},
    };
    CreateDirectoryW(win32::Widen(moved).c_str(), nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        Current(photo, c.What);
        if (c.ReadOnly) SetFileAttributesW(win32::Widen(Inbox(photo)).c_str(), FILE_ATTRIBUTE_READONLY);
        const std::string occupied =
            c.Run == Command::MoveCurrentFile ? moved + "\\" + lowered : c.LandsAt;
        if (c.OccupiedAlready) WriteText(occupied, "there before");
        dialogs.answer = c.Answer;
        folders.answer = c.Answer;
        messages.shown.clear();

        commands.Run(c.Run);

        Names shown;
        for (const ShownMessage& m : messages.shown) shown.push_back(m.Text);
        EXPECT_EQ(shown, c.Shown);
        EXPECT_EQ(qw::test::NamesIn(app.Path() + "\\inbox"), c.InboxAfter);
        EXPECT_EQ(Listed(state.InboxFiles).size(), c.InboxAfter.size()) << "the list follows the disk";
        EXPECT_EQ(state.CurrentFile.empty(), c.InboxAfter.empty());
        if (!c.LandsAt.empty()) {
            EXPECT_EQ(ReadText(c.LandsAt), c.What);
        } else if (c.OccupiedAlready) {
            EXPECT_EQ(ReadText(occupied), "there before");
        }

        // Clean up for the next case.
        SetFileAttributesW(win32::Widen(Inbox(photo)).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(win32::Widen(Inbox(photo)).c_str());
        DeleteFileW(win32::Widen(moved + "\\" + lowered).c_str());
        state.InboxFiles = FileList{KeyMatch::Exact};
    }
}

// The wallpaper file is a bitmap of the picture, and Windows names it as the
// wallpaper, also from a folder the ANSI code page cannot spell.
TEST_F(CommandsOnDisk, DesktopBackgroundIsABitmapOfThePictureThatWindowsUses) {
    const std::shared_ptr<const Picture> picture = QuadrantPicture();
    commands.UseAsDesktopBackground(picture.get());

    const std::string bitmap = app.Path() + "\\desktop\\desktop.bmp";
    const qw::test::Bytes bytes = qw::test::ReadAll(bitmap);
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(Names(qw::test::NamesIn(app.Path() + "\\desktop")), Names{"desktop.bmp"}) << "no temporary file left";
    const auto decoded = pictures.LoadPicture(bitmap);
    ASSERT_EQ(decoded->Size(), (PixelSize{64, 48}));
    const qw::test::Capture pixels = qw::test::detail::CaptureWith(
        64, 48, [&](HDC dc, HDC) { win32::DrawPicture(dc, *decoded, RECT{0, 0, 64, 48}); });
    EXPECT_EQ(pixels.At(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(pixels.At(62, 1), RGB(0, 0, 255));
    EXPECT_EQ(pixels.At(1, 46), RGB(0, 255, 0));
    EXPECT_EQ(pixels.At(62, 46), RGB(255, 255, 255));

    wchar_t reported[MAX_PATH] = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, reported, 0));
    EXPECT_EQ(win32::Narrow(reported), bitmap);
    wchar_t stored[MAX_PATH] = {};
    DWORD size = sizeof stored;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"Wallpaper", RRF_RT_REG_SZ, nullptr, stored,
                           &size),
              ERROR_SUCCESS);
    EXPECT_EQ(win32::Narrow(stored), bitmap) << "the profile keeps it";
}

// The clipboard holds a device-independent bitmap of the picture's own size;
// the transparent parts of an icon come out white.
TEST_F(CommandsOnDisk, ClipboardHoldsABitmapOfThePicture) {
    qw::test::WriteBytes(Inbox("clear.ico"), qw::test::IconFile({{32, [](int x, int) {
                                                                     return x < 16 ? qw::test::kBlue : qw::test::kClear;
                                                                 }}}));
    struct Case {
        const char* What;
        std::shared_ptr<const Picture> Picture;
        LONG Width, Height;
        COLORREF TopLeft, TopRight, BottomLeft;
    };
    const Case cases[] = {
        {"bitmap", QuadrantPicture(), 64, 48, RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 255, 0)},
        {"icon with clear pixels", pictures.Load(Inbox("clear.ico")), 32, 32, RGB(0, 0, 255), RGB(255, 255, 255),
         RGB(0, 0, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        commands.CopyPictureToClipboard(c.Picture.get());
        ASSERT_TRUE(OpenClipboard(nullptr));
        const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(GetClipboardData(CF_DIB)));
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->biWidth, c.Width);
        EXPECT_EQ(header->biHeight, c.Height) << "bottom-up rows";
        ASSERT_EQ(header->biBitCount, 24);
        const auto* rows = reinterpret_cast<const BYTE*>(header + 1);
        const LONG stride = (header->biWidth * 3 + 3) / 4 * 4;
        const auto at = [&](LONG x, LONG y) {
            const BYTE* p = rows + (header->biHeight - 1 - y) * stride + x * 3;
            return RGB(p[2], p[1], p[0]);
        };
        EXPECT_EQ(at(1, 1), c.TopLeft);
        EXPECT_EQ(at(c.Width - 2, 1), c.TopRight);
        EXPECT_EQ(at(1, c.Height - 2), c.BottomLeft);
        GlobalUnlock(GetClipboardData(CF_DIB));
        CloseClipboard();
    }
}

// Without a printer the command says so in a message box and nothing else changes.
TEST_F(CommandsOnDisk, PrintingWithoutAPrinterSaysSoAndChangesNothing) {
    DWORD size = 0;
    if (GetDefaultPrinterW(nullptr, &size) || size != 0) GTEST_SKIP() << "this machine has a default printer";
    const std::shared_ptr<const Picture> picture = QuadrantPicture("photo.bmp");
    state.InboxFiles.InsertFront(files.GetFile(Inbox("photo.bmp")));
    state.CurrentFile = Inbox("photo.bmp");
    current = {Inbox("photo.bmp"), true, picture};
    win32::Win32MessageBoxes boxes;
    FileCommands printing = CommandsWith(boxes);

    std::optional<qw::test::MessageBoxSeen> seen;
    std::thread user([&] { seen = qw::test::AnswerMessageBox(L"Print"); });
    printing.Run(Command::PrintCurrentPicture);
    user.join();

    ASSERT_TRUE(seen.has_value()) << "no message box titled Print";
    EXPECT_EQ(win32::Narrow(seen->Text), "Could not print picture");
    EXPECT_EQ(seen->Icon, LoadIconW(nullptr, IDI_HAND)) << "the critical-stop icon";
    EXPECT_EQ(qw::test::NamesIn(app.Path() + "\\inbox"), Names{"photo.bmp"});
    EXPECT_TRUE(qw::test::NamesIn(app.Path() + "\\desktop").empty());
    EXPECT_TRUE(qw::test::NamesIn(app.Path() + "\\screensaver").empty());
    EXPECT_EQ(Listed(state.InboxFiles), Names{Inbox("photo.bmp")});
    EXPECT_EQ(state.CurrentFile, Inbox("photo.bmp"));
}

}  // namespace
