#include "win32/FileReading.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "win32/kit/Handles.h"
#include "win32/kit/Utf.h"

namespace qw::win32 {

namespace {

template <typename Bytes>
Bytes ReadInto(const std::string& path, std::uint64_t maxBytes) {
    KernelHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) throw FileReadError(ErrorText(GetLastError()));
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) throw FileReadError(ErrorText(GetLastError()));
    if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes)
        throw FileReadError("the file is too large (" + std::to_string(size.QuadPart) + " bytes)");

    Bytes bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        throw FileReadError("not enough memory");
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD got = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, chunk, &got, nullptr))
            throw FileReadError(ErrorText(GetLastError()));
        if (got == 0) break;  // the file shrank meanwhile
        done += got;
    }
    bytes.resize(done);
    return bytes;
}


}  // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& path, std::uint64_t maxBytes) {
    return ReadInto<std::vector<std::uint8_t>>(path, maxBytes);
}

PageBytes ReadWholeFileIntoPages(const std::string& path, std::uint64_t maxBytes) {
    return ReadInto<PageBytes>(path, maxBytes);
}

void* AllocatePages(std::size_t bytes) {
    void* pages = VirtualAlloc(nullptr, bytes ? bytes : 1, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!pages) throw std::bad_alloc();
    return pages;
}

void FreePages(void* pages) noexcept {
    if (pages) VirtualFree(pages, 0, MEM_RELEASE);
}

}  // namespace qw::win32
