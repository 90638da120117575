#pragma once
// The current time as the user's clock shows it.

#include <string>

namespace qw {

class Clock {
public:
    virtual ~Clock() = default;
    // The current time in the system's long time format ("14:05:09", "2:05:09 PM").
    virtual std::string LongTimeText() = 0;
};

}  // namespace qw
