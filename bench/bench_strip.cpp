// Filling the thumbnail strip with a whole folder, as start-up and the view
// switch do: the number of pictures loaded and the time taken.

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BenchPorts.h"
#include "main/ThumbnailStrip.h"

namespace {

class CountingLoader : public qw::PictureLoader {
public:
    long loads = 0;
    std::unique_ptr<qw::Picture> Load(const std::string&) override {
        ++loads;
        return std::make_unique<bench::SizedPicture>();
    }
};

class CountingView : public qw::ThumbnailView {
public:
    long drawn = 0;
    void ShowPicture(int, std::shared_ptr<const qw::Picture>, qw::SlotRect, const std::string&) override { ++drawn; }
    void ShowIcon(int, int, qw::SlotRect, const std::string&) override { ++drawn; }
    void HideSlot(int) override {}
    void SetSlotName(int, const std::string&) override {}
    void SetCurrentSlot(int) override {}
    void SetScrollBar(bool, int, int) override {}
    void SetScrollBarWidth(int) override {}
    int ClientWidth() const override { return 1200; }
};

}  // namespace

int main() {
    bench::ListedFolder files;
    CountingLoader pictures;
    CountingView view;
    qw::ThumbnailStrip strip(view, files, pictures);
    const auto start = std::chrono::steady_clock::now();
    {
        qw::ThumbnailStrip::Batch batch(strip);
        strip.DeleteAllFiles();
        for (int i = 0; i < 10000; ++i) strip.AddFile("C:\\App\\inbox\\photo_" + std::to_string(i) + ".jpg");
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("strip filled with 10000 pictures: %ld pictures loaded, %ld slots drawn, %.1f ms (target: at most 6 loads)\n",
                pictures.loads, view.drawn, ms);
    return pictures.loads <= 6 ? 0 : 1;
}
