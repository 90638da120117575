#pragma once
// The system's folders by name alone: one folder is another when their
// paths match, ignoring letter case, the kind of slash and a trailing one.

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "shared/ReceivedFolder.h"
#include "shared/Text.h"

namespace qw {

class FakeSystemFolders : public SystemFolders {
public:
    std::vector<std::string> others{"C:\\Users\\Ann", "C:\\Users\\Ann\\Desktop", "C:\\Users\\Ann\\Documents",
                                    "C:\\Users\\Ann\\Downloads", "C:\\Users\\Ann\\Pictures", "C:\\Users\\Ann\\Music",
                                    "C:\\Users\\Ann\\Videos", "C:\\Users\\Ann\\OneDrive", "C:\\Windows",
                                    "C:\\Program Files"};

    std::vector<std::string> FoldersOfOtherFiles() override { return others; }
    bool SameFolder(const std::string& a, const std::string& b) override { return Key(a) == Key(b); }
    std::optional<std::string> ParentOf(const std::string& folder) override {
        const std::string key = Key(folder);
        const std::size_t at = key.rfind('\\');
        if (at == std::string::npos || key.size() <= 2) return std::nullopt;  // "c:"
        return key.substr(0, at);
    }

private:
    static std::string Key(std::string path) {
        std::replace(path.begin(), path.end(), '/', '\\');
        while (!path.empty() && path.back() == '\\') path.pop_back();
        return LowerCase(path);
    }
};

}  // namespace qw
