// The thumbnail strip from the keyboard: its current file is the focused
// thumbnail, and the keys move it, open it, delete it or open its menu.

#include <algorithm>

#include "main/ThumbnailStrip.h"

namespace qw {

void ThumbnailStrip::SetCurrentFile(const std::string& path) {
    current_ = path;
    PushCurrentSlot();
}

int ThumbnailStrip::SlotOf(const std::string& path) const {
    const auto position = static_cast<int>(list_.PositionOf(path));
    if (path.empty() || position == 0 || position < firstVisible_ || position > VisibleEnd()) return 0;
    return position - firstVisible_ + 1;
}

void ThumbnailStrip::PushCurrentSlot() {
    if (!Drawing()) return;
    const int slot = SlotOf(current_);
    if (slot == shownCurrentSlot_) return;
    shownCurrentSlot_ = slot;
    view_.SetCurrentSlot(slot);
}

void ThumbnailStrip::OnKey(NavigationKey key) {
    const int count = NoOfFiles();
    if (count == 0) return;
    // A current file that is no longer listed counts as none.
    const int current = current_.empty() ? 0 : static_cast<int>(list_.PositionOf(current_));
    const auto raise = [&](const FileEvent& event) {
        if (current != 0) Raise(event, list_.At(static_cast<std::size_t>(current)).Path);
    };
    int target = current;
    switch (key) {
        case NavigationKey::Enter: raise(FileDblClick); return;
        case NavigationKey::Delete: raise(FileDeleteKey); return;
        case NavigationKey::ContextMenu: raise(FileMenuKey); return;
        // With no current file the arrows start at the first thumbnail on show.
        case NavigationKey::Left: target = current == 0 ? firstVisible_ : std::max(1, current - 1); break;
        case NavigationKey::Right: target = current == 0 ? firstVisible_ : std::min(count, current + 1); break;
        case NavigationKey::Home: target = 1; break;
        case NavigationKey::End: target = count; break;
        default: return;
    }
    if (target == current) return;
    // Scrolled as the scroll buttons scroll: just far enough to show it.
    if (target < firstVisible_)
        OnScroll(target - 1);
    else if (target > firstVisible_ + noOfThumbnails_ - 1)
        OnScroll(target - noOfThumbnails_);
    const std::string path = list_.At(static_cast<std::size_t>(target)).Path;
    SetCurrentFile(path);
    Raise(FileClick, path);
}

}  // namespace qw
