// The inbox watcher's costs: an idle tick against a large inbox list, and a
// long clash chain. Run with `make bench`.

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "main/InboxWatcher.h"
#include "main/MainState.h"

namespace {

// A file system that only knows one folder's listing and counts existence checks.
class CountingFileSystem : public qw::FileSystem {
public:
    std::vector<qw::FileItem> stackFiles;
    std::map<std::string, bool> onDisk;
    long existsCalls = 0;

    std::vector<qw::FileItem> ListFiles(const std::string&) override { return stackFiles; }
    qw::FileItem GetFile(const std::string& path) override { return {path, path.substr(path.rfind('\\') + 1), 1, ""}; }
    void MoveFile(const std::string& from, const std::string& to) override {
        stackFiles.erase(stackFiles.begin());
        onDisk[to] = true;
        (void)from;
    }
    void CopyFile(const std::string&, const std::string&) override {}
    void CopyFileNoReplace(const std::string&, const std::string&) override {}
    bool SameBytes(const std::string&, const std::string&) override { return false; }
    void DeleteFile(const std::string&) override {}
    void CreateFolder(const std::string&) override {}
    bool FileExists(const std::string& path) override {
        ++existsCalls;
        return onDisk.count(path) != 0;
    }
    void CreateEmptyFile(const std::string&) override {}
    std::vector<std::uint8_t> ReadFileBytes(const std::string&) override { return {}; }
    void ReplaceFileContents(const std::string&, const std::vector<std::uint8_t>&) override {}
};

// Idle ticks move nothing, so nothing is marked.
class NoMarks : public qw::ZoneMarker {
public:
    Verdict MarkFromOutside(const std::string&, const std::string&) override { return Verdict::Kept; }
};

}  // namespace

int main() {
    using Clock = std::chrono::steady_clock;
    qw::MainState state;
    state.BluetoothInboxFolder = "C:\\BT\\In";
    state.BluetoothRootFolder = "C:\\BT\\Root";
    for (int i = 0; i < 10000; ++i) {
        const std::string name = "photo_" + std::to_string(i) + ".jpg";
        state.InboxFiles.Append({"C:\\App\\inbox\\" + name, name, 1000, "JPG File"});
    }
    CountingFileSystem files;
    NoMarks marks;
    qw::Busy busy;
    qw::InboxWatcher watcher(state, files, marks, qw::AppFolders{"C:\\App"}, busy, nullptr);

    const int ticks = 10000;
    const auto start = Clock::now();
    for (int i = 0; i < ticks; ++i) watcher.Tick();
    const double perTick = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / ticks;
    std::printf("idle tick, 10000 files listed, empty stack folders: %.3f us per tick (target: well under 1000 us)\n",
                perTick);

    // photo.jpg and photo_1.jpg ... photo_100.jpg are all taken.
    qw::MainState chain;
    chain.InboxFiles.Append({"C:\\App\\inbox\\photo.jpg", "photo.jpg", 1, ""});
    for (int i = 1; i <= 100; ++i) {
        const std::string name = "photo_" + std::to_string(i) + ".jpg";
        chain.InboxFiles.Append({"C:\\App\\inbox\\" + name, name, 1, ""});
    }
    for (int i = 0; i < 100000; ++i) chain.InboxFiles.Append({"C:\\App\\inbox\\other" + std::to_string(i), "x", 1, ""});
    CountingFileSystem disk;
    qw::InboxWatcher chainWatcher(chain, disk, marks, qw::AppFolders{"C:\\App"}, busy, nullptr);
    const auto chainStart = Clock::now();
    const std::string destination = chainWatcher.FreeDestination("photo.jpg");
    const double chainTime = std::chrono::duration<double, std::micro>(Clock::now() - chainStart).count();
    std::printf("clash chain of 101 names in a list of %zu: %s after %ld disk checks, %.1f us\n",
                chain.InboxFiles.Count(), destination.c_str(), disk.existsCalls, chainTime);
    return destination == "C:\\App\\inbox\\photo_101.jpg" ? 0 : 1;
}
