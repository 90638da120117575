#pragma once
// Ports for the benchmarks that cost next to nothing themselves, so what is
// measured is the core's own work.

#include <cstdint>
#include <string>
#include <vector>

#include "shared/FileSystem.h"
#include "shared/Pictures.h"

namespace bench {

class SizedPicture : public qw::Picture {
public:
    qw::HimetricSize NaturalSize() const override { return {16933, 12700}; }  // 640 x 480 at 96 dpi
};

// A folder listing held in memory, the same for every folder; every listing
// copies it, as a real one is built afresh. Every file exists.
class ListedFolder : public qw::FileSystem {
public:
    std::vector<qw::FileItem> files;

    std::vector<qw::FileItem> ListFiles(const std::string&) override { return files; }
    qw::FileItem GetFile(const std::string& path) override {
        return {path, path.substr(path.rfind('\\') + 1), 123456, "JPG File"};
    }
    void MoveFile(const std::string&, const std::string&) override {}
    void CopyFile(const std::string&, const std::string&) override {}
    void CopyFileNoReplace(const std::string&, const std::string&) override {}
    bool SameBytes(const std::string&, const std::string&) override { return false; }
    void DeleteFile(const std::string&) override {}
    void CreateFolder(const std::string&) override {}
    bool FileExists(const std::string&) override { return true; }
    void CreateEmptyFile(const std::string&) override {}
    std::vector<std::uint8_t> ReadFileBytes(const std::string&) override { return {}; }
    void ReplaceFileContents(const std::string&, const std::vector<std::uint8_t>&) override {}
};

}  // namespace bench
