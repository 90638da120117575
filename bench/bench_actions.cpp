// The automatic actions for one received 12-megapixel photo with copy to a
// folder, screen saver and wallpaper on: the time of the watcher's pass with
// and without them, of each action on its own, and how often the photo is
// loaded. The services are in memory, so the times are the core's share;
// decoding, encoding and disk time belong to the adapters. Run with
// `make bench`.

#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fakes/FakeSystemFolders.h"
#include "fakes/FakeCommandPorts.h"
#include "fakes/FakeMainView.h"
#include "fakes/FakePictures.h"
#include "fakes/FakeScreenSaverPlatform.h"
#include "fakes/FakeThumbnailView.h"
#include "main/MainPresenter.h"
#include "shared/Text.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Files by lower-cased path; folders are whatever files lie in.
class MemoryFiles : public qw::FileSystem {
public:
    std::map<std::string, std::pair<std::string, Bytes>> files;

    void Add(const std::string& path, Bytes bytes) { files[qw::LowerCase(path)] = {path, std::move(bytes)}; }
    std::vector<qw::FileItem> ListFiles(const std::string& folder) override {
        // The folder's files are one run of keys; those of its sub-folders are skipped.
        const std::string prefix = qw::LowerCase(folder) + "\\";
        std::vector<qw::FileItem> items;
        for (auto it = files.lower_bound(prefix); it != files.end() && it->first.rfind(prefix, 0) == 0; ++it)
            if (it->first.find('\\', prefix.size()) == std::string::npos) items.push_back(Item(it->second.first));
        return items;
    }
    qw::FileItem GetFile(const std::string& path) override { return Item(Find(path).first); }
    void MoveFile(const std::string& from, const std::string& to) override {
        if (FileExists(to)) throw qw::FileSystemError("exists: " + to);
        Add(to, std::move(Find(from).second));
        files.erase(qw::LowerCase(from));
    }
    void CopyFile(const std::string& from, const std::string& to) override { Add(to, Find(from).second); }
    void CopyFileNoReplace(const std::string& from, const std::string& to) override {
        if (FileExists(to)) throw qw::FileSystemError("exists: " + to);
        CopyFile(from, to);
    }
    bool SameBytes(const std::string& a, const std::string& b) override { return Find(a).second == Find(b).second; }
    void DeleteFile(const std::string& path) override { files.erase(qw::LowerCase(path)); }
    void CreateFolder(const std::string&) override {}
    bool FileExists(const std::string& path) override { return files.count(qw::LowerCase(path)) != 0; }
    void CreateEmptyFile(const std::string& path) override { Add(path, {}); }
    Bytes ReadFileBytes(const std::string& path) override { return Find(path).second; }
    void ReplaceFileContents(const std::string& path, const Bytes& bytes) override { Add(path, bytes); }

private:
    std::pair<std::string, Bytes>& Find(const std::string& path) {
        const auto it = files.find(qw::LowerCase(path));
        if (it == files.end()) throw qw::FileSystemError("not found: " + path);
        return it->second;
    }
    qw::FileItem Item(const std::string& path) {
        return {path, path.substr(path.rfind('\\') + 1), Find(path).second.size(), "JPG File"};
    }
};

class MemoryRegistry : public qw::Registry {
public:
    std::map<std::string, std::string> values;
    std::string ReadText(const std::string& name) override {
        const auto it = values.find(name);
        if (it == values.end()) throw qw::RegistryError("missing: " + name);
        return it->second;
    }
    void WriteText(const std::string& name, const std::string& text) override { values[name] = text; }
    void DeleteValue(const std::string& name) override { values.erase(name); }
};

class NoActivation : public qw::WindowActivation {
public:
    qw::WindowId ForegroundWindow() override { return 1; }
    std::uint32_t ThreadOfWindow(qw::WindowId) override { return 0; }
    void AttachThreadInput(std::uint32_t, std::uint32_t, bool) override {}
    void SetForegroundWindow(qw::WindowId) override {}
    bool IsIconic(qw::WindowId) override { return false; }
    void ShowWindow(qw::WindowId, qw::ShowCommand) override {}
};

class NoShell : public qw::Shell {
public:
    void Open(const std::string&) override {}
    bool IsDangerousType(const std::string&) override { return false; }
};

class NoMarks : public qw::ZoneMarker {
public:
    Verdict MarkFromOutside(const std::string&, const std::string&) override { return Verdict::Kept; }
};

class NoSettingsDialog : public qw::SettingsEditor {
public:
    void EditSettings(qw::SettingsTab, bool, const std::string&, qw::SettingsRecord&) override {}
};

double Milliseconds(const std::function<void()>& work, int repeats) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeats; ++i) work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / repeats;
}

class NoSlideShows : public qw::ScreenSaverProcesses {
public:
    bool IsScreenSaverProcess(std::uint32_t) override { return false; }
};

}  // namespace

