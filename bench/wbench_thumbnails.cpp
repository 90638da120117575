// Thumbnails of large photos and the strip's start-up with a big folder.
//
//   wbench_thumbnails            all measurements
//   wbench_thumbnails scaled F   (child) load F and render a 120 x 90 thumbnail
//   wbench_thumbnails full F     (child) decode F at full size, then scale it down
//   wbench_thumbnails baseline   (child) only start WIC, for the working set it costs
//   wbench_thumbnails preview P F (child) thumbnails of P, which carries a preview,
//                                and of F, the same photo without it
//   wbench_thumbnails phones D   (child) the strip filled with D's six phone photos
//
// Each way of making a thumbnail runs in a process of its own, so the peak
// working set printed belongs to that way alone.

#include <windows.h>
#include <psapi.h>
#include <shellapi.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "PictureFiles.h"
#include "WinBench.h"
#include "WindowCapture.h"
#include "main/ThumbnailStrip.h"
#include "shared/PhotoMetadata.h"
#include "win32/main/ThumbnailControl.h"
#include "win32/kit/Utf.h"
#include "win32/WicPictures.h"
#include "win32/Win32FileSystem.h"

namespace {

using bench::Check;
using bench::ComPtr;
using bench::Factory;
using bench::Median;
using bench::Now;
using bench::PeakWorkingSetMb;
using bench::RunChild;
using qw::win32::Narrow;
using qw::win32::Widen;

constexpr int kPhotoWidth = 4000, kPhotoHeight = 3000;
constexpr int kThumbWidth = 120, kThumbHeight = 90;
constexpr int kRuns = 5;
constexpr int kStripFiles = 10000;
constexpr int kUnbatchedFiles = 100;

struct OldWay {
    double Load, Render;  // ms
};

// The load as it was: the file read, a decoder opened on its bytes and, as
// the damage check, the photo decoded at 64 pixels wide, which pulls every
// pixel through a decoder that cannot scale; then the thumbnail rendered
// from the same decoder.
OldWay OldLoad(const std::string& path) {
    auto factory = Factory();
    const double t0 = Now();
    std::vector<std::uint8_t> bytes = qw::test::ReadAll(path);
    ComPtr<IWICStream> stream;
    Check(factory->CreateStream(&stream), "stream");
    Check(stream->InitializeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size())), "stream init");
    ComPtr<IWICBitmapDecoder> decoder;
    Check(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder),
          "decoder");
    ComPtr<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(0, &frame), "frame");
    UINT width = 0, height = 0;
    Check(frame->GetSize(&width, &height), "size");
    (void)qw::ReadPhotoMetadata(bytes);
    const UINT small = 64, smallHeight = std::max<UINT>(1, height * small / width);
    ComPtr<IWICBitmapScaler> scaler;
    Check(factory->CreateBitmapScaler(&scaler), "scaler");
    Check(scaler->Initialize(frame.Get(), small, smallHeight, WICBitmapInterpolationModeFant), "scaler init");
    ComPtr<IWICFormatConverter> converter;
    Check(factory->CreateFormatConverter(&converter), "converter");
    Check(converter->Initialize(scaler.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                WICBitmapPaletteTypeCustom),
          "converter init");
    std::vector<BYTE> pixels(static_cast<std::size_t>(small) * smallHeight * 4);
    Check(converter->CopyPixels(nullptr, small * 4, static_cast<UINT>(pixels.size()), pixels.data()), "decode");
    const double t1 = Now();
    ComPtr<IWICBitmapScaler> thumb;
    Check(factory->CreateBitmapScaler(&thumb), "scaler");
    Check(thumb->Initialize(frame.Get(), kThumbWidth, kThumbHeight, WICBitmapInterpolationModeFant), "scaler init");
    ComPtr<IWICFormatConverter> premultiplied;
    Check(factory->CreateFormatConverter(&premultiplied), "converter");
    Check(premultiplied->Initialize(thumb.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                    0.0, WICBitmapPaletteTypeCustom),
          "converter init");
    std::vector<BYTE> thumbnail(kThumbWidth * kThumbHeight * 4);
    Check(premultiplied->CopyPixels(nullptr, kThumbWidth * 4, static_cast<UINT>(thumbnail.size()), thumbnail.data()),
          "render");
    return {t1 - t0, Now() - t1};
}

