// One slide of a 12-megapixel photo into a cell of a 1920 x 1080 screen in a
// 3 x 3 grid with the clock: the slide show's own way against decoding the
// photo whole first.
//
//   wbench_slideshow            all measurements
//   wbench_slideshow slide F    (child) the slide show over folder F: one slide as its set-up shows it
//   wbench_slideshow full F W H (child) decode F's photo whole, then scale it to W x H
//   wbench_slideshow baseline   (child) only start WIC and make the window, for the working set they cost
//
// Each way runs in a process of its own, so the peak working set printed
// belongs to that way alone.

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "PictureFiles.h"
#include "RecordingSlideShowView.h"
#include "WinBench.h"
#include "saver/SlideShow.h"
#include "win32/kit/Utf.h"
#include "win32/WicPictures.h"
#include "win32/Win32System.h"
#include "win32/Win32FileSystem.h"
#include "win32/saver/SlideShowWindow.h"

namespace {

using bench::Median;
using bench::Now;
using bench::PeakWorkingSetMb;
using qw::win32::Narrow;

constexpr int kPhotoWidth = 4000, kPhotoHeight = 3000;
constexpr qw::PixelSize kScreen{1920, 1080};
constexpr int kRuns = 5;
constexpr const char* kCellFile = "cell.txt";

// The slide show as the screen saver runs it, on a screen of 1920 x 1080
// whatever this machine's is: list the folder, load the photo, fit it into
// cell 1 and draw it at that size into the cell's bitmap.
int RunSlide(const std::string& folder) {
    qw::win32::WicPictureLoader pictures;
    qw::win32::Win32FileSystem files;
    qw::win32::Win32Clock clock;
    // The window is never shown: the cell's bitmap is drawn when the picture arrives.
    qw::win32::SlideShowWindow window(GetModuleHandleW(nullptr), nullptr, nullptr);
    qw::test::RecordingSlideShowView view(window, kScreen);
    const qw::SlideShowSettings settings{3, 3, 10000, qw::FitMode::ShrinkOnly, true, 0, 0x004F4F4F};
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        qw::SlideShow show(view, qw::SlideShowPorts{files, pictures, clock}, settings, folder, nullptr);
        const double t0 = Now();
        show.SetUp();
        times.push_back(Now() - t0);
        if (view.cells.count(1) == 0) throw std::runtime_error("the photo was not shown");
    }
    const qw::ScreenRect cell = view.cells.at(1);
    const double peak = PeakWorkingSetMb();
    // Where it cannot, the decoder holds the whole frame while it scales.
    const std::string photo = folder + "\\photo.jpg";
    std::printf("  the JPEG decoder %s while decoding\n", bench::DecoderScales(photo) ? "scales" : "does not scale");
    std::printf("  (a) the slide show's slide:     %8.1f ms  drawn at %d x %d  peak working set %.1f MB\n",
                Median(times), cell.Width, cell.Height, peak);
    // For the full decode, which is to end at the same size.
    qw::test::WriteText(folder + "\\" + kCellFile, std::to_string(cell.Width) + " " + std::to_string(cell.Height));
    return 0;
}

int RunFull(const std::string& photo, UINT width, UINT height) {
    const double median = bench::MedianFullDecode(photo, width, height, kRuns);
    std::printf("  (b) full decode + scale down:   %8.1f ms  peak working set %.1f MB\n", median, PeakWorkingSetMb());
    return 0;
}

int RunBaseline() {
    qw::win32::WicPictureLoader loader;
    qw::win32::SlideShowWindow window(GetModuleHandleW(nullptr), nullptr, nullptr);
    std::printf("  WIC started, nothing decoded:                                  peak working set %.1f MB\n",
                PeakWorkingSetMb());
    return 0;
}

}  // namespace

int main() {
    try {
        const std::vector<std::wstring> arguments = bench::Arguments();
        const std::wstring mode = arguments.size() >= 2 ? arguments[1] : L"";
        const std::string path = arguments.size() >= 3 ? Narrow(arguments[2]) : "";
        if (mode == L"slide") return RunSlide(path);
        if (mode == L"full" && arguments.size() >= 5)
            return RunFull(path, std::stoul(arguments[3]), std::stoul(arguments[4]));
        if (mode == L"baseline") return RunBaseline();

        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const std::wstring folder = bench::NewWorkFolder(L"qwbench-slideshow-");
        const std::wstring photo = folder + L"\\photo.jpg";
        const double megabytes = bench::WritePhoto(photo, kPhotoWidth, kPhotoHeight);
        std::printf("one slide of a %dx%d JPEG (%.1f MB) in a 3 x 3 grid on %d x %d, median of %d runs\n",
                    kPhotoWidth, kPhotoHeight, megabytes, kScreen.Width, kScreen.Height, kRuns);
        bench::RunChild(L"baseline");
        bench::RunChild(L"slide \"" + folder + L"\"");
        // The full decode ends at the size the slide show drew.
        const std::wstring cellFile = folder + L"\\" + qw::win32::Widen(kCellFile);
        const std::string cell = qw::test::ReadText(cellFile);
        if (cell == "<missing>") throw std::runtime_error("the slide did not report its size");
        bench::RunChild(L"full \"" + photo + L"\" " + qw::win32::Widen(cell));
        DeleteFileW(cellFile.c_str());
        DeleteFileW(photo.c_str());
        RemoveDirectoryW(folder.c_str());
        CoUninitialize();
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "wbench_slideshow: %s\n", error.what());
        return 1;
    }
}
