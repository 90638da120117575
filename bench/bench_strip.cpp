// Filling the thumbnail strip with a whole folder, as start-up and the view
// switch do: the number of pictures loaded and the time taken.

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "main/ThumbnailStrip.h"

namespace {

class SizedPicture : public qw::Picture {
public:
    qw::HimetricSize NaturalSize() const override { return {16933, 12700}; }  // 640 x 480 at 96 dpi
};

class CountingLoader : public qw::PictureLoader {
public:
    long loads = 0;
    std::unique_ptr<qw::Picture> Load(const std::string&) override {
        ++loads;
        return std::make_unique<SizedPicture>();
    }
};

class ListedFiles : public qw::FileSystem {
public:
    std::vector<qw::FileItem> ListFiles(const std::string&) override { return {}; }
    qw::FileItem GetFile(const std::string& path) override {
        return {path, path.substr(path.rfind('\\') + 1), 123456, "JPG File"};
    }
    void MoveFile(const std::string&, const std::string&) override {}
    void CopyFile(const std::string&, const std::string&) override {}
    void DeleteFile(const std::string&) override {}
    void CreateFolder(const std::string&) override {}
    bool FileExists(const std::string&) override { return true; }
    void CreateEmptyFile(const std::string&) override {}
    std::vector<std::uint8_t> ReadFileBytes(const std::string&) override { return {}; }
    void ReplaceFileContents(const std::string&, const std::vector<std::uint8_t>&) override {}
};

class CountingView : public qw::ThumbnailView {
public:
    long drawn = 0;
    void ShowPicture(int, std::shared_ptr<const qw::Picture>, qw::SlotRect, const std::string&) override { ++drawn; }
    void ShowIcon(int, int, qw::SlotRect, const std::string&) override { ++drawn; }
    void HideSlot(int) override {}
    void SetScrollBar(bool, int, int) override {}
    void SetScrollBarWidth(int) override {}
    int ClientWidth() const override { return 1200; }
};

}  // namespace

int main() {
    ListedFiles files;
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
