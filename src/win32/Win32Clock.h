#pragma once
// The current time in the user's long time format, as the regional settings
// of this Windows installation have it.

#include "shared/Clock.h"

namespace qw::win32 {

class Win32Clock : public qw::Clock {
public:
    std::string LongTimeText() override;
};

}  // namespace qw::win32
