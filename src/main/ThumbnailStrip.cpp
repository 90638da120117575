#include "main/ThumbnailStrip.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "main/FromOutside.h"
#include "shared/Paths.h"
#include "shared/Text.h"

namespace qw {

namespace {

constexpr int PlainDocumentIcon = 1;

// Half of the room left in the cell; an odd room puts the picture on a whole
// pixel by the program's one rounding rule.
int CentringOffset(int room) {
    return room > 0 ? static_cast<int>(RoundHalfEven(room / 2.0)) : 0;
}

}  // namespace

SlotRect CellOf(int slot, Scale scale) {
    return {(slot - 1) * scale(SlotPitch) + scale(CellInset), scale(CellInset), scale(CellWidth), scale(CellHeight)};
}

SlotRect FrameOf(int slot, Scale scale) {
    const SlotRect cell = CellOf(slot, scale);
    const int margin = scale(FrameMargin);
    return {cell.Left - margin, cell.Top - margin, cell.Width + 2 * margin, cell.Height + 2 * margin};
}

int ScrollBarTopAt(Scale scale) { return scale(ScrollBarTop); }

int ScrollBarHeightAt(Scale scale) {
    // Ends exactly at the strip's height on the main window, scaled the same way.
    return scale(StripHeight) - ScrollBarTopAt(scale);
}

int CalcNoOfThumbnails(int clientWidth, Scale scale) {
    // The divisor is a frame's width, not the pitch, so the last slot in use
    // may be cut off at the right edge.
    const auto w = RoundHalfEven(static_cast<double>(clientWidth) - scale(10));
    const auto n = w / scale(128);  // truncated toward zero
    return static_cast<int>(std::clamp<std::int64_t>(n, 1, SlotCount));
}

int IconEntryFor(std::string_view path) {
    const std::string ext = FileExt(path);
    if (ext == "pdf") return 2;
    if (ext == "ppt") return 3;
    if (ext == "txt") return 4;
    if (ext == "vcf") return 6;
    if (ext == "doc") return 8;
    if (ext == "xls") return 9;
    return PlainDocumentIcon;
}

SlotRect PlaceInCell(int slot, PixelSize size, Scale scale) {
    const SlotRect cell = CellOf(slot, scale);
    return {cell.Left + CentringOffset(cell.Width - size.Width), cell.Top + CentringOffset(cell.Height - size.Height),
            size.Width, size.Height};
}

std::string ToolTipOf(const FileItem& file) {
    return ShownName(file.Name) + " (" + file.Type + ", " + std::to_string(file.Size) + " bytes)";
}

// ---- Construction: the control's initialisation, in its order.

ThumbnailStrip::ThumbnailStrip(ThumbnailView& view, FileSystem& files, PictureLoader& pictures,
                               std::function<Resolution()> resolution)
    : view_(view), fileSystem_(files), pictures_(pictures), resolution_(std::move(resolution)) {
    ArrangeThumbnails();
    firstVisible_ = 1;
    lastVisible_ = 1;
    noOfThumbnails_ = CalcNoOfThumbnails(view_.ClientWidth(), CurrentScale());
    UpdateScrollBar();
}

ThumbnailStrip::ThumbnailStrip(ThumbnailView& view, FileSystem& files, PictureLoader& pictures,
                               Resolution resolution)
    : ThumbnailStrip(view, files, pictures, [resolution] { return resolution; }) {}

void ThumbnailStrip::ArrangeThumbnails() {
    for (int s = 1; s <= SlotCount; ++s) view_.HideSlot(s);
    view_.SetScrollBarWidth(view_.ClientWidth());
}

// ---- The list.

void ThumbnailStrip::AddFile(const std::string& path) {
    if (list_.Count() >= MaxThumbnailFiles)
        throw ListFullError("the thumbnail list is full (" + std::to_string(MaxThumbnailFiles) +
                            " files); cannot add " + path);
    AddFile(fileSystem_.GetFile(path));
}

void ThumbnailStrip::AddFile(const FileItem& file) {
    if (list_.Count() >= MaxThumbnailFiles)
        throw ListFullError("the thumbnail list is full (" + std::to_string(MaxThumbnailFiles) +
                            " files); cannot add " + file.Path);
    // May throw; nothing has changed by then.
    list_.InsertFront(file);

    const int count = NoOfFiles();
    firstVisible_ = 1;
    if (Drawing()) {
        for (int s = 1; s <= noOfThumbnails_; ++s) {
            if (s <= count)
                ShowThumbnail(s, s);
            else
                HideThumbnail(s);
        }
        KeepPicturesOnShow();
        PushCurrentSlot();
    }
    lastVisible_ = std::min(noOfThumbnails_, count);
    UpdateScrollBar();
}

void ThumbnailStrip::DeleteFile(const std::string& path) {
    list_.Remove(path);
    RefreshThumbnails();
}

void ThumbnailStrip::DeleteAllFiles() {
    list_.Clear();
    // A folder shown again is read afresh, in case its files changed meanwhile.
    onShow_.clear();
    RefreshThumbnails();
}

// ---- Drawing.

void ThumbnailStrip::ShowThumbnail(int position, int slot) {
    const FileItem& file = list_.At(static_cast<std::size_t>(position));
    const std::string tip = ToolTipOf(file);
    const Scale scale = CurrentScale();
    const SlotRect cell = CellOf(slot, scale);
    int icon = IconEntryFor(file.Path);
    if (IsImageFile(file.Path)) {
        std::shared_ptr<const Picture> picture;
        try {
            auto known = onShow_.find(file.Path);
            if (known != onShow_.end())
                picture = known->second;
            else
                picture = onShow_[file.Path] = pictures_.Load(file.Path);
        } catch (const PictureError&) {
            // A damaged, truncated or oversized image is still a listed file:
            // it is shown as a plain document rather than failing the redraw.
            icon = PlainDocumentIcon;
        }
        if (picture) {
            const PixelSize size =
                GetSize(picture.get(), scale.AsResolution(), cell.Width, cell.Height, FitMode::ShrinkOnly);
            view_.ShowPicture(slot, std::move(picture), PlaceInCell(slot, size, scale), tip);
            view_.SetSlotName(slot, ShownName(file.Name));
            return;
        }
    }
    const PixelSize size = GetSize(scale(IconSize), scale(IconSize), cell.Width, cell.Height, FitMode::ShrinkOnly);
    view_.ShowIcon(slot, icon, PlaceInCell(slot, size, scale), tip);
    view_.SetSlotName(slot, ShownName(file.Name));
}

std::shared_ptr<const Picture> ThumbnailStrip::PictureOnShow(const std::string& path) const {
    const auto known = onShow_.find(path);
    return known == onShow_.end() ? nullptr : known->second;
}

void ThumbnailStrip::HideThumbnail(int slot) { view_.HideSlot(slot); }

void ThumbnailStrip::RefreshThumbnails() {
    if (!Drawing()) return;
    for (int s = 1; s <= noOfThumbnails_; ++s) {
        const int position = firstVisible_ + s - 1;
        if (position > NoOfFiles())
            HideThumbnail(s);
        else
            ShowThumbnail(position, s);
    }
    for (int s = noOfThumbnails_ + 1; s <= SlotCount; ++s) HideThumbnail(s);
    KeepPicturesOnShow();
    PushCurrentSlot();
}

void ThumbnailStrip::KeepPicturesOnShow() {
    const int last = VisibleEnd();
    for (auto it = onShow_.begin(); it != onShow_.end();) {
        const std::size_t position = list_.PositionOf(it->first);
        const bool shown = position >= static_cast<std::size_t>(firstVisible_) &&
                           position <= static_cast<std::size_t>(last) && position != 0;
        it = shown ? std::next(it) : onShow_.erase(it);
    }
}

int ThumbnailStrip::VisibleEnd() const {
    return std::min(firstVisible_ + noOfThumbnails_ - 1, NoOfFiles());
}

// ---- The scroll bar.
//
// Setting the value raises the change handler like a user scroll, and so does
// a maximum that forces the value down. The handler recomputes the maximum and
// value from the position it has just taken, which always leaves the value
// inside the range (the maximum is never below FirstVisible - 1), so the
// nested calls end after at most two levels.

void ThumbnailStrip::UpdateScrollBar() {
    const int count = NoOfFiles();
    if (count == 0 || (lastVisible_ == count && firstVisible_ == 1)) {
        // Maximum and value are left as they are.
        scrollBar_.Enabled = false;
        PushScrollBar();
        return;
    }
    // Both are taken before the maximum is set, since that may move the view.
    const int maximum = count - lastVisible_ + firstVisible_ - 1;
    const int value = firstVisible_ - 1;
    scrollBar_.Enabled = true;
    SetScrollBarMaximum(maximum);
    SetScrollBarValue(value);
}

void ThumbnailStrip::SetScrollBarMaximum(int maximum) {
    scrollBar_.Maximum = maximum;
    const bool valueForced = scrollBar_.Value > maximum;
    if (valueForced) scrollBar_.Value = maximum;
    PushScrollBar();
    if (valueForced) ScrollBarChanged();
}

void ThumbnailStrip::SetScrollBarValue(int value) {
    if (value == scrollBar_.Value) return;
    scrollBar_.Value = value;
    PushScrollBar();
    ScrollBarChanged();
}

void ThumbnailStrip::ScrollBarChanged() {
    firstVisible_ = scrollBar_.Value + 1;
    lastVisible_ = VisibleEnd();
    RefreshThumbnails();
    UpdateScrollBar();
}

void ThumbnailStrip::PushScrollBar() {
    if (!Drawing() || shownScrollBar_ == scrollBar_) return;
    view_.SetScrollBar(scrollBar_.Enabled, scrollBar_.Maximum, scrollBar_.Value);
    shownScrollBar_ = scrollBar_;
}

void ThumbnailStrip::OnScroll(int value) {
    // A disabled bar cannot be moved; a report from one is out of step.
    if (!scrollBar_.Enabled) return;
    SetScrollBarValue(std::clamp(value, 0, scrollBar_.Maximum));
}

// ---- Width.

void ThumbnailStrip::OnResize() {
    const int clientWidth = view_.ClientWidth();
    const int oldCount = noOfThumbnails_;
    noOfThumbnails_ = CalcNoOfThumbnails(clientWidth, CurrentScale());
    if (!list_.Empty() && noOfThumbnails_ != oldCount) {
        // More slots than files: the whole list fits, so show it from the front.
        if (noOfThumbnails_ > oldCount && noOfThumbnails_ > NoOfFiles()) firstVisible_ = 1;
        lastVisible_ = VisibleEnd();
        RefreshThumbnails();
        UpdateScrollBar();
    }
    view_.SetScrollBarWidth(clientWidth);
}

void ThumbnailStrip::OnScaleChanged() {
    // Unlike a change of width, every slot changes size, so all are drawn
    // again; the first visible file stays where the user left it.
    noOfThumbnails_ = CalcNoOfThumbnails(view_.ClientWidth(), CurrentScale());
    lastVisible_ = VisibleEnd();
    RefreshThumbnails();
    if (!list_.Empty()) UpdateScrollBar();
    view_.SetScrollBarWidth(view_.ClientWidth());
}

// ---- Mouse.

std::optional<std::string> ThumbnailStrip::PathAtSlot(int slot) const {
    // Only shown slots take clicks; anything else comes from a view out of step.
    if (slot < 1 || slot > noOfThumbnails_) return std::nullopt;
    const int position = firstVisible_ + slot - 1;
    if (position > NoOfFiles()) return std::nullopt;
    return list_.At(static_cast<std::size_t>(position)).Path;
}

void ThumbnailStrip::Raise(const FileEvent& event, const std::optional<std::string>& path) {
    if (path && event) event(*path);
}

// A file used with the mouse becomes current before the main window hears of it.
void ThumbnailStrip::OnSlotClick(int slot) { Raise(FileClick, Used(PathAtSlot(slot))); }
void ThumbnailStrip::OnSlotRightButtonUp(int slot) { Raise(FileRightClick, Used(PathAtSlot(slot))); }
void ThumbnailStrip::OnSlotDoubleClick(int slot) { Raise(FileDblClick, Used(PathAtSlot(slot))); }

std::optional<std::string> ThumbnailStrip::Used(std::optional<std::string> path) {
    if (path) SetCurrentFile(*path);
    return path;
}

// ---- Batches.

void ThumbnailStrip::BeginBatch() { ++batchDepth_; }

void ThumbnailStrip::EndBatch() {
    if (batchDepth_ == 0) throw std::logic_error("EndBatch without BeginBatch");
    if (--batchDepth_ != 0) return;
    RefreshThumbnails();
    PushScrollBar();
}

ThumbnailStrip::Batch::~Batch() {
    try {
        strip_.EndBatch();
    } catch (...) {
        // A destructor cannot report; the strip is out of the batch and its
        // model is sound, so the next redraw shows it right.
    }
}

}  // namespace qw