int main() {
    MemoryFiles files;
    MemoryRegistry registry;
    registry.values[qw::StackInboxValue] = "C:\\BT\\In";
    registry.values[qw::StackRootValue] = "C:\\BT";
    registry.values[qw::ScreenSaverRunningValue] = "NO";
    qw::Windows1252 ansi;
    NoActivation activation;
    qw::FakePictureLoader pictures;
    NoShell shell;
    NoMarks marks;
    qw::RecordingQuestions questions;
    qw::RecordingMessageBoxes messages;
    qw::FakeFolderPicker picker;
    qw::FakeFileDialogs dialogs;
    NoSettingsDialog settingsDialog;
    qw::FakeScreenSaverPlatform platform;
    qw::ScreenSaverRegistration screenSaver({registry, files, platform, platform, messages}, "C:\\App");
    qw::FakePrinter printer;
    qw::FakeClipboard clipboard;
    qw::FakeWallpaper wallpaper;
    qw::FakeMailer mailer;
    qw::FakeMainView view;
    qw::FakeThumbnailView stripView;
    qw::ThumbnailStrip strip(stripView, files, pictures);
    NoSlideShows slideShows;
    qw::FakeSystemFolders systemFolders;
    qw::MainPresenter presenter(view, strip,
                                {files, registry, ansi, activation, pictures, shell, questions, settingsDialog,
                                 screenSaver, slideShows, systemFolders,
                                 {messages, picker, dialogs, printer, clipboard, wallpaper, mailer, marks}},
                                "C:\\App");
    presenter.Load();
    qw::SettingsRecord& settings = presenter.State().CurrentSettings;
    settings.ShowQuillwave = false;
    settings.CopyToFolderPath = "D:\\Received";

    // Whole passes: one photo beamed and taken over per tick.
    int photo = 0;
    int mostLoads = 0;
    const auto pass = [&] {
        const std::string name = "IMG_" + std::to_string(++photo) + ".JPG";
        files.Add("C:\\BT\\In\\" + name, Bytes(1000, 0xD8));
        pictures.AddPixels("C:\\App\\inbox\\" + name, 4000, 3000);
        presenter.OnTimer();
        mostLoads = std::max(mostLoads, pictures.LoadCount("C:\\App\\inbox\\" + name));
    };
    const int passes = 200;
    const double bare = Milliseconds(pass, passes);
    const int bareLoads = mostLoads;
    settings.CopyToFolder = settings.AddFileToScreenSaver = settings.DesktopBackground = true;
    const double acting = Milliseconds(pass, passes);
    const bool allDone = files.FileExists("D:\\Received\\img_" + std::to_string(photo) + ".jpg") &&
                         files.FileExists("C:\\App\\screensaver\\IMG_" + std::to_string(photo) + ".JPG") &&
                         wallpaper.set.size() == static_cast<std::size_t>(passes) && messages.shown.empty();

    // Each action on its own, as the pass runs it on the file just received.
    const qw::CommandTarget target{"C:\\App\\inbox\\IMG_1.JPG", true,
                                   std::shared_ptr<const qw::Picture>(pictures.Load("C:\\App\\inbox\\IMG_1.JPG"))};
    qw::Busy busy;
    qw::FileCommands commands(presenter.State(), presenter.Folders(), strip, files,
                              {messages, picker, dialogs, printer, clipboard, wallpaper, mailer, marks}, {}, busy);
    const int repeats = 1000;
    const double wallpaperMs = Milliseconds([&] { commands.UseAsDesktopBackground(target.Picture.get()); }, repeats);
    const double screenSaverMs = Milliseconds([&] { commands.AddToScreenSaver(target.File); }, repeats);
    const double copyMs = Milliseconds(
        [&] { commands.CopyFileTo(target.File, qw::CopyDestination(settings.CopyToFolderPath, target.File)); },
        repeats);

    std::printf("watcher pass for a received 12 MP photo, inbox of %d: %.1f us without actions, %.1f us with copy, "
                "screen saver and wallpaper\n",
                photo, bare * 1000, acting * 1000);
    std::printf("  5 wallpaper:          %.1f us\n", wallpaperMs * 1000);
    std::printf("  6 add to screen saver: %.1f us\n", screenSaverMs * 1000);
    std::printf("  7 copy to folder:      %.1f us\n", copyMs * 1000);
    // The strip's thumbnail, the preview and the actions share one picture.
    std::printf("photo loads per pass: %d without actions, %d with them (goal: 1, the thumbnail's picture serving the "
                "preview and the actions; before: 2) -> %s\n",
                bareLoads, mostLoads, mostLoads == 1 && bareLoads == 1 ? "met" : "NOT met");
    return allDone && mostLoads == 1 && bareLoads == 1 ? 0 : 1;
}
