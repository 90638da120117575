#pragma once
// Reading a whole file into memory: the settings file, and pictures, which
// are decoded from memory so that no picture on show keeps its file open.

#include <cstddef>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace qw::win32 {

// Why a file could not be read, in words for a message ("the file is too large ...").
class FileReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file is opened with full sharing, so a reader never stops another
// program from moving, replacing or deleting it. A file larger than
// `maxBytes` is refused before anything is read, rather than exhausting a
// 32-bit address space. A file that shrinks meanwhile gives what was there.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path, std::uint64_t maxBytes);

// Whole pages from the system, given back to it when freed. For the large
// buffers that come and go with every picture: from the process heap, blocks
// of a few hundred KB leave holes the heap keeps (Wine's 64-bit heap serves
// blocks up to about 1 MB from its own areas), so the program grew with
// every file received. Throws std::bad_alloc.
void* AllocatePages(std::size_t bytes);
void FreePages(void* pages) noexcept;

template <typename T>
struct PageAllocator {
    using value_type = T;
    PageAllocator() noexcept = default;
    template <typename U>
    PageAllocator(const PageAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
        return static_cast<T*>(AllocatePages(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t) noexcept { FreePages(p); }
    template <typename U>
    bool operator==(const PageAllocator<U>&) const noexcept { return true; }
};

using PageBytes = std::vector<std::uint8_t, PageAllocator<std::uint8_t>>;

// The same as ReadWholeFile, into pages of their own.
PageBytes ReadWholeFileIntoPages(const std::string& path, std::uint64_t maxBytes);

}  // namespace qw::win32
