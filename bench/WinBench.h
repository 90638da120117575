#pragma once
// What the Windows benchmarks share: a millisecond clock, medians, the peak
// working set of the process, running this program again as a child (so a
// way of doing something is measured in a process of its own), and the
// naive way of making a small picture of a photo: decoding it whole first.

#include <windows.h>
#include <psapi.h>
#include <shellapi.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "PictureFiles.h"
#include "win32/kit/Handles.h"
#include "win32/kit/Utf.h"

namespace bench {

using Microsoft::WRL::ComPtr;

inline double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / frequency;  // milliseconds
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double PeakWorkingSetMb() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

inline void Check(HRESULT hr, const char* step) {
    if (FAILED(hr)) throw std::runtime_error(std::string(step) + " failed: 0x" + std::to_string(hr));
}

inline ComPtr<IWICImagingFactory> Factory() {
    ComPtr<IWICImagingFactory> factory;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)),
          "the WIC factory");
    return factory;
}

// The program's arguments as wide strings: the temporary folder may have any name.
inline std::vector<std::wstring> Arguments() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> arguments(argv, argv + argc);
    LocalFree(argv);
    return arguments;
}

// A new folder under %TEMP% for this run of a benchmark.
inline std::wstring NewWorkFolder(const std::wstring& prefix) {
    wchar_t temp[MAX_PATH + 1];
    const std::wstring folder =
        std::wstring(temp, GetTempPathW(MAX_PATH + 1, temp)) + prefix + std::to_wstring(GetCurrentProcessId());
    if (!CreateDirectoryW(folder.c_str(), nullptr)) throw std::runtime_error("cannot create the work folder");
    return folder;
}

// Writes a camera-like JPEG of width x height and returns its size in MB.
// COM must be initialised.
inline double WritePhoto(const std::wstring& path, int width, int height) {
    qw::test::WritePhotoJpeg(path, width, height);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.nFileSizeLow / (1024.0 * 1024.0);
}

// Runs this program again with the arguments and waits for it.
inline void RunChild(const std::wstring& arguments) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(exe) + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::fflush(stdout);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        throw std::runtime_error("cannot start " + qw::win32::Narrow(command));
    const qw::win32::KernelHandle owned(process.hProcess), thread(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
}

// Whether the photo's decoder can scale while decoding, or a scaler has to
// pull every pixel of the full frame through it. COM must be initialised.
inline bool DecoderScales(const std::string& path) {
    auto factory = Factory();
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    // IWICBitmapSourceTransform, which the mingw-w64 headers do not declare.
    const GUID transformId = {0x3B16811B, 0x6A43, 0x4EC9, {0xB7, 0x13, 0x3D, 0x5A, 0x0C, 0x13, 0xB9, 0x40}};
    ComPtr<IUnknown> transform;
    return SUCCEEDED(factory->CreateDecoderFromFilename(qw::win32::Widen(path).c_str(), nullptr, GENERIC_READ,
                                                        WICDecodeMetadataCacheOnDemand, &decoder)) &&
           SUCCEEDED(decoder->GetFrame(0, &frame)) &&
           SUCCEEDED(frame->QueryInterface(transformId, reinterpret_cast<void**>(transform.GetAddressOf())));
}

// Decodes the whole frame into memory, then scales the full-size pixels down
// to width x height. COM must be initialised.
inline void DecodeFullThenScale(IWICImagingFactory* factory, const std::string& path, UINT width, UINT height) {
    ComPtr<IWICBitmapDecoder> decoder;
    Check(factory->CreateDecoderFromFilename(qw::win32::Widen(path).c_str(), nullptr, GENERIC_READ,
                                             WICDecodeMetadataCacheOnDemand, &decoder),
          "decoder");
    ComPtr<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(0, &frame), "frame");
    UINT fullWidth = 0, fullHeight = 0;
    Check(frame->GetSize(&fullWidth, &fullHeight), "size");
    ComPtr<IWICFormatConverter> converter;
    Check(factory->CreateFormatConverter(&converter), "converter");
    Check(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                WICBitmapPaletteTypeCustom),
          "converter init");
    const UINT stride = fullWidth * 4;
    std::vector<BYTE> full(static_cast<size_t>(stride) * fullHeight);
    Check(converter->CopyPixels(nullptr, stride, static_cast<UINT>(full.size()), full.data()), "full decode");
    ComPtr<IWICBitmap> bitmap;
    Check(factory->CreateBitmapFromMemory(fullWidth, fullHeight, GUID_WICPixelFormat32bppPBGRA, stride,
                                          static_cast<UINT>(full.size()), full.data(), &bitmap),
          "bitmap");
    ComPtr<IWICBitmapScaler> scaler;
    Check(factory->CreateBitmapScaler(&scaler), "scaler");
    Check(scaler->Initialize(bitmap.Get(), width, height, WICBitmapInterpolationModeFant), "scaler init");
    std::vector<BYTE> small(static_cast<size_t>(width) * height * 4);
    Check(scaler->CopyPixels(nullptr, width * 4, static_cast<UINT>(small.size()), small.data()), "scale");
}

