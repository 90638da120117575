// Thumbnails of large photos and the strip's start-up with a big folder.
//
//   wbench_thumbnails            all measurements
//   wbench_thumbnails scaled F   (child) load F and render a 120 x 90 thumbnail
//   wbench_thumbnails full F     (child) decode F at full size, then scale it down
//   wbench_thumbnails baseline   (child) only start WIC, for the working set it costs
//   wbench_thumbnails preview P F (child) thumbnails of P, which carries a preview,
//                                and of F, the same photo without it
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
#include "WindowCapture.h"
#include "main/ThumbnailStrip.h"
#include "win32/main/ThumbnailControl.h"
#include "win32/Utf.h"
#include "win32/WicPictures.h"
#include "win32/Win32FileSystem.h"

namespace {

using Microsoft::WRL::ComPtr;
using qw::win32::Narrow;
using qw::win32::Widen;

constexpr int kPhotoWidth = 4000, kPhotoHeight = 3000;
constexpr int kThumbWidth = 120, kThumbHeight = 90;
constexpr int kRuns = 5;
constexpr int kStripFiles = 10000;
constexpr int kUnbatchedFiles = 100;

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / frequency;  // milliseconds
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double PeakWorkingSetMb() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

void Check(HRESULT hr, const char* step) {
    if (FAILED(hr)) throw std::runtime_error(std::string(step) + " failed: 0x" + std::to_string(hr));
}

ComPtr<IWICImagingFactory> Factory() {
    ComPtr<IWICImagingFactory> factory;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)),
          "the WIC factory");
    return factory;
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
    // Whether the JPEG decoder can scale while decoding, or the scaler has to
    // pull every pixel of the full frame through it.
    auto factory = Factory();
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    // IWICBitmapSourceTransform, which the mingw-w64 headers do not declare.
    const GUID transformId = {0x3B16811B, 0x6A43, 0x4EC9, {0xB7, 0x13, 0x3D, 0x5A, 0x0C, 0x13, 0xB9, 0x40}};
    ComPtr<IUnknown> transform;
    const bool scales = SUCCEEDED(factory->CreateDecoderFromFilename(Widen(path).c_str(), nullptr, GENERIC_READ,
                                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
                        SUCCEEDED(decoder->GetFrame(0, &frame)) &&
                        SUCCEEDED(frame->QueryInterface(transformId, reinterpret_cast<void**>(transform.GetAddressOf())));
    std::printf("  the JPEG decoder %s while decoding\n", scales ? "scales" : "does not scale");
    std::printf("  (a) load + render 120x90:      %8.1f ms  (load with its check %.1f ms, render %.1f ms)"
                "  peak working set %.1f MB\n",
                Median(totals), Median(loads), Median(renders), PeakWorkingSetMb());
    return 0;
}

// (b) Decoding the whole frame first, then scaling the full-size pixels down.
int RunFull(const std::string& path) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    auto factory = Factory();
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const double t0 = Now();
        ComPtr<IWICBitmapDecoder> decoder;
        Check(factory->CreateDecoderFromFilename(Widen(path).c_str(), nullptr, GENERIC_READ,
                                                 WICDecodeMetadataCacheOnDemand, &decoder),
              "decoder");
        ComPtr<IWICBitmapFrameDecode> frame;
        Check(decoder->GetFrame(0, &frame), "frame");
        UINT width = 0, height = 0;
        Check(frame->GetSize(&width, &height), "size");
        ComPtr<IWICFormatConverter> converter;
        Check(factory->CreateFormatConverter(&converter), "converter");
        Check(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                    0.0, WICBitmapPaletteTypeCustom),
              "converter init");
        const UINT stride = width * 4;
        std::vector<BYTE> full(static_cast<size_t>(stride) * height);
        Check(converter->CopyPixels(nullptr, stride, static_cast<UINT>(full.size()), full.data()), "full decode");
        ComPtr<IWICBitmap> bitmap;
        Check(factory->CreateBitmapFromMemory(width, height, GUID_WICPixelFormat32bppPBGRA, stride,
                                              static_cast<UINT>(full.size()), full.data(), &bitmap),
              "bitmap");
        ComPtr<IWICBitmapScaler> scaler;
        Check(factory->CreateBitmapScaler(&scaler), "scaler");
        Check(scaler->Initialize(bitmap.Get(), kThumbWidth, kThumbHeight, WICBitmapInterpolationModeFant),
              "scaler init");
        std::vector<BYTE> thumb(kThumbWidth * kThumbHeight * 4);
        Check(scaler->CopyPixels(nullptr, kThumbWidth * 4, static_cast<UINT>(thumb.size()), thumb.data()), "scale");
        times.push_back(Now() - t0);
    }
    std::printf("  (b) full decode + scale down:  %8.1f ms  peak working set %.1f MB\n", Median(times),
                PeakWorkingSetMb());
    CoUninitialize();
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
    std::printf("  (c) render 120x90 from the photo's 160x120 preview: %8.2f ms\n"
                "      render 120x90 by the scaled decode:             %8.2f ms  -> %.0fx faster\n"
                "      load (with its check) %.1f ms with the preview, %.1f ms without;"
                " load + render %.1fx faster\n",
                previewed.Render, decoded.Render, decoded.Render / previewed.Render, previewed.Load, decoded.Load,
                (decoded.Load + decoded.Render) / (previewed.Load + previewed.Render));
    return 0;
}