struct Timings {
    std::vector<double> Loads, Renders;
};

// Loads the file kRuns times, each picture rendered once at the thumbnail's size.
Timings LoadAndRender(qw::win32::WicPictureLoader& loader, const std::string& path) {
    Timings timings;
    for (int run = 0; run < kRuns; ++run) {
        const double t0 = Now();
        auto picture = loader.LoadPicture(path);
        const double t1 = Now();
        picture->Render(kThumbWidth, kThumbHeight);
        timings.Loads.push_back(t1 - t0);
        timings.Renders.push_back(Now() - t1);
    }
    return timings;
}

// (a) The program's way: the picture keeps the file's bytes and renders the
// thumbnail straight from the decoder's frame.
int RunScaled(const std::string& path) {
    qw::win32::WicPictureLoader loader;
    const Timings timings = LoadAndRender(loader, path);
    const std::vector<double>& loads = timings.Loads;
    const std::vector<double>& renders = timings.Renders;
    std::vector<double> totals;
    for (int i = 0; i < kRuns; ++i) totals.push_back(loads[i] + renders[i]);
    std::printf("  the JPEG decoder %s while decoding\n", bench::DecoderScales(path) ? "scales" : "does not scale");
    std::printf("  (a) load + render 120x90:      %8.1f ms  (load with its check %.1f ms, render %.1f ms)"
                "  peak working set %.1f MB\n",
                Median(totals), Median(loads), Median(renders), PeakWorkingSetMb());
    return 0;
}

// (b) Decoding the whole frame first, then scaling the full-size pixels down.
int RunFull(const std::string& path) {
    const double median = bench::MedianFullDecode(path, kThumbWidth, kThumbHeight, kRuns);
    std::printf("  (b) full decode + scale down:  %8.1f ms  peak working set %.1f MB\n", median, PeakWorkingSetMb());
    return 0;
}

// (c) The thumbnail drawn from the 160 x 120 preview a photo carries against
// the scaled decode of the same photo without one, in the same process.
int RunPreview(const std::string& withPreview, const std::string& plain) {
    qw::win32::WicPictureLoader loader;
    struct Times {
        double Load, Render;
    };
    const auto measure = [&](const std::string& path) {
        const Timings timings = LoadAndRender(loader, path);
        return Times{Median(timings.Loads), Median(timings.Renders)};
    };
    const Times decoded = measure(plain);
    const Times previewed = measure(withPreview);
    std::vector<double> oldLoads, oldRenders;
    for (int run = 0; run < kRuns; ++run) {
        const OldWay old = OldLoad(plain);
        oldLoads.push_back(old.Load);
        oldRenders.push_back(old.Render);
    }
    const double oldLoad = Median(oldLoads);
    const double before = oldLoad + Median(oldRenders);
    const double slot = previewed.Load + previewed.Render;
    std::printf("  (c) render 120x90 from the photo's 160x120 preview: %8.2f ms\n"
                "      render 120x90 by the scaled decode:             %8.2f ms  -> %.0fx faster\n"
                "      load (with its check) %.1f ms with the preview, %.1f ms without;"
                " load + render %.1fx faster\n",
                previewed.Render, decoded.Render, decoded.Render / previewed.Render, previewed.Load, decoded.Load,
                (decoded.Load + decoded.Render) / (previewed.Load + previewed.Render));
    std::printf("      before, a load decoded every pixel for its check: %.1f ms; open + check + render"
                " of a slot without the preview took %.1f ms\n",
                oldLoad, before);
    std::printf("      goal: a slot from the preview 30x faster than before without it: %.2f ms, %.0fx -> %s\n", slot,
                before / slot, before / slot >= 30 ? "met" : "NOT met");
    std::printf("      goal: without a preview no slower than before: %.1f ms against %.1f ms -> %s\n",
                decoded.Load + decoded.Render, before, decoded.Load + decoded.Render <= before ? "met" : "NOT met");
    return 0;
}

