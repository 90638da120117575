#include "saver/SlideShow.h"

#include <memory>
#include <utility>
#include <vector>

#include "shared/Paths.h"

namespace qw {

SlideShow::SlideShow(SlideShowView& view, SlideShowPorts ports, SlideShowSettings settings, std::string folder,
                     EndRequest endRequest)
    : view_(view),
      ports_(ports),
      settings_(settings),
      folder_(std::move(folder)),
      endRequest_(std::move(endRequest)),
      files_(folder_) {}

void SlideShow::Opened() { view_.StartTimer(SlideShowTimer::ResetMouseCounter, ResetMouseCounterInterval); }

void SlideShow::SetUp() {
    // A second run would list every file again.
    if (setUp_) return;
    setUp_ = true;

    ScanFolder();
    if (settings_.ShowClock) {
        PlaceClock();
        view_.StartTimer(SlideShowTimer::Clock, ClockInterval);
    }
    fileIndex_ = 0;
    cellIndex_ = 0;
    ShowNextImage();
    view_.StartTimer(SlideShowTimer::Image, settings_.ImageInterval);
    view_.StartTimer(SlideShowTimer::CheckFolder, CheckFolderInterval);
}

void SlideShow::OnTimer(SlideShowTimer timer) {
    switch (timer) {
    case SlideShowTimer::Image:
        ShowNextImage();
        break;
    case SlideShowTimer::CheckFolder:
        CheckFolder();
        break;
    case SlideShowTimer::Clock:
        PlaceClock();
        break;
    case SlideShowTimer::ResetMouseCounter:
        mouseMoveCount_ = 0;
        break;
    }
}

void SlideShow::OnMouseMove(float x, float y) {
    // The counter is tested before it is raised: the stream of moves Windows
    // sends when the window comes up, and jitter along one axis, pass; more
    // than 10 moves within one reset interval followed by one that changes
    // both coordinates, or more than 100 of any kind, end the show.
    if (x != lastX_ && y != lastY_ && mouseMoveCount_ > 10)
        RequestEnd();
    else if (mouseMoveCount_ > 100)
        RequestEnd();
    else
        ++mouseMoveCount_;
    lastX_ = x;
    lastY_ = y;
}

void SlideShow::RequestEnd() {
    if (endRequest_) endRequest_();
}

// ---- The files.

// Both the first reading and the check for new files key a file by its name
// in the folder as this program writes it, so a file is recognised as listed
// whatever form of the path the file system reports.
void SlideShow::ScanFolder() {
    if (folder_.empty()) return;
    // Watched before it is read, so no change in between goes unreported.
    watch_ = ports_.Files.WatchFolder(folder_);
    try {
        for (const std::string& name : ports_.Files.ListFileNames(folder_)) files_.Append(name);
    } catch (const FileSystemError&) {
        // No folder yet: an empty show; the check for new files picks the
        // files up once the folder exists.
    }
}

void SlideShow::CheckFolder() {
    if (folder_.empty()) return;
    // Reading a folder of thousands of files twice a second would be most of
    // the show's idle cost; without a watch it is read every time.
    if (watch_ && !watch_->Changed()) return;
    if (!watch_) watch_ = ports_.Files.WatchFolder(folder_);
    std::vector<std::string> present;
    try {
        present = ports_.Files.ListFileNames(folder_);
    } catch (const FileSystemError&) {
        // Missing for now; the next check looks again, with a new watch once it exists.
        watch_.reset();
        return;
    }
    for (const std::string& name : present) {
        if (files_.InsertFront(name))
            ShowInFront(name);
        else if (unloaded_.count(name))
            RetryInFront(name);
    }
}

void SlideShow::ShowInFront(const std::string& name) {
    RestartImageTimer();
    fileIndex_ = 0;
    if (!ShowNextImage() && IsImageFile(name)) unloaded_.insert(name);
}

// Tried quietly: until it loads, the show goes on as it was.
void SlideShow::RetryInFront(const std::string& name) {
    std::unique_ptr<Picture> picture = LoadPicture(folder_ + "\\" + name);
    if (!picture) return;
    unloaded_.erase(name);
    files_.MoveToFront(name);
    RestartImageTimer();
    fileIndex_ = 1;
    cellIndex_ = cellIndex_ >= CellCount() ? 1 : cellIndex_ + 1;
    PlacePicture(std::move(picture));
}

void SlideShow::RestartImageTimer() {
    view_.StopTimer(SlideShowTimer::Image);
    view_.StartTimer(SlideShowTimer::Image, settings_.ImageInterval);
}

// ---- Drawing.

bool SlideShow::ShowNextImage() {
    if (files_.Empty()) return false;
    fileIndex_ = fileIndex_ >= files_.Count() ? 1 : fileIndex_ + 1;
    cellIndex_ = cellIndex_ >= CellCount() ? 1 : cellIndex_ + 1;
    return ShowImage(files_.At(fileIndex_));
}

bool SlideShow::ShowImage(const std::string& path) {
    std::unique_ptr<Picture> picture = IsImageFile(path) ? LoadPicture(path) : nullptr;
    if (!picture) {
        // The cell shows the background for this turn and the show goes on
        // with the next file.
        view_.HideCell(cellIndex_);
        return false;
    }
    PlacePicture(std::move(picture));
    return true;
}

std::unique_ptr<Picture> SlideShow::LoadPicture(const std::string& path) {
    try {
        return ports_.Pictures.Load(path);
    } catch (const std::exception&) {
        return nullptr;  // deleted meanwhile, damaged, still being written or too large to decode
    }
}

void SlideShow::PlacePicture(std::unique_ptr<Picture> picture) {
    const Resolution resolution = view_.DisplayResolution();
    const TwipSize inner = ToTwips(view_.InnerSize(), resolution);
    const std::int32_t gridHeight = settings_.ShowClock ? clockTop_ : inner.Height;
    const TwipSize cell = CellSizeOf(inner.Width, gridHeight, settings_.Columns, settings_.Rows);
    const TwipSize natural = PictureSizeInTwips(*picture);
    const TwipSize box = BoxOf(cell);
    const TwipSize shown = GetSize(natural.Width, natural.Height, box.Width, box.Height, settings_.Mode);
    const TwipRect place = PlaceInCell(cellIndex_, settings_.Columns, cell, shown);
    view_.ShowCellPicture(cellIndex_, std::move(picture), ToPixels(place, resolution));
}

void SlideShow::PlaceClock() {
    const Resolution resolution = view_.DisplayResolution();
    const std::string text = ports_.Clock.LongTimeText();
    const TwipSize inner = ToTwips(view_.InnerSize(), resolution);
    const TwipRect place = ClockPlace(inner, ToTwips(view_.MeasureClockText(text), resolution));
    // Measured at every tick, so a longer time text still ends 5 twips from the edge.
    clockTop_ = static_cast<std::int32_t>(place.Top);
    view_.SetClock(text, settings_.ClockColor, settings_.BackgroundColor, ToPixels(place, resolution));
}

}  // namespace qw
