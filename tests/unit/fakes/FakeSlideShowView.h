#pragma once
// A slide-show window that keeps what each cell and the clock show, and runs
// its timers on a simulated clock so tests can let time pass.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "saver/SlideShowView.h"

namespace qw {

struct FakeCell {
    std::shared_ptr<const qw::Picture> Shown;  // null while the cell shows the background
    ScreenRect Rect{};
};

struct FakeClockLabel {
    bool Shown = false;
    std::string Text;
    std::uint32_t TextColor = 0;
    std::uint32_t BackColor = 0;
    ScreenRect Rect{};
};

class FakeSlideShowView : public SlideShowView {
public:
    // 1440 dots per inch: one pixel per twip, so rectangles read in twips.
    Resolution resolution{1440, 1440};
    PixelSize inner{9600, 7200};
    // Each character of the clock text is this wide; the text this high.
    int clockCharWidth = 120;
    int clockHeight = 240;

    std::map<int, FakeCell> cells;
    FakeClockLabel clock;
    std::vector<std::string> calls;  // "show 2", "hide 1", "start Image 10000", "stop Image", "clock 12:00:00"
    std::map<SlideShowTimer, unsigned> running;  // timer -> interval
    // Where a timer's tick is delivered (the window forwarding to its presenter).
    std::function<void(SlideShowTimer)> onTick;

    const FakeCell& Cell(int cell) const {
        const auto it = cells.find(cell);
        if (it == cells.end()) throw std::out_of_range("cell " + std::to_string(cell) + " never drawn");
        return it->second;
    }

    // Lets `milliseconds` pass, delivering every tick that falls due in time order.
    void Advance(std::uint64_t milliseconds) {
        const std::uint64_t until = now_ + milliseconds;
        for (;;) {
            SlideShowTimer next{};
            std::uint64_t due = until + 1;
            for (const auto& [timer, at] : due_) {
                if (at < due) {
                    due = at;
                    next = timer;
                }
            }
            if (due > until) break;
            now_ = due;
            due_[next] = now_ + running.at(next);
            if (onTick) onTick(next);
        }
        now_ = until;
    }

    PixelSize InnerSize() const override { return inner; }
    Resolution DisplayResolution() const override { return resolution; }
    void ShowCellPicture(int cell, std::shared_ptr<const Picture> picture, ScreenRect rect) override {
        if (!picture) throw std::invalid_argument("no picture");
        cells[Checked(cell)] = {std::move(picture), rect};
        calls.push_back("show " + std::to_string(cell));
    }
    void HideCell(int cell) override {
        cells[Checked(cell)] = {};
        calls.push_back("hide " + std::to_string(cell));
    }
    PixelSize MeasureClockText(const std::string& text) override {
        return {static_cast<std::int32_t>(text.size()) * clockCharWidth, clockHeight};
    }
    void SetClock(const std::string& text, std::uint32_t textColor, std::uint32_t backColor,
                  ScreenRect rect) override {
        clock = {true, text, textColor, backColor, rect};
        calls.push_back("clock " + text);
    }
    void StartTimer(SlideShowTimer timer, unsigned milliseconds) override {
        if (milliseconds == 0) throw std::invalid_argument("a timer of 0 ms");
        running[timer] = milliseconds;
        due_[timer] = now_ + milliseconds;
        calls.push_back("start " + Name(timer) + " " + std::to_string(milliseconds));
    }
    void StopTimer(SlideShowTimer timer) override {
        running.erase(timer);
        due_.erase(timer);
        calls.push_back("stop " + Name(timer));
    }

    static std::string Name(SlideShowTimer timer) {
        switch (timer) {
        case SlideShowTimer::Image: return "Image";
        case SlideShowTimer::CheckFolder: return "CheckFolder";
        case SlideShowTimer::Clock: return "Clock";
        case SlideShowTimer::ResetMouseCounter: return "ResetMouseCounter";
        }
        return "?";
    }

private:
    static int Checked(int cell) {
        if (cell < 1 || cell > 2500) throw std::out_of_range("cell " + std::to_string(cell));
        return cell;
    }

    std::uint64_t now_ = 0;
    std::map<SlideShowTimer, std::uint64_t> due_;
};

}  // namespace qw