// The median time of decoding the photo whole and scaling it to width x
// height, over `runs` runs, in milliseconds.
inline double MedianFullDecode(const std::string& path, UINT width, UINT height, int runs) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::vector<double> times;
    {
        auto factory = Factory();
        for (int run = 0; run < runs; ++run) {
            const double t0 = Now();
            DecodeFullThenScale(factory.Get(), path, width, height);
            times.push_back(Now() - t0);
        }
    }
    CoUninitialize();
    return Median(times);
}

inline std::string ReadSmallFile(const std::wstring& path) {
    const qw::win32::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                   nullptr, OPEN_EXISTING, 0, nullptr));
    std::string text;
    if (!file) return text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    return text;
}

inline std::string OwnPrefix() {
    char prefix[MAX_PATH * 2] = {};
    GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    return std::string("WINEPREFIX=") + prefix + '\0';
}

// Wine reports no processor time of another process, so it is read where the
// host keeps it: /proc, which Wine shows as Z:\proc. The processor time, in
// seconds, of the host processes whose command line names `program` (the
// Wine server's own share included when it is asked for by name).
inline double HostProcessorSeconds(const std::string& program) {
    double seconds = 0;
    WIN32_FIND_DATAW data{};
    const qw::win32::FindHandle find(FindFirstFileW(L"Z:\\proc\\*", &data));
    if (!find) throw std::runtime_error("the host's process list cannot be read");
    do {
        if (data.cFileName[0] < L'0' || data.cFileName[0] > L'9') continue;
        const std::wstring dir = std::wstring(L"Z:\\proc\\") + data.cFileName;
        std::string command = ReadSmallFile(dir + L"\\cmdline");
        for (char& c : command) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        // Other Wine prefixes on the host run programs of their own.
        if (command.find(program) == std::string::npos ||
            ReadSmallFile(dir + L"\\environ").find(OwnPrefix()) == std::string::npos)
            continue;
        // Fields 14 and 15, user and system time in ticks, follow the name in parentheses.
        const std::string stat = ReadSmallFile(dir + L"\\stat");
        const auto close = stat.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream fields(stat.substr(close + 2));
        std::string field;
        double ticks = 0;
        for (int n = 3; n <= 15 && fields >> field; ++n)
            if (n >= 14) ticks += std::stod(field);
        seconds += ticks / 100;  // USER_HZ
    }
    while (FindNextFileW(find.Get(), &data));
    return seconds;
}

// The folder of the running benchmark (where the built programs lie below bin\).
inline std::wstring FolderOfThisProgram() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

// A text value under HKEY_CURRENT_USER, its key made when missing.
inline void SetUserValue(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
    qw::win32::RegistryKey handle;
    RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, handle.Receive(), nullptr);
    RegSetValueExW(handle.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

inline const wchar_t* const kQuillwaveKey = L"Software\\Quillwave";

// The application folder the programs record and the screen saver reads,
// set for a benchmark and put back afterwards.
class ApplicationPath {
public:
    explicit ApplicationPath(const std::wstring& folder) {
        wchar_t value[MAX_PATH * 2] = {};
        DWORD size = sizeof value;
        had_ = RegGetValueW(HKEY_CURRENT_USER, kQuillwaveKey, L"ApplicationPath", RRF_RT_REG_SZ, nullptr, value,
                            &size) == ERROR_SUCCESS;
        old_ = value;
        Set(folder);
    }
    ~ApplicationPath() {
        if (had_)
            Set(old_);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kQuillwaveKey, L"ApplicationPath");
        // A screen saver ended from outside leaves its running flag behind.
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kQuillwaveKey, L"ScreenSaverRunning");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kQuillwaveKey, L"ScreenSaverProcess");
    }

private:
    static void Set(const std::wstring& folder) {
        qw::win32::RegistryKey key;
        RegCreateKeyExW(HKEY_CURRENT_USER, kQuillwaveKey, 0, nullptr, 0, KEY_WRITE, nullptr, key.Receive(), nullptr);
        RegSetValueExW(key.Get(), L"ApplicationPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                       static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    }
    bool had_ = false;
    std::wstring old_;
};

}  // namespace bench