// (d) The strip filled with six phone photos as the main window fills it:
// each file listed, loaded with its check and drawn from its preview.
int RunPhoneStrip(const std::wstring& folder) {
    qw::win32::Win32FileSystem files;
    qw::win32::WicPictureLoader pictures;
    qw::test::HostWindow host(900, qw::StripHeight);
    qw::win32::ThumbnailControl control(
        GetModuleHandleW(nullptr), {.Parent = host.Handle(), .X = 0, .Y = 0, .Width = 900, .Height = qw::StripHeight},
        [](int, int) { return qw::win32::Icon(); });
    qw::ThumbnailStrip strip(control, files, pictures);
    UpdateWindow(control.Handle());
    const auto phone = [&](int i) { return Narrow(folder + L"\\PHONE_" + std::to_wstring(i) + L".jpg"); };
    const double empty = PeakWorkingSetMb();
    const double t0 = Now();
    strip.AddFile(phone(1));
    UpdateWindow(control.Handle());
    const double one = PeakWorkingSetMb();
    {
        qw::ThumbnailStrip::Batch batch(strip);
        for (int i = 2; i <= qw::SlotCount; ++i) strip.AddFile(phone(i));
    }
    UpdateWindow(control.Handle());
    const double total = Now() - t0;
    const double peak = PeakWorkingSetMb();
    std::printf("  (d) a strip of %d phone photos filled: %.1f ms in all (%.1f ms a photo), peak working set"
                " %.1f MB, %.1f MB above the empty strip's (each picture keeps its file's bytes)\n",
                qw::SlotCount, total, total / qw::SlotCount, peak, peak - empty);
    std::printf("      goal: one phone photo's slot at most 10 MB above the empty strip (WIC started, nothing"
                " decoded): %.1f MB -> %s\n",
                one - empty, one - empty <= 10 ? "met" : "NOT met");
    return 0;
}

int RunBaseline() {
    qw::win32::WicPictureLoader loader;
    std::printf("  WIC started, nothing decoded:                peak working set %.1f MB\n", PeakWorkingSetMb());
    return 0;
}

class CountingLoader : public qw::PictureLoader {
public:
    std::unique_ptr<qw::Picture> Load(const std::string& path) override {
        ++loads;
        return wic.LoadPicture(path);
    }
    qw::win32::WicPictureLoader wic;
    int loads = 0;
};

void StripStartUp(const std::wstring& folder) {
    // A small JPEG copied under 10,000 names, as a phone's camera folder would be.
    const std::wstring model = folder + L"\\model.jpg";
    qw::test::WritePhotoJpeg(model, 320, 240);
    std::vector<std::string> paths;
    for (int i = 0; i < kStripFiles; ++i) {
        const std::wstring path = folder + L"\\IMG_" + std::to_wstring(10000 + i) + L".jpg";
        if (!CopyFileW(model.c_str(), path.c_str(), FALSE)) throw std::runtime_error("cannot copy the model");
        paths.push_back(Narrow(path));
    }

    qw::test::HostWindow host(900, qw::StripHeight);

    const auto measure = [&](int count, bool batched) {
        qw::win32::Win32FileSystem files;
        CountingLoader pictures;
        qw::win32::ThumbnailControl control(
            GetModuleHandleW(nullptr),
            {.Parent = host.Handle(), .X = 0, .Y = 0, .Width = 900, .Height = qw::StripHeight},
            [](int, int) { return qw::win32::Icon(); });
        qw::ThumbnailStrip strip(control, files, pictures);
        UpdateWindow(control.Handle());
        const double t0 = Now();
        if (batched) strip.BeginBatch();
        for (int i = 0; i < count; ++i) strip.AddFile(paths[i]);
        if (batched) strip.EndBatch();
        const double t1 = Now();
        UpdateWindow(control.Handle());
        const double t2 = Now();
        std::printf("  %5d files %-10s add %8.1f ms, paint %6.1f ms, total %8.1f ms, picture loads %d\n", count,
                    batched ? "in a batch" : "one by one", t1 - t0, t2 - t1, t2 - t0, pictures.loads);
    };
    std::printf("strip start-up (900 pixels wide: 6 slots)\n");
    // Where a start-up with a large inbox spends its time: the listing, and
    // the strip's reading of each listed file again.
    {
        qw::win32::Win32FileSystem files;
        const std::string listed = Narrow(folder);
        double t0 = Now();
        const std::size_t count = files.ListFiles(listed).size();
        const double full = Now() - t0;
        t0 = Now();
        files.ListFileNames(listed);
        const double names = Now() - t0;
        t0 = Now();
        for (int i = 0; i < kStripFiles; ++i) files.GetFile(paths[i]);
        const double each = Now() - t0;
        t0 = Now();
        for (int i = 0; i < kStripFiles; ++i) qw::win32::FileTypeName(paths[i]);
        const double types = Now() - t0;
        std::printf("  listing %zu files: %.1f ms with type names, %.1f ms names only; reading each file %.1f ms,"
                    " of which its type name %.1f ms\n",
                    count, full, names, each, types);
    }
    measure(kStripFiles, true);
    measure(kUnbatchedFiles, false);
    for (const std::string& path : paths) DeleteFileW(Widen(path).c_str());
    DeleteFileW(model.c_str());
}

}  // namespace

