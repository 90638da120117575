#pragma once
// Opening a file with the program Windows associates with its type.

#include <string>

namespace qw {

class Shell {
public:
    virtual ~Shell() = default;
    // Nothing is reported when Windows cannot open the file.
    virtual void Open(const std::string& path) = 0;
};

}  // namespace qw
