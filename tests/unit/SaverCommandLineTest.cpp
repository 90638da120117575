#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "saver/CommandLine.h"

namespace qw {
namespace {

TEST(SaverCommandLineTest, TheSwitchAfterTheProgramsPathDecides) {
    constexpr auto C = SaverMode::Configure, S = SaverMode::Run, P = SaverMode::Preview,
                   A = SaverMode::Password, E = SaverMode::End;
    const std::optional<std::uint64_t> none;
    const struct {
        std::string commandLine;
        SaverMode mode;
        std::optional<std::uint64_t> window;
    } cases[] = {
        {"Q.SCR /c:1234", C, 1234}, {"Q.SCR /C", C, none}, {"Q.SCR /c", C, none},
        {"Q.SCR   /s  ", S, none},  {"Q.SCR", S, none},    {"Q.SCR\t/sx", S, none},  // two characters count
        {"Q.SCR /p 1234", P, 1234}, {"Q.SCR /P:66034", P, 66034},
        {"Q.SCR /p", P, none},      {"Q.SCR /p window", P, none},
        {"Q.SCR -s", E, none},      {"Q.SCR /x", E, none}, {"Q.SCR /a 1234", A, 1234},
        // A quoted path may hold blanks and switch-like text; a quote never closed takes all.
        {"\"C:\\Program Files\\Quillwave\\quillwavess.scr\" /p 1234", P, 1234},
        {"\"C:\\My /c Saver\\quillwavess.scr\" /a", A, none},
        {"\"C:\\Program Files\\quillwavess.scr\"/c", C, none},
        {"\"C:\\Program Files\\quillwavess.scr /c", S, none},
        {"C:\\WINDOWS\\system32\\QUILLW~1.SCR /S", S, none},
    };
    for (const auto& c : cases) {
        const SaverCommand command = ParseSaverCommand(ArgumentsOf(c.commandLine));
        EXPECT_EQ(command.Mode, c.mode) << c.commandLine;
        EXPECT_EQ(command.Window, c.window) << c.commandLine;
    }
}

}  // namespace
}  // namespace qw
