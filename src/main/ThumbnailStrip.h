#pragma once
// The thumbnail strip (ctlThumbnailView): a list of files shown as one row of
// up to six thumbnails with a scroll bar under it. Image files are shown as
// their own pictures, reduced to fit their cell; other files as an icon
// chosen by extension. The strip keeps no selection: clicks are passed on as
// events carrying the file's path, and the main window decides what they mean.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

#include "main/FileList.h"
#include "main/Keyboard.h"
#include "main/ThumbnailView.h"
#include "shared/FileSystem.h"
#include "shared/PictureFitting.h"
#include "shared/Pictures.h"
#include "shared/Scale.h"

namespace qw {

// ---- Geometry of the strip, in pixels of its client area at 96 dpi; on a
// screen of another resolution every length is scaled (shared/Scale.h). The
// frames and the scroll bar never move, so the control places them itself.
inline constexpr int SlotCount = 6;
inline constexpr int CellWidth = 120;
inline constexpr int CellHeight = 90;
inline constexpr int SlotPitch = 136;
inline constexpr int CellInset = 10;   // the first cell's distance from the left and top edges
inline constexpr int FrameMargin = 4;  // a frame lies this far outside its cell
inline constexpr int IconSize = 32;
// The scroll bar spans the whole client width, 10 below the frames.
inline constexpr int ScrollBarTop = CellInset - FrameMargin + CellHeight + 2 * FrameMargin + 10;
inline constexpr int ScrollBarHeight = 17;
// The height at which the strip shows everything.
inline constexpr int StripHeight = ScrollBarTop + ScrollBarHeight;

// The largest area a thumbnail of slot 1..6 may take. Cells step by the
// scaled pitch, so every cell has the same size and the same gaps.
SlotRect CellOf(int slot, Scale scale);
// The frame drawn around the cell of the slot.
SlotRect FrameOf(int slot, Scale scale);
// The scroll bar's top and height; it ends at the strip's scaled height.
int ScrollBarTopAt(Scale scale);
int ScrollBarHeightAt(Scale scale);

// Positions in the list are 16-bit, as in the rest of the program's lists.
inline constexpr std::size_t MaxThumbnailFiles = 32767;

// Adding to a strip that already holds MaxThumbnailFiles files.
class ListFullError : public std::length_error {
public:
    using std::length_error::length_error;
};

// Slots in use for a client width: (width - 10) / 128, at least 1, at most 6,
// each length scaled.
int CalcNoOfThumbnails(int clientWidth, Scale scale);
// The icon entry (1 to 9) for a file not shown as its own picture, by extension.
int IconEntryFor(std::string_view path);
// Where a thumbnail of `size` goes in the slot: centred in the cell.
SlotRect PlaceInCell(int slot, PixelSize size, Scale scale);
// "name (type, size bytes)".
std::string ToolTipOf(const FileItem& file);

// The scroll bar as the strip holds it. The minimum is always 0 and one unit
// of the value is one list position: value 0 shows the front of the list.
struct ScrollBarState {
    bool Enabled = false;
    int Maximum = 0;
    int Value = 0;
    bool operator==(const ScrollBarState&) const = default;
};

class ThumbnailStrip {
public:
    using FileEvent = std::function<void(const std::string& path)>;

    // The view is used at once: the slots are hidden, the scroll bar placed and
    // disabled, and the slot count taken from its client width. `resolution`
    // gives the display's resolution whenever a picture is measured.
    ThumbnailStrip(ThumbnailView& view, FileSystem& files, PictureLoader& pictures,
                   std::function<Resolution()> resolution);
    ThumbnailStrip(ThumbnailView& view, FileSystem& files, PictureLoader& pictures,
                   Resolution resolution = {});

    ThumbnailStrip(const ThumbnailStrip&) = delete;
    ThumbnailStrip& operator=(const ThumbnailStrip&) = delete;

    // Lists the file at the front and shows the front of the list. Throws, changing
    // nothing, when the file is missing (the file system's error), already listed
    // in any letter case (DuplicateKeyError) or the list is full (ListFullError).
    void AddFile(const std::string& path);
    // The same for a file just listed, which is not read again.
    void AddFile(const FileItem& file);
    // Removes the file and redraws from the same first position; the scroll bar
    // is left as it is until the next addition, scroll or resize. Throws
    // MissingKeyError, changing nothing, when the path is not listed.
    void DeleteFile(const std::string& path);
    // Empties the list and hides every slot; positions and scroll bar stay.
    void DeleteAllFiles();
    int NoOfFiles() const { return static_cast<int>(list_.Count()); }

