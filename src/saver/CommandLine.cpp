#include "saver/CommandLine.h"

#include <charconv>

namespace qw {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The number after the switch, separated by blanks or a colon.
std::optional<std::uint64_t> WindowAfterSwitch(std::string_view rest) {
    rest = Trimmed(rest);
    if (!rest.empty() && rest.front() == ':') rest = Trimmed(rest.substr(1));
    std::uint64_t window = 0;
    const char* end = rest.data() + rest.size();
    const auto [stop, error] = std::from_chars(rest.data(), end, window);
    if (rest.empty() || error != std::errc{} || (stop != end && !IsBlank(*stop))) return std::nullopt;
    return window;
}

}  // namespace

std::string_view ArgumentsOf(std::string_view commandLine) {
    std::size_t end;
    if (!commandLine.empty() && commandLine.front() == '"') {
        end = commandLine.find('"', 1);
        if (end == std::string_view::npos) return {};
        ++end;
    } else {
        end = 0;
        while (end < commandLine.size() && !IsBlank(commandLine[end])) ++end;
    }
    return commandLine.substr(end);
}

SaverCommand ParseSaverCommand(std::string_view arguments) {
    const std::string_view text = Trimmed(arguments);
    if (text.empty()) return {SaverMode::Run, std::nullopt};
    std::string head(text.substr(0, 2));
    for (char& c : head) c = Upper(c);
    SaverCommand command;
    if (head == "/C") command.Mode = SaverMode::Configure;
    else if (head == "/S") command.Mode = SaverMode::Run;
    else if (head == "/P") command.Mode = SaverMode::Preview;
    else if (head == "/A") command.Mode = SaverMode::Password;
    if (command.Mode != SaverMode::End && text.size() > 2) command.Window = WindowAfterSwitch(text.substr(2));
    return command;
}

}  // namespace qw
