#pragma once
// Opening a file with the program Windows associates with its type, and
// what Windows knows of the type.

#include <string>

namespace qw {

class Shell {
public:
    virtual ~Shell() = default;
    // Nothing is reported when Windows cannot open the file.
    virtual void Open(const std::string& path) = 0;
    // The system's own answer to whether opening a file of the type (".exe")
    // can run code. Throws when the system cannot tell.
    virtual bool IsDangerousType(const std::string& extension) = 0;
};

}  // namespace qw
