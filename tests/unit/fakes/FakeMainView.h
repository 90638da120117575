#pragma once
// A main window that records what the presenter asks of it.

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "main/MainView.h"

namespace qw {

class FakeMainView : public MainView {
public:
    struct PaneItemState {
        std::string Bar;
        std::string Caption;
        int Icon = 0;
        bool Clickable = true;
        std::uint32_t Color = DefaultItemColor;
    };
    static constexpr std::uint32_t DefaultItemColor = 0xC65D21;

    std::vector<std::string> calls;  // in order, e.g. "route icon", "tray Quillwave!", "hide"
    bool visible = false;
    std::string caption;
    std::string statusText;
    bool statusVisible = true;
    unsigned timerInterval = 0;

    int clientWidth = 672, clientHeight = 515;
    int stripWidth = 452, paneHeight = 515;
    PixelSize fileInfoSize{432, 364}, infoSize{432, 364};
    std::shared_ptr<const Picture> previewPicture;
    PixelSize previewSize;
    bool previewVisible = false;
    std::string fileInfoText;
    bool fileInfoVisible = false;

    std::vector<std::string> paneBars;
    std::vector<std::string> paneOrder;  // item keys in the order added
    std::map<std::string, PaneItemState> pane;
    int paneRedrawsOff = 0;
    bool paneRedraw = true;
    int paneChangesWhileRedrawOn = 0;

    std::vector<Menu> poppedUp;
    std::vector<bool> poppedUpFromIcon;
    Command nextChoice = Command::None;  // what the user picks from the next menu
    std::function<void()> whileMenuOpen;  // runs once, before the choice comes back

    const PaneItemState& Item(const std::string& key) const { return pane.at(key); }

    WindowId Id() const override { return 1; }
    void RouteTrayIcon() override { calls.push_back("route icon"); }
    void AddTrayIcon(const std::string& tip) override { calls.push_back("tray " + tip); }
    void RemoveTrayIcon() override { calls.push_back("untray"); }
    void ShowTrayNotice(const std::string& title, const std::string& text) override {
        notices.push_back(title + ": " + text);
    }
    std::vector<std::string> notices;
    void Show() override {
        visible = true;
        calls.push_back("show");
    }
    void Hide() override {
        visible = false;
        calls.push_back("hide");
    }
    void SetCaption(const std::string& text) override { caption = text; }
    void SetStatusText(const std::string& text) override { statusText = text; }
    void SetStatusVisible(bool v) override { statusVisible = v; }
    void StartWatcherTimer(unsigned milliseconds) override {
        timerInterval = milliseconds;
        calls.push_back("timer " + std::to_string(milliseconds));
    }

    int ClientWidth() const override { return clientWidth; }
    int ClientHeight() const override { return clientHeight; }
    void SetStripWidth(int width) override { stripWidth = width; }
    void SetPaneHeight(int height) override { paneHeight = height; }
    void SetLabelSizes(PixelSize fileInfo, PixelSize info) override {
        fileInfoSize = fileInfo;
        infoSize = info;
    }
    void SetPreviewPicture(std::shared_ptr<const Picture> picture) override { previewPicture = picture; }
    void SetPreviewSize(PixelSize size) override { previewSize = size; }
    void SetPreviewVisible(bool v) override { previewVisible = v; }
    void SetFileInfoText(const std::string& text) override { fileInfoText = text; }
    void SetFileInfoVisible(bool v) override { fileInfoVisible = v; }

    void AddPaneBar(const std::string& key, const std::string&) override { paneBars.push_back(key); }
    void AddPaneItem(const std::string& bar, const std::string& key, const std::string& text, int icon) override {
        if (pane.count(key)) throw std::invalid_argument("duplicate item " + key);
        pane[key] = {bar, text, icon, true, DefaultItemColor};
        paneOrder.push_back(key);
    }
    std::uint32_t PaneItemTextColor(const std::string& key) const override { return pane.at(key).Color; }
    void SetPaneItemClickable(const std::string& key, bool clickable) override {
        Changed();
        pane.at(key).Clickable = clickable;
    }
    void SetPaneItemTextColor(const std::string& key, std::uint32_t color) override {
        Changed();
        pane.at(key).Color = color;
    }
    void SetPaneRedraw(bool on) override {
        if (!on) ++paneRedrawsOff;
        paneRedraw = on;
    }

    bool PaneItemClickable(const std::string& key) const override { return pane.at(key).Clickable; }
    std::string paneFocus;
    std::vector<FocusPlace> focusMoves;
    void SetPaneFocusItem(const std::string& key) override { paneFocus = key; }
    void SetFocusPlace(FocusPlace place) override { focusMoves.push_back(place); }
    std::vector<int> menuSlots;  // the thumbnail each keyboard menu opened at
    Command PopUpMenuAtThumbnail(const Menu& menu, int slot) override {
        menuSlots.push_back(slot);
        return PopUpMenu(menu, false);
    }
    Command PopUpMenu(const Menu& menu, bool fromIcon) override {
        poppedUp.push_back(menu);
        poppedUpFromIcon.push_back(fromIcon);
        calls.push_back("menu");
        if (whileMenuOpen) std::exchange(whileMenuOpen, nullptr)();
        return nextChoice;
    }
    void Unload() override { calls.push_back("unload"); }

private:
    void Changed() {
        if (paneRedraw) ++paneChangesWhileRedrawOn;
    }
};

}  // namespace qw
