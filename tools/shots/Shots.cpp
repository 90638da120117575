// qwshots.exe: pictures of the main window's controls, and of the real
// main window with photos in its inbox, for people to look at, made the way
// the program shows them. scripts/shots runs it (with the test suites, whose
// tests leave pictures of the windows they drive) and turns everything into
// PNG files under build/shots/.
//
// The controls are drawn into bitmaps, so no window manager is needed; the
// main window is shown on the screen and read from it.

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "MessagePump.h"
#include "PictureFiles.h"
#include "ProjectIcons.h"
#include "TempFolder.h"
#include "WindowCapture.h"
#include "main/MainLayout.h"
#include "main/TaskPane.h"
#include "main/ThumbnailStrip.h"
#include "win32/kit/Display.h"
#include "win32/ExitMessage.h"
#include "win32/WicPictures.h"
#include "win32/Win32FileSystem.h"
#include "win32/main/TaskPaneControl.h"
#include "win32/main/ThumbnailControl.h"

namespace {

using qw::test::Colour;

// A meadow under a sky with the sun: something that looks like a photo.
Colour Sky(int x, int y) {
    const auto c = [](int v) { return static_cast<Colour>(std::clamp(v, 0, 255)); };
    if (y > 300) return 0xFF000000 | c(60 + x / 8) << 16 | c(120 + y / 10) << 8 | c(40);
    const int dx = x - 450, dy = y - 140;
    if (dx * dx + dy * dy < 60 * 60) return 0xFFFFD040;
    return 0xFF000000 | c(90 + y / 3) << 16 | c(150 + y / 4) << 8 | 0xF0;
}

Colour Flag(int x, int) { return x < 33 ? qw::test::kBlue : x < 67 ? qw::test::kWhite : qw::test::kRed; }

// The pane as the main window builds it, with the screen-saver folder on
// show, a picture current and "Save As" under the mouse.
void Pane(HINSTANCE instance) {
    qw::test::HostWindow host(260, 760);
    qw::win32::TaskPaneControl pane(instance, {.Parent = host.Handle(), .X = 0, .Y = 0, .Width = qw::PaneWidth,
                                               .Height = 740});
    const qw::win32::ImageList icons = qw::test::LoadPaneIcons();
    pane.SetImageList(icons.Get());
    for (const qw::PaneBar& bar : qw::PaneBars()) {
        pane.AddBar(bar.Key, bar.Title);
        for (const qw::PaneItem& item : bar.Items)
            pane.AddItem(bar.Key, item.Key, item.Caption, qw::PaneIconIndex(item.IconKey));
    }
    pane.SetRedraw(false);
    for (const char* key : {"ScreenSaverViewFilesBarItem", "AddToScreenSaverBarItem"}) {
        pane.SetItemClickable(key, false);
        pane.SetItemTextColor(key, qw::SilverColor);
    }
    pane.SetRedraw(true);
    const RECT saveAs = pane.ItemRect("SaveAsBarItem");
    SendMessageW(pane.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM((saveAs.left + saveAs.right) / 2, saveAs.top + 4));
    qw::test::Pump();
    std::wprintf(L"%ls\n", qw::test::SaveShot(qw::test::CaptureClient(pane.Handle()), L"quillwave-pane.bmp").c_str());
}

// Photos, a flag, a panorama and documents, written into the folder; their
// paths, the one to show first last.
std::vector<std::string> SampleFiles(const std::string& folder) {
    const auto picture = [&](const std::string& name, int width, int height, Colour (*colour)(int, int)) {
        const std::string path = folder + "\\" + name;
        const std::string ext = path.substr(path.rfind('.') + 1);
        qw::test::EncodePicture(path,
                                ext == "bmp"   ? qw::test::Format::Bmp
                                : ext == "gif" ? qw::test::Format::Gif
                                               : qw::test::Format::Jpeg,
                                width, height, colour);
        return path;
    };
    const auto document = [&](const std::string& name) {
        qw::test::WriteText(folder + "\\" + name, "some text");
        return folder + "\\" + name;
    };
    return {document("budget.xls"),  document("report.pdf"),          document("notes.txt"),
            picture("panorama.bmp", 1000, 240, Sky), picture("flag.gif", 100, 50, Flag), document("minutes.doc"),
            picture("portrait.jpg", 480, 640, Sky),  picture("summer meadow.jpg", 640, 480, Sky)};
}

// The strip with the sample files, scroll bar included.
void Strip(HINSTANCE instance) {
    qw::test::TempFolder folder(L"qwshots-");
    const std::vector<std::string> files = SampleFiles(folder.Path());

    const int width = 6 * qw::SlotPitch + 4;
    qw::test::HostWindow host(width, qw::StripHeight);
    qw::win32::ThumbnailControl control(instance,
                                        {.Parent = host.Handle(), .X = 0, .Y = 0, .Width = width,
                                         .Height = qw::StripHeight},
                                        &qw::test::LoadDocumentIcon);
    qw::win32::Win32FileSystem fileSystem;
    qw::win32::WicPictureLoader pictures;
    qw::ThumbnailStrip strip(control, fileSystem, pictures, qw::win32::ScreenResolution());
    for (const std::string& file : files) strip.AddFile(file);
    qw::test::Pump();

    qw::test::Capture shot = qw::test::CaptureClient(control.Handle());
    // The scroll bar is a window of its own: its pixels come from the screen.
    RECT bar;
    GetWindowRect(control.ScrollBarWindow(), &bar);
    const qw::test::Capture barShot = qw::test::CaptureScreen(bar);
    for (int y = 0; y < barShot.height && qw::ScrollBarTop + y < shot.height; ++y)
        for (int x = 0; x < barShot.width && x < shot.width; ++x)
            shot.pixels[static_cast<size_t>(qw::ScrollBarTop + y) * shot.width + x] =
                barShot.pixels[static_cast<size_t>(y) * barShot.width + x];
    std::wprintf(L"%ls\n", qw::test::SaveShot(shot, L"quillwave-strip.bmp").c_str());
}

void SetUserValue(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

HWND WindowOfProcess(DWORD processId, const wchar_t* className) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) return window;
    }
    return nullptr;
}

