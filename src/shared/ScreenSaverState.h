#pragma once
// Whether the slide show counts as running, as the main program asks for
// every received file. "YES" in ScreenSaverRunning decides, but a slide show
// that died without ending leaves "YES" behind; its process id beside it
// tells such a stale flag from a live one.

#include <cstdint>
#include <optional>
#include <string_view>

#include "shared/Registry.h"

namespace qw {

class ScreenSaverProcesses {
public:
    virtual ~ScreenSaverProcesses() = default;
    // True when `processId` names a running process of quillwavess.scr.
    virtual bool IsScreenSaverProcess(std::uint32_t processId) = 0;
};

// The process id as ScreenSaverProcess holds it: plain decimal digits that
// fit 32 bits; anything else is no process id.
std::optional<std::uint32_t> ParseProcessId(std::string_view text);

// "YES" counts as running unless ScreenSaverProcess exists and names no
// running screen saver. Without that value (another writer of "YES") the flag
// alone decides. Any failure to read ScreenSaverRunning means not running.
bool IsScreenSaverRunning(Registry& registry, ScreenSaverProcesses& processes);

}  // namespace qw
