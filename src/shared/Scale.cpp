#include "shared/Scale.h"

#include "shared/Text.h"

namespace qw {

std::int32_t Scale::operator()(std::int32_t pixels) const {
    return static_cast<std::int32_t>(RoundedQuotient(std::int64_t{pixels} * EffectiveDpi(), 96));
}

}  // namespace qw