int RunBaseline() {
    qw::win32::WicPictureLoader loader;
    std::printf("  WIC started, nothing decoded:                peak working set %.1f MB\n", PeakWorkingSetMb());
    return 0;
}

// Runs this program again with the arguments and waits for it.
void RunChild(const std::wstring& arguments) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(exe) + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::fflush(stdout);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        throw std::runtime_error("cannot start " + Narrow(command));
    const qw::win32::KernelHandle owned(process.hProcess), thread(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
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
            [](int) { return qw::win32::Icon(); });
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
    measure(kStripFiles, true);
    measure(kUnbatchedFiles, false);
    for (const std::string& path : paths) DeleteFileW(Widen(path).c_str());
    DeleteFileW(model.c_str());
}

}  // namespace

int main() {
    try {
        // Wide arguments: the temporary folder may have any name.
        int argc = 0;
        wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
        const std::wstring mode = argc >= 2 ? argv[1] : L"";
        const std::string file = argc >= 3 ? Narrow(argv[2]) : "";
        const std::string second = argc >= 4 ? Narrow(argv[3]) : "";
        LocalFree(argv);
        if (mode == L"scaled") return RunScaled(file);
        if (mode == L"preview") return RunPreview(file, second);
        if (mode == L"full") return RunFull(file);
        if (mode == L"baseline") return RunBaseline();

        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        wchar_t temp[MAX_PATH + 1];
        const std::wstring folder = std::wstring(temp, GetTempPathW(MAX_PATH + 1, temp)) + L"qwbench-thumbnails-" +
                                    std::to_wstring(GetCurrentProcessId());
        if (!CreateDirectoryW(folder.c_str(), nullptr)) throw std::runtime_error("cannot create the work folder");
        const std::wstring photo = folder + L"\\photo.jpg";
        qw::test::WritePhotoJpeg(photo, kPhotoWidth, kPhotoHeight);
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExW(photo.c_str(), GetFileExInfoStandard, &data);
        std::printf("thumbnail of a %dx%d JPEG (%.1f MB), median of %d runs\n", kPhotoWidth, kPhotoHeight,
                    data.nFileSizeLow / (1024.0 * 1024.0), kRuns);
        RunChild(L"baseline");
        RunChild(L"scaled \"" + photo + L"\"");
        RunChild(L"full \"" + photo + L"\"");

        // The same photo as a phone writes it, with a 160 x 120 preview.
        const std::wstring preview = folder + L"\\preview.jpg", previewed = folder + L"\\previewed.jpg";
        qw::test::WritePhotoJpeg(preview, 160, 120);
        const qw::test::Bytes exif = qw::test::PhotoExif(1, qw::test::ReadAll(Narrow(preview)));
        qw::test::WriteBytes(previewed, qw::test::SpliceAfterStart(qw::test::ReadAll(Narrow(photo)), exif));
        RunChild(L"preview \"" + previewed + L"\" \"" + photo + L"\"");
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