    // ---- From the control.
    // The user moved the scroll bar to `value` (held to the bar's range).
    void OnScroll(int value);
    // The control's width changed; its client width is read from the view.
    void OnResize();
    // The display's resolution changed (the window moved to a monitor of
    // another scale): every slot is drawn again at the new size, from the
    // same first visible file.
    void OnScaleChanged();
    void OnSlotClick(int slot);
    void OnSlotRightButtonUp(int slot);
    void OnSlotDoubleClick(int slot);

    // Raised with the full path of the file under the slot.
    FileEvent FileClick;
    FileEvent FileRightClick;
    FileEvent FileDblClick;

    // ---- From the keyboard (ThumbnailStripKeys.cpp). The strip's current
    // file has its focus: Left, Right, Home and End move to another file,
    // scrolling as the scroll buttons do, and raise FileClick for it; Enter
    // raises FileDblClick, Delete FileDeleteKey and the menu keys FileMenuKey
    // for the current file.
    void OnKey(NavigationKey key);
    FileEvent FileDeleteKey;
    FileEvent FileMenuKey;
    // The file the main window made current ("" for none); clicks make their
    // file current too.
    void SetCurrentFile(const std::string& path);
    const std::string& CurrentFile() const { return current_; }
    // The slot showing the file, 0 when it is not on show.
    int SlotOf(const std::string& path) const;

    // ---- Batches. Between BeginBatch and EndBatch the list, the positions and
    // the scroll bar change exactly as they would, but no picture is loaded and
    // neither the slots nor the scroll bar are drawn; the outermost EndBatch
    // draws them once. Filling the strip with a whole folder thus loads at most
    // six pictures.
    void BeginBatch();
    void EndBatch();
    class Batch {
    public:
        explicit Batch(ThumbnailStrip& strip) : strip_(strip) { strip_.BeginBatch(); }
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        ThumbnailStrip& strip_;
    };

    // ---- State.
    int FirstVisible() const { return firstVisible_; }
    int LastVisible() const { return lastVisible_; }
    int NoOfThumbnails() const { return noOfThumbnails_; }
    const ScrollBarState& ScrollBar() const { return scrollBar_; }
    const FileList& Files() const { return list_; }
    // The picture of a file on show, loaded for its thumbnail; null when the
    // file is not on show or its picture did not load. Whoever else shows the
    // file uses it instead of reading the file again.
    std::shared_ptr<const Picture> PictureOnShow(const std::string& path) const;

private:
    void ArrangeThumbnails();
    void ShowThumbnail(int position, int slot);
    void HideThumbnail(int slot);
    void RefreshThumbnails();
    void UpdateScrollBar();
    void ScrollBarChanged();
    int VisibleEnd() const;
    Scale CurrentScale() const { return Scale::Of(resolution_()); }
    bool Drawing() const { return batchDepth_ == 0; }

    void SetScrollBarMaximum(int maximum);
    void SetScrollBarValue(int value);
    void PushScrollBar();

    // Forgets the pictures of files no longer on show.
    void KeepPicturesOnShow();

    // The file at the slot, or nothing when the slot is beyond the list.
    std::optional<std::string> PathAtSlot(int slot) const;
    static void Raise(const FileEvent& event, const std::optional<std::string>& path);
    std::optional<std::string> Used(std::optional<std::string> path);

    ThumbnailView& view_;
    FileSystem& fileSystem_;
    PictureLoader& pictures_;
    std::function<Resolution()> resolution_;

    FileList list_{KeyMatch::IgnoreCase};
    int firstVisible_ = 1;
    int lastVisible_ = 1;
    int noOfThumbnails_ = 1;
    ScrollBarState scrollBar_;
    std::optional<ScrollBarState> shownScrollBar_;  // what the view was last told
    // The pictures of the files on show, by path. Every arrival moves the row
    // one slot on; keeping them means only the new file is loaded, not six.
    std::unordered_map<std::string, std::shared_ptr<const Picture>> onShow_;
    int batchDepth_ = 0;
    std::string current_;
    int shownCurrentSlot_ = -1;  // what the view was last told

    void PushCurrentSlot();
};

}  // namespace qw
