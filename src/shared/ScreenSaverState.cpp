#include "shared/ScreenSaverState.h"

#include <charconv>
#include <string>

#include "shared/RegistryValues.h"

namespace qw {

std::optional<std::uint32_t> ParseProcessId(std::string_view text) {
    std::uint32_t id = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, id);
    if (text.empty() || error != std::errc{} || stop != end) return std::nullopt;
    return id;
}

bool IsScreenSaverRunning(Registry& registry, ScreenSaverProcesses& processes) {
    try {
        if (registry.ReadText(ScreenSaverRunningValue) != "YES") return false;
    } catch (const std::exception&) {
        return false;
    }
    std::string owner;
    try {
        owner = registry.ReadText(ScreenSaverProcessValue);
    } catch (const std::exception&) {
        return true;  // no evidence either way: the flag decides
    }
    // A value that is no process id names no running screen saver either.
    const std::optional<std::uint32_t> id = ParseProcessId(owner);
    return id.has_value() && processes.IsScreenSaverProcess(*id);
}

}  // namespace qw
