#pragma once
// A slide-show window that keeps what each cell and the clock show and runs
// its timers on simulated time. At 1440 dots per inch a pixel is a twip, so
// its rectangles read in twips.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "saver/SlideShowView.h"

namespace qw {

class FakeSlideShowView : public SlideShowView {
public:
    struct Cell {
        std::shared_ptr<const Picture> Shown;  // null: the background
        ScreenRect Rect{};
    };
    PixelSize inner{9600, 7200};
    std::map<int, Cell> cells;
    std::string clock;  // "text colour/back", empty until shown
    ScreenRect clockRect{};
    std::map<SlideShowTimer, unsigned> running;  // timer -> interval
    int calls = 0;
    std::function<void(SlideShowTimer)> onTick;

    // Lets time pass, delivering every tick that falls due, in time order.
    void Advance(std::uint64_t milliseconds) {
        const std::uint64_t until = now_ + milliseconds;
        for (;;) {
            auto next = due_.begin();
            for (auto it = due_.begin(); it != due_.end(); ++it)
                if (it->second < next->second) next = it;
            if (next == due_.end() || next->second > until) break;
            now_ = next->second;
            next->second = now_ + running.at(next->first);
            onTick(next->first);
        }
        now_ = until;
    }

    PixelSize InnerSize() const override { return inner; }
    Resolution DisplayResolution() const override { return {1440, 1440}; }
    void ShowCellPicture(int cell, std::shared_ptr<const Picture> picture, ScreenRect rect) override {
        if (!picture) throw std::invalid_argument("no picture");
        cells[Checked(cell)] = {std::move(picture), rect};
    }
    void HideCell(int cell) override { cells[Checked(cell)] = {}; }
    // 120 twips a character, 240 high.
    PixelSize MeasureClockText(const std::string& text) override {
        return {static_cast<std::int32_t>(text.size()) * 120, 240};
    }
    void SetClock(const std::string& text, std::uint32_t textColor, std::uint32_t backColor, ScreenRect rect) override {
        clock = text + " " + std::to_string(textColor) + "/" + std::to_string(backColor);
        clockRect = rect;
        ++calls;
    }
    void StartTimer(SlideShowTimer timer, unsigned milliseconds) override {
        if (milliseconds == 0) throw std::invalid_argument("a timer of 0 ms");
        running[timer] = milliseconds;
        due_[timer] = now_ + milliseconds;
        ++calls;
    }
    void StopTimer(SlideShowTimer timer) override {
        running.erase(timer);
        due_.erase(timer);
        ++calls;
    }

private:
    int Checked(int cell) {
        if (cell < 1) throw std::out_of_range("cell " + std::to_string(cell));
        ++calls;
        return cell;
    }

    std::uint64_t now_ = 0;
    std::map<SlideShowTimer, std::uint64_t> due_;
};

}  // namespace qw
