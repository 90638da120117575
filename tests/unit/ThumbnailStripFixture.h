#pragma once
// A thumbnail strip over in-memory fakes, with helpers to fill and read it.

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakePictures.h"
#include "fakes/FakeThumbnailView.h"
#include "main/ThumbnailStrip.h"

namespace qw {

class CountingPictureLoader : public FakePictureLoader {
public:
    int loads = 0;
    std::unique_ptr<Picture> Load(const std::string& path) override {
        ++loads;
        return FakePictureLoader::Load(path);
    }
};

inline void PrintTo(const ScrollBarState& bar, std::ostream* os) {
    *os << (bar.Enabled ? "enabled" : "disabled") << " max " << bar.Maximum << " value " << bar.Value;
}

// Numbered files: odd numbers are text files, even ones pictures.
inline std::string PathOf(int i) {
    return "C:\\In\\" + std::to_string(i) + (i % 2 != 0 ? ".txt" : ".jpg");
}

// One thing done to a strip; `arg` is a file number, scroll value or slot count.
struct StripStep {
    enum Kind { Add, Delete, DeleteAll, Scroll, Resize, Rescale } kind;  // Rescale: to `arg` dpi
    int arg = 0;
};

// The smallest client width that holds `slots` slots.
constexpr int WidthFor(int slots) { return 10 + 128 * slots; }

class ThumbnailStripTest : public ::testing::Test {
protected:
    ThumbnailStrip& MakeStrip(int slots = 3) {
        view.clientWidth = WidthFor(slots);
        dpi = 96;
        strip = std::make_unique<ThumbnailStrip>(view, files, pictures, [this] { return Resolution{dpi, dpi}; });
        return *strip;
    }
    std::string Add(const std::string& name, std::string_view content = {}) {
        const std::string path = "C:\\In\\" + name;
        if (!files.HasFile(path)) files.AddFile(path, content);
        strip->AddFile(path);
        return path;
    }
    // Fills the strip so that list position p holds the file numbered p.
    void AddNumbered(int count) {
        for (int i = count; i >= 1; --i) AddNumber(i);
    }
    void AddNumber(int i) {
        const std::string path = PathOf(i);
        if (!files.HasFile(path))
            files.AddFile(path, std::string(static_cast<std::size_t>(i % 1000), 'x'));
        if (i % 2 == 0) pictures.AddPixels(path, 100 * i, 70 * i);
        strip->AddFile(path);
    }
    void Run(const std::vector<StripStep>& steps) {
        for (const StripStep& s : steps) {
            switch (s.kind) {
                case StripStep::Add: AddNumber(s.arg); break;
                case StripStep::Delete: strip->DeleteFile(PathOf(s.arg)); break;
                case StripStep::DeleteAll: strip->DeleteAllFiles(); break;
                case StripStep::Scroll: strip->OnScroll(s.arg); break;
                case StripStep::Resize: Resize(s.arg); break;
                case StripStep::Rescale: dpi = s.arg; strip->OnScaleChanged(); break;
            }
        }
    }
    void Resize(int slots) {
        view.clientWidth = WidthFor(slots);
        strip->OnResize();
    }
    // The number of the file each of slots 1 to 6 shows, 0 for a hidden slot.
    std::vector<int> Shown() const {
        std::vector<int> shown;
        for (int s = 1; s <= SlotCount; ++s)
            shown.push_back(view.Slot(s).Visible ? std::stoi(view.Slot(s).ToolTip) : 0);
        return shown;
    }
    FakeFileSystem files;
    CountingPictureLoader pictures;
    FakeThumbnailView view;
    int dpi = 96;
    std::unique_ptr<ThumbnailStrip> strip;
};

}  // namespace qw
