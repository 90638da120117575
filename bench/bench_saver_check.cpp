// The slide show's check for new files, run every 500 ms, against a folder of
// 10,000 listed files: the idle check, and a check that finds one arrival.
// Run with `make bench`.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BenchPorts.h"
#include "saver/SlideShow.h"

namespace {

class InstantLoader : public qw::PictureLoader {
public:
    std::unique_ptr<qw::Picture> Load(const std::string&) override { return std::make_unique<bench::SizedPicture>(); }
};

class FullScreen : public qw::SlideShowView {
public:
    long slides = 0;
    qw::PixelSize InnerSize() const override { return {1920, 1080}; }
    qw::Resolution DisplayResolution() const override { return {}; }
    void ShowCellPicture(int, std::shared_ptr<const qw::Picture>, qw::ScreenRect) override { ++slides; }
    void HideCell(int) override {}
    qw::PixelSize MeasureClockText(const std::string&) override { return {60, 16}; }
    void SetClock(const std::string&, std::uint32_t, std::uint32_t, qw::ScreenRect) override {}
    void StartTimer(qw::SlideShowTimer, unsigned) override {}
    void StopTimer(qw::SlideShowTimer) override {}
};

class FixedClock : public qw::Clock {
public:
    std::string LongTimeText() override { return "12:00:00"; }
};

qw::FileItem Photo(int number) {
    const std::string name = "IMG_" + std::to_string(number) + ".JPG";
    return {"C:\\App\\screensaver\\" + name, name, 2000000, "JPEG image"};
}

}  // namespace

int main() {
    using Clock = std::chrono::steady_clock;
    bench::ListedFolder folder;
    for (int i = 0; i < 10000; ++i) folder.files.push_back(Photo(i));
    InstantLoader pictures;
    FixedClock clock;
    FullScreen view;
    qw::SlideShowSettings settings;
    settings.Columns = 3;
    settings.Rows = 3;
    qw::SlideShow show(view, {folder, pictures, clock}, settings, "C:\\App\\screensaver", nullptr);
    show.SetUp();

    // The best of several rounds: the machine is shared, and the best round is
    // the one least disturbed by others.
    const auto bestOf = [](auto&& body) {
        double best = 1e300;
        for (int round = 0; round < 10; ++round) {
            const auto start = Clock::now();
            for (int i = 0; i < 20; ++i) body();
            best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count() / 20);
        }
        return best;
    };
    const double listing = bestOf([&] { (void)folder.ListFiles("C:\\App\\screensaver").size(); });
    const double idle = bestOf([&] { show.CheckFolder(); });
    const long slidesBefore = view.slides;
    int arrivals = 0;
    const double arrival = bestOf([&] {
        folder.files.push_back(Photo(10000 + arrivals++));
        show.CheckFolder();
    });

    std::printf("check for new files, 10000 files listed: %.3f ms per idle check, %.3f ms per check with an "
                "arrival, of which %.3f ms is copying the folder's listing (target: well under 5 ms)\n",
                idle, arrival, listing);
    // Every arrival was listed in front and shown at once; nothing else was.
    const bool right = view.slides - slidesBefore == arrivals &&
                       show.Files().Count() == 10000u + static_cast<unsigned>(arrivals) &&
                       show.Files().At(1) == Photo(10000 + arrivals - 1).Path;
    return right ? 0 : 1;
}
