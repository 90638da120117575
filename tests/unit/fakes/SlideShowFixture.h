#pragma once
// A slide show on fakes: the screen-saver folder C:\App\screensaver, pictures
// sized in twips, a window of 9600 x 7200 twips whose timers tick on
// simulated time.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakePictures.h"
#include "fakes/FakeSaverPorts.h"
#include "fakes/FakeSlideShowView.h"
#include "saver/SlideShow.h"

namespace qw {

// The HIMETRIC size of a picture that is width x height twips.
inline HimetricSize HimetricOfTwips(std::int32_t width, std::int32_t height) {
    return {RoundHalfEven(width * 2540.0 / 1440.0), RoundHalfEven(height * 2540.0 / 1440.0)};
}

class SlideShowFixture : public ::testing::Test {
protected:
    static constexpr const char* Folder = "C:\\App\\screensaver";

    static std::string PathOf(const std::string& name) { return std::string(Folder) + "\\" + name; }

    // A picture file; its width tells the files apart in the cells.
    void AddPicture(const std::string& name, std::int32_t width = 0, std::int32_t height = 100) {
        if (width == 0) width = 100 + 10 * static_cast<std::int32_t>(byWidth_.size());
        files.AddFile(PathOf(name), "picture");
        const HimetricSize size = HimetricOfTwips(width, height);
        pictures.Add(PathOf(name), size);
        byWidth_[size.Width] = name;
    }

    // Creates the show, opens its window and gives it the focus.
    SlideShow& Started(SlideShowSettings settings = {}, std::string folder = Folder) {
        show = std::make_unique<SlideShow>(view, SlideShowPorts{files, pictures, clock}, settings,
                                           std::move(folder), [this] { ++endRequests; });
        view.onTick = [this](SlideShowTimer timer) { show->OnTimer(timer); };
        show->Opened();
        show->OnFocus();
        return *show;
    }

    static SlideShowSettings Grid(int columns, int rows, bool clockShown = false) {
        SlideShowSettings settings;
        settings.Columns = columns;
        settings.Rows = rows;
        settings.ShowClock = clockShown;
        return settings;
    }

    // The name of the file a cell shows, or "" for the background.
    std::string FileIn(int cell) const {
        const FakeCell& shown = view.Cell(cell);
        if (!shown.Shown) return "";
        return byWidth_.at(shown.Shown->NaturalSize().Width);
    }

    FakeFileSystem files;
    FakePictureLoader pictures;
    FakeClock clock;
    FakeSlideShowView view;
    std::unique_ptr<SlideShow> show;
    int endRequests = 0;

private:
    std::map<std::int64_t, std::string> byWidth_;  // HIMETRIC width -> file name
};

}  // namespace qw
