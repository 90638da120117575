#pragma once
// The slide-show window's presenter: every file of the screen-saver folder in
// turn, one at a time into the next cell of the grid, the clock in the lower
// right corner, files that arrive meanwhile shown at once, and the end of the
// screen saver on the user's input.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>

#include "saver/SlideShowFiles.h"
#include "saver/SlideShowLayout.h"
#include "saver/SlideShowView.h"
#include "shared/Clock.h"
#include "shared/FileSystem.h"
#include "shared/Pictures.h"

namespace qw {

inline constexpr unsigned CheckFolderInterval = 500;
inline constexpr unsigned ClockInterval = 1000;
inline constexpr unsigned ResetMouseCounterInterval = 2000;

struct SlideShowPorts {
    qw::FileSystem& Files;
    PictureLoader& Pictures;
    qw::Clock& Clock;
};

class SlideShow {
public:
    // Asked for on a key, a mouse button or a clear mouse movement. Empty
    // for the preview, which input never ends.
    using EndRequest = std::function<void()>;

    // `folder` is the screen-saver folder, empty when the application folder
    // is unknown (the show then stays empty). Nothing is drawn or started yet.
    SlideShow(SlideShowView& view, SlideShowPorts ports, SlideShowSettings settings, std::string folder,
              EndRequest endRequest);

    // ---- Events.
    // The window exists: the mouse counter is cleared every 2 s from now on.
    void Opened();
    // The first focus sets the show up; later ones change nothing.
    void OnFocus() { SetUp(); }
    void OnTimer(SlideShowTimer timer);
    void OnKey() { RequestEnd(); }
    void OnMouseButton() { RequestEnd(); }
    // A move to (x, y), in any one unit the window keeps to.
    void OnMouseMove(float x, float y);

    // Reads the folder, places the clock, shows the first file in cell 1 and
    // starts the timers. Runs once; the preview calls it without a focus.
    void SetUp();

    // The next file into the next cell, each wrapping round on its own;
    // whether its picture shows.
    bool ShowNextImage();
    // tmrCheckScreenSaverFolder: every file not listed yet goes in front and
    // is shown at once; the next regular slide comes a full interval later.
    // A new picture that did not load (still being written) is tried again
    // after each change and shown in front once it loads. The folder is read
    // only after a change, where the file system can report changes.
    void CheckFolder();

    int CellIndex() const { return cellIndex_; }
    const SlideShowFiles& Files() const { return files_; }

private:
    int CellCount() const { return settings_.Columns * settings_.Rows; }
    void ScanFolder();
    void PlaceClock();
    // Whether the file's picture now shows in the current cell.
    bool ShowImage(const std::string& path);
    std::unique_ptr<Picture> LoadPicture(const std::string& path);
    void PlacePicture(std::unique_ptr<Picture> picture);
    void ShowInFront(const std::string& name);
    void RetryInFront(const std::string& name);
    void RestartImageTimer();
    void RequestEnd();

    SlideShowView& view_;
    SlideShowPorts ports_;
    SlideShowSettings settings_;
    std::string folder_;
    EndRequest endRequest_;

    bool setUp_ = false;
    SlideShowFiles files_;  // after folder_, which it takes
    std::unique_ptr<FolderWatch> watch_;  // null: the folder is read at every check
    std::unordered_set<std::string> unloaded_;  // new files whose picture did not load
    std::size_t fileIndex_ = 0;  // 1-based position of the file shown last; 0: start again
    int cellIndex_ = 0;          // the cell filled last; 0 before the first slide
    std::int32_t clockTop_ = 0;  // twips; the grid ends above it
    std::int64_t mouseMoveCount_ = 0;
    float lastX_ = 0;
    float lastY_ = 0;
};

}  // namespace qw
