#pragma once

#include "main/MainPorts.h"

namespace qw::win32 {

class Win32Shell : public qw::Shell {
public:
    void Open(const std::string& path) override;
    bool IsDangerousType(const std::string& extension) override;
};

}  // namespace qw::win32
