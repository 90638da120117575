#pragma once
// Reading a whole file into memory: the settings file, and pictures, which
// are decoded from memory so that no picture on show keeps its file open.

#include <cstdint>
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

}  // namespace qw::win32
