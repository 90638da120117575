#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "saver/CommandLine.h"

namespace qw {
namespace {

struct CommandCase {
    const char* commandLine;  // the whole line, the program's path first
    SaverMode mode;
    std::optional<std::uint64_t> window;
};

TEST(SaverCommandLineTest, TheSwitchAfterTheProgramsPathDecides) {
    constexpr auto C = SaverMode::Configure, S = SaverMode::Run, P = SaverMode::Preview,
                   A = SaverMode::Password, E = SaverMode::End;
    const std::optional<std::uint64_t> none;
    const CommandCase cases[] = {
        {"C:\\WINDOWS\\system32\\QUILLW~1.SCR /c:1234", C, 1234},
        {"C:\\WINDOWS\\system32\\QUILLW~1.SCR /C", C, none},
        {"C:\\WINDOWS\\system32\\QUILLW~1.SCR /c", C, none},
        {"C:\\WINDOWS\\system32\\QUILLW~1.SCR   /s  ", S, none},
        {"C:\\WINDOWS\\system32\\QUILLW~1.SCR /S", S, none},
        {"C:\\WINDOWS\\system32\\QUILLW~1.SCR", S, none},
        {"C:\\WINDOWS\\system32\\QUILLW~1.SCR /p 1234", P, 1234},
        {"C:\\WINDOWS\\system32\\QUILLW~1.SCR /P:66034", P, 66034},
        {"C:\\WINDOWS\\system32\\QUILLW~1.SCR /p", P, none},
        {"C:\\WINDOWS\\system32\\QUILLW~1.SCR /p window", P, none},
        {"C:\\WINDOWS\\system32\\QUILLW~1.SCR /p 99999999999999999999999", P, none},
        {"C:\\WINDOWS\\system32\\QUILLW~1.SCR -s", E, none},
        {"C:\\WINDOWS\\system32\\QUILLW~1.SCR /x", E, none},
        {"C:\\WINDOWS\\system32\\QUILLW~1.SCR /", E, none},
        {"C:\\WINDOWS\\system32\\QUILLW~1.SCR /a 1234", A, 1234},
        // Only the first two characters count.
        {"C:\\WINDOWS\\system32\\QUILLW~1.SCR /sx", S, none},
        {"C:\\WINDOWS\\system32\\QUILLW~1.SCR\t/s", S, none},
        // A quoted path may hold blanks and switch-like text of its own.
        {"\"C:\\Program Files\\Quillwave\\quillwavess.scr\" /p 1234", P, 1234},
        {"\"C:\\Program Files\\Quillwave\\quillwavess.scr\"", S, none},
        {"\"C:\\My /c Saver\\quillwavess.scr\" /a", A, none},
        {"\"C:\\Program Files\\quillwavess.scr\"/c", C, none},
        // A quote never closed: all of it is the path, so nothing follows it.
        {"\"C:\\Program Files\\quillwavess.scr /c", S, none},
        {"", S, none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        const SaverCommand command = ParseSaverCommand(ArgumentsOf(c.commandLine));
        EXPECT_EQ(command.Mode, c.mode);
        EXPECT_EQ(command.Window, c.window);
    }
}

}  // namespace
}  // namespace qw