int main() {
    try {
        const std::vector<std::wstring> arguments = bench::Arguments();
        const std::wstring mode = arguments.size() >= 2 ? arguments[1] : L"";
        const std::string file = arguments.size() >= 3 ? Narrow(arguments[2]) : "";
        const std::string second = arguments.size() >= 4 ? Narrow(arguments[3]) : "";
        if (mode == L"scaled") return RunScaled(file);
        if (mode == L"preview") return RunPreview(file, second);
        if (mode == L"full") return RunFull(file);
        if (mode == L"baseline") return RunBaseline();
        if (mode == L"phones") return RunPhoneStrip(arguments.at(2));

        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const std::wstring folder = bench::NewWorkFolder(L"qwbench-thumbnails-");
        const std::wstring photo = folder + L"\\photo.jpg";
        const double megabytes = bench::WritePhoto(photo, kPhotoWidth, kPhotoHeight);
        std::printf("thumbnail of a %dx%d JPEG (%.1f MB), median of %d runs\n", kPhotoWidth, kPhotoHeight,
                    megabytes, kRuns);
        RunChild(L"baseline");
        RunChild(L"scaled \"" + photo + L"\"");
        RunChild(L"full \"" + photo + L"\"");

        // The same photo as a phone writes it, with a 160 x 120 preview.
        const std::wstring preview = folder + L"\\preview.jpg", previewed = folder + L"\\previewed.jpg";
        qw::test::WritePhotoJpeg(preview, 160, 120);
        const qw::test::Bytes exif = qw::test::PhotoExif(1, qw::test::ReadAll(Narrow(preview)));
        qw::test::WriteBytes(previewed, qw::test::SpliceAfterStart(qw::test::ReadAll(Narrow(photo)), exif));
        RunChild(L"preview \"" + previewed + L"\" \"" + photo + L"\"");
        std::vector<std::wstring> phones;
        for (int i = 1; i <= qw::SlotCount; ++i) {
            phones.push_back(folder + L"\\PHONE_" + std::to_wstring(i) + L".jpg");
            if (!CopyFileW(previewed.c_str(), phones.back().c_str(), FALSE))
                throw std::runtime_error("cannot copy the phone photo");
        }
        RunChild(L"phones \"" + folder + L"\"");
        for (const std::wstring& path : phones) DeleteFileW(path.c_str());
        for (const std::wstring& path : {photo, preview, previewed}) DeleteFileW(path.c_str());

        StripStartUp(folder);
        RemoveDirectoryW(folder.c_str());
        CoUninitialize();
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "wbench_thumbnails: %s\n", error.what());
        return 1;
    }
}
