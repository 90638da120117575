#include "main/KeyboardNavigation.h"

#include <algorithm>
#include <array>
#include <utility>

#include "main/TaskPane.h"

namespace qw {

FocusPlace NextFocusPlace(FocusPlace from, bool backwards, bool stripHasFiles, bool scrollButtonsEnabled) {
    static constexpr std::array ring{FocusPlace::Pane, FocusPlace::Strip, FocusPlace::ScrollButtons};
    const auto takes = [&](FocusPlace place) {
        if (place == FocusPlace::Strip) return stripHasFiles;
        if (place == FocusPlace::ScrollButtons) return scrollButtonsEnabled;
        return true;
    };
    const int count = static_cast<int>(ring.size());
    int at = static_cast<int>(std::find(ring.begin(), ring.end(), from) - ring.begin());
    for (int step = 0; step < count; ++step) {
        at = (at + (backwards ? count - 1 : 1)) % count;
        if (takes(ring[at])) return ring[at];
    }
    return from;
}

std::string PaneItemAfter(const std::vector<std::string>& order,
                          const std::function<bool(const std::string&)>& available, const std::string& focused,
                          NavigationKey key) {
    const auto firstFrom = [&](auto begin, auto end) {
        const auto found = std::find_if(begin, end, available);
        return found == end ? focused : *found;
    };
    const auto at = std::find(order.begin(), order.end(), focused);
    switch (key) {
        case NavigationKey::Home: return firstFrom(order.begin(), order.end());
        case NavigationKey::End: return firstFrom(order.rbegin(), order.rend());
        case NavigationKey::Down:
            // From no item, Down starts at the top.
            return firstFrom(at == order.end() ? order.begin() : std::next(at), order.end());
        case NavigationKey::Up:
            if (at == order.end()) return firstFrom(order.rbegin(), order.rend());
            return firstFrom(std::make_reverse_iterator(at), order.rend());
        default: return focused;
    }
}

KeyboardNavigation::KeyboardNavigation(MainView& view, ThumbnailStrip& strip,
                                       std::function<void(const std::string&)> runItem)
    : view_(view), strip_(strip), runItem_(std::move(runItem)) {
    for (const PaneBar& bar : PaneBars())
        for (const PaneItem& item : bar.Items) paneOrder_.push_back(item.Key);
}

void KeyboardNavigation::OnKey(FocusPlace where, NavigationKey key) {
    if (key == NavigationKey::Tab || key == NavigationKey::ShiftTab) {
        MoveTo(NextFocusPlace(where, key == NavigationKey::ShiftTab, strip_.NoOfFiles() > 0,
                              strip_.ScrollBar().Enabled));
        return;
    }
    if (where == FocusPlace::Strip) {
        strip_.OnKey(key);
        return;
    }
    if (where != FocusPlace::Pane) return;  // the scroll buttons answer their own keys
    if (key == NavigationKey::Enter || key == NavigationKey::Space) {
        // A grey item does nothing, as it does for a click.
        if (!paneFocus_.empty() && view_.PaneItemClickable(paneFocus_)) runItem_(paneFocus_);
        return;
    }
    FocusPaneItem(PaneItemAfter(paneOrder_, Available(), paneFocus_, key));
}

void KeyboardNavigation::FocusAfterShow() { MoveTo(strip_.NoOfFiles() > 0 ? FocusPlace::Strip : FocusPlace::Pane); }

void KeyboardNavigation::MoveTo(FocusPlace place) {
    // The pane is entered at the item left focused there, else at the first
    // one that can be run.
    if (place == FocusPlace::Pane && paneFocus_.empty())
        FocusPaneItem(PaneItemAfter(paneOrder_, Available(), "", NavigationKey::Home));
    view_.SetFocusPlace(place);
}

std::function<bool(const std::string&)> KeyboardNavigation::Available() const {
    return [this](const std::string& item) { return view_.PaneItemClickable(item); };
}

void KeyboardNavigation::FocusPaneItem(const std::string& key) {
    if (key == paneFocus_) return;
    paneFocus_ = key;
    view_.SetPaneFocusItem(key);
}

}  // namespace qw