// The real quillwave.exe with the sample files in its inbox, its window
// shown as the icon menu shows it, and the first photo clicked: what people see
// first. Its registry values are the tests' (the project's Wine prefix) and
// are removed again.
void MainWindowWithPhotos() {
    qw::test::TempFolder app(L"qwshots-app-");
    qw::test::TempFolder stack(L"qwshots-stack-");
    CreateDirectoryW((app / L"inbox").c_str(), nullptr);
    SampleFiles(app / std::string("inbox"));
    const wchar_t* const services = L"Software\\Widcomm\\BTConfig\\Services";
    SetUserValue((std::wstring(services) + L"\\0004").c_str(), L"InboxDirectory", stack.WidePath());
    SetUserValue((std::wstring(services) + L"\\0005").c_str(), L"root", stack.WidePath());

    wchar_t self[MAX_PATH];
    std::wstring built(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    built = built.substr(0, built.find_last_of(L'\\')) + L"\\quillwave.exe";
    const std::wstring exe = app / L"quillwave.exe";
    if (!CopyFileW(built.c_str(), exe.c_str(), FALSE)) throw std::runtime_error("no quillwave.exe beside qwshots.exe");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exe + L"\"";
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, app.WidePath().c_str(),
                        &startup, &started))
        throw std::runtime_error("cannot start quillwave.exe");
    const qw::win32::KernelHandle process(started.hProcess), thread(started.hThread);

    HWND window = nullptr;
    for (int i = 0; i < 200 && !(window && qw::test::IsFolder(app / L"desktop")); ++i) {
        Sleep(100);
        window = WindowOfProcess(started.dwProcessId, L"QuillwaveMainWindow");
    }
    if (window) {
        // What the icon menu's "Show Quillwave!..." does.
        ShowWindow(window, SW_SHOW);
        Sleep(1500);
        HWND strip = FindWindowExW(window, nullptr, L"QuillwaveThumbnailStrip", nullptr);
        PostMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 55));
        PostMessageW(strip, WM_LBUTTONUP, 0, MAKELPARAM(70, 55));
        Sleep(1500);
        RECT client;
        GetClientRect(window, &client);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        std::wprintf(L"%ls\n",
                     qw::test::SaveShot(qw::test::CaptureScreen(client), L"quillwave-main-window-photos.bmp").c_str());
        PostMessageW(window, qw::win32::ExitMessage(), 0, 0);
    }
    if (WaitForSingleObject(process.Get(), 10000) != WAIT_OBJECT_0) TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), 5000);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Widcomm");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quillwave");
    if (!window) throw std::runtime_error("quillwave.exe showed no main window");
}

}  // namespace

int wmain() {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int result = 0;
    try {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        Pane(instance);
        Strip(instance);
        MainWindowWithPhotos();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qwshots: %s\n", e.what());
        result = 1;
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return result;
}
