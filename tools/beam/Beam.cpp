// qwbeam: plays a phone beaming files to the PC. Each file is written into
// the Bluetooth stack's folder the way the stack does it: under its final
// name, through a handle that is held open, without delete sharing, until
// the last byte is in, so a watcher cannot take a file that is still
// arriving.
//
//   qwbeam [--rate BYTES_PER_SECOND] [--hold MILLISECONDS] FOLDER FILE...

#include <windows.h>

#include <cstdio>
#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "win32/kit/Handles.h"

namespace {

int Usage() {
    fwprintf(stderr, L"usage: qwbeam [--rate BYTES_PER_SECOND] [--hold MILLISECONDS] FOLDER FILE...\n");
    return 2;
}

std::wstring NameOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool ReadAll(const std::wstring& path, std::vector<char>& bytes) {
    const qw::win32::KernelHandle owned(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!owned) return false;
    const HANDLE file = owned.Get();
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1LL << 31);
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                               read == bytes.size());
    }
    return ok;
}

// Writes the bytes in slices of a tenth of a second at the given rate (0:
// all at once), then keeps the handle open for `hold` milliseconds.
bool Beam(const std::wstring& target, const std::vector<char>& bytes, unsigned long long rate, DWORD hold) {
    const qw::win32::KernelHandle owned(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!owned) return false;
    const HANDLE file = owned.Get();
    const size_t slice = rate ? static_cast<size_t>(rate / 10 ? rate / 10 : 1) : bytes.size();
    bool ok = true;
    for (size_t done = 0; ok && done < bytes.size();) {
        const DWORD n = static_cast<DWORD>(std::min(slice, bytes.size() - done));
        DWORD written = 0;
        ok = WriteFile(file, bytes.data() + done, n, &written, nullptr) && written == n;
        done += n;
        if (rate && done < bytes.size()) Sleep(100);
    }
    if (hold) Sleep(hold);
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    unsigned long long rate = 0;
    DWORD hold = 0;
    int i = 1;
    for (; i < argc && argv[i][0] == L'-' && argv[i][1] == L'-'; ++i) {
        if (i + 1 >= argc) return Usage();
        if (wcscmp(argv[i], L"--rate") == 0)
            rate = wcstoull(argv[++i], nullptr, 10);
        else if (wcscmp(argv[i], L"--hold") == 0)
            hold = static_cast<DWORD>(wcstoul(argv[++i], nullptr, 10));
        else
            return Usage();
    }
    if (argc - i < 2) return Usage();
    const std::wstring folder = argv[i++];
    int failures = 0;
    for (; i < argc; ++i) {
        std::vector<char> bytes;
        const std::wstring source = argv[i];
        const std::wstring target = folder + L"\\" + NameOf(source);
        if (!ReadAll(source, bytes)) {
            fwprintf(stderr, L"qwbeam: cannot read %ls\n", source.c_str());
            ++failures;
        } else if (!Beam(target, bytes, rate, hold)) {
            fwprintf(stderr, L"qwbeam: cannot write %ls (error %lu)\n", target.c_str(), GetLastError());
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
