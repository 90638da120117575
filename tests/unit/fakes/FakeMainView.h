#pragma once
// A main window that records what the presenter asks of it.

#include <string>
#include <vector>

#include "main/MainView.h"

namespace qw {

class FakeMainView : public MainView {
public:
    std::vector<std::string> calls;  // in order, e.g. "hook", "tray Quillwave!", "hide"
    bool visible = false;
    std::string caption;
    std::string statusText;
    bool statusVisible = true;
    unsigned timerInterval = 0;
    std::vector<Menu> poppedUp;
    Command nextChoice = Command::None;  // what the user picks from the next menu

    WindowId Handle() const override { return 1; }
    void HookWindow() override { calls.push_back("hook"); }
    void AddTrayIcon(const std::string& tip) override { calls.push_back("tray " + tip); }
    void RemoveTrayIcon() override { calls.push_back("untray"); }
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
    Command PopUpMenu(const Menu& menu) override {
        poppedUp.push_back(menu);
        calls.push_back("menu");
        return nextChoice;
    }
    void Unload() override { calls.push_back("unload"); }
};

}  // namespace qw
