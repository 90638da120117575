#pragma once
// The display scale of a window. The program's fixed lengths (margins, cells,
// icon sizes, the window's designed size) are pixels of a 96-dpi screen; on a
// screen of another resolution each becomes that many pixels at its dpi, so
// the window looks the same at 125 %, 150 % or 200 % as at 100 %.

#include <cstdint>

#include "shared/Pictures.h"

namespace qw {

struct Scale {
    int Dpi = 96;

    // A length of `pixels` at 96 dpi in pixels at this scale, rounded half to even.
    std::int32_t operator()(std::int32_t pixels) const;
    // The resolution at which pictures' HIMETRIC sizes become pixels of the window.
    Resolution AsResolution() const { return {EffectiveDpi(), EffectiveDpi()}; }
    // A resolution of 0 or less (one not known) counts as 96 dpi.
    int EffectiveDpi() const { return Dpi > 0 ? Dpi : 96; }

    static Scale Of(const Resolution& resolution) { return {resolution.DpiX}; }
    bool operator==(const Scale&) const = default;
};

}  // namespace qw
