#pragma once
// The main window from the keyboard: Tab moves the focus between the task
// pane, the thumbnail strip and the strip's scroll buttons; in the pane the
// arrows move between the items that can be run and Enter runs one as a click
// does; the strip's own keys are the strip's (ThumbnailStrip::OnKey).

#include <functional>
#include <string>
#include <vector>

#include "main/Keyboard.h"
#include "main/MainView.h"
#include "main/ThumbnailStrip.h"

namespace qw {

// Where Tab (or Shift+Tab, `backwards`) goes from `from`. An empty strip and
// scroll buttons that cannot scroll are passed over; with neither, the
// focus stays in the pane.
FocusPlace NextFocusPlace(FocusPlace from, bool backwards, bool stripHasFiles, bool scrollButtonsEnabled);

// The item Up, Down, Home or End moves to from `focused` ("" for none) among
// `order`, skipping the items that `available` rejects; `focused` itself
// when there is none to move to, and for any other key.
std::string PaneItemAfter(const std::vector<std::string>& order,
                          const std::function<bool(const std::string&)>& available, const std::string& focused,
                          NavigationKey key);

class KeyboardNavigation {
public:
    // `runItem` runs a pane item exactly as its click does.
    KeyboardNavigation(MainView& view, ThumbnailStrip& strip, std::function<void(const std::string&)> runItem);

    // A key pressed where the focus is.
    void OnKey(FocusPlace where, NavigationKey key);
    // After the window was shown: the focus goes to the current thumbnail,
    // or to the pane when the strip is empty.
    void FocusAfterShow();

    const std::string& PaneFocus() const { return paneFocus_; }

private:
    void MoveTo(FocusPlace place);
    void FocusPaneItem(const std::string& key);
    // Whether a pane item can be run now, as the pane shows it.
    std::function<bool(const std::string&)> Available() const;

    MainView& view_;
    ThumbnailStrip& strip_;
    std::function<void(const std::string&)> runItem_;
    std::vector<std::string> paneOrder_;
    std::string paneFocus_;
};

}  // namespace qw
