#pragma once
// The system folder, the running program, short names and started programs,
// as the test sets them.

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "shared/ScreenSaverRegistration.h"
#include "shared/Text.h"

namespace qw {

class FakeScreenSaverPlatform : public ScreenSaverPlatform, public ShortPaths {
public:
    std::string systemFolder = "C:\\WINDOWS\\system32";
    std::string programFile = "C:\\App\\quillwave.exe";
    bool startFails = false;
    std::vector<std::string> started;

    // The short form Windows reports for `path` (any letter case); paths
    // without one give nothing.
    void SetShortPath(const std::string& path, const std::string& shortForm) {
        shortPaths_[LowerCase(path)] = shortForm;
    }

    std::string SystemFolder() override { return systemFolder; }
    std::string ProgramFile() override { return programFile; }
    void StartProgram(const std::string& path) override {
        if (startFails) throw std::runtime_error("access denied");
        started.push_back(path);
    }
    std::optional<std::string> ShortPathOf(const std::string& path) override {
        const auto it = shortPaths_.find(LowerCase(path));
        if (it == shortPaths_.end()) return std::nullopt;
        return it->second;
    }

private:
    std::map<std::string, std::string> shortPaths_;
};

}  // namespace qw
