#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fakes/FakeDialogs.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeScreenSaverPlatform.h"
#include "shared/ScreenSaverRegistration.h"

namespace qw {
namespace {

const std::string kSystemFile = "C:\\WINDOWS\\system32\\quillwavess.scr";
const std::string kSystemShort = "C:\\WINDOWS\\system32\\quillw~1.scr";

class ScreenSaverRegistrationTest : public ::testing::Test {
protected:
    ScreenSaverRegistration Registration(const std::string& mainProgramFolder = "C:\\App") {
        return ScreenSaverRegistration({registry, files, platform, platform, messages}, mainProgramFolder);
    }

    FakeRegistry registry;
    FakeFileSystem files;
    FakeScreenSaverPlatform platform;
    RecordingMessageBoxes messages;
};

// Where the file lies decides what is written; whatever is written is then
// recognised by RemoveScreenSaver, in the program that wrote it.
TEST_F(ScreenSaverRegistrationTest, RegistersTheFileThatExistsAndTakesItBackAgain) {
    struct Case {
        const char* Name;
        std::vector<std::string> Files;
        std::vector<std::pair<std::string, std::string>> ShortPaths;
        std::string ProgramFile;
        std::string MainProgramFolder;
        std::string Written;
    };
    const std::string beside = "C:\\Program Files\\Quillwave\\quillwavess.scr";
    const std::string besideShort = "C:\\PROGRA~1\\QUILLW~1\\QUILLW~1.SCR";
    const Case cases[] = {
        {"system folder, usual short name", {kSystemFile}, {{kSystemFile, "C:\\WINDOWS\\SYSTEM32\\QUILLW~1.SCR"}},
         "C:\\App\\quillwave.exe", "C:\\App", kSystemShort},
        {"system folder, another short name", {kSystemFile}, {{kSystemFile, "C:\\WINDOWS\\system32\\QUILLW~2.SCR"}},
         "C:\\App\\quillwave.exe", "C:\\App", "C:\\WINDOWS\\system32\\QUILLW~2.SCR"},
        {"system folder, short names off", {kSystemFile}, {{kSystemFile, kSystemFile}}, "C:\\App\\quillwave.exe",
         "C:\\App", kSystemFile},
        {"system folder, no answer", {kSystemFile}, {}, "C:\\App\\quillwave.exe", "C:\\App", kSystemFile},
        {"beside the main program", {beside}, {{beside, besideShort}}, "C:\\Program Files\\Quillwave\\quillwave.exe",
         "C:\\Program Files\\Quillwave", besideShort},
        {"beside the main program, no short form", {"C:\\App\\quillwavess.scr"}, {}, "C:\\App\\quillwave.exe",
         "C:\\App", "C:\\App\\quillwavess.scr"},
        {"main program at a drive root", {"D:\\quillwavess.scr"}, {}, "D:\\quillwave.exe", "D:\\",
         "D:\\quillwavess.scr"},
        {"screen saver beside the main program", {"C:\\App\\quillwavess.scr", "E:\\Copy\\quillwavess.scr"}, {},
         "E:\\Copy\\quillwavess.scr", "C:\\App", "C:\\App\\quillwavess.scr"},
        {"screen saver without ApplicationPath", {"E:\\Copy\\quillwavess.scr"},
         {{"E:\\Copy\\quillwavess.scr", "E:\\Copy\\QUILLW~1.SCR"}}, "E:\\Copy\\quillwavess.scr", "",
         "E:\\Copy\\QUILLW~1.SCR"},
        {"nowhere", {}, {}, "C:\\App\\quillwave.exe", "C:\\App", kSystemShort},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        files = FakeFileSystem{};
        for (const std::string& file : c.Files) files.AddFile(file);
        platform = FakeScreenSaverPlatform{};
        for (const auto& [path, shortForm] : c.ShortPaths) platform.SetShortPath(path, shortForm);
        platform.programFile = c.ProgramFile;
        registry.Set(ScreenSaverValue, "C:\\WINDOWS\\system32\\other.scr");
        ScreenSaverRegistration registration = Registration(c.MainProgramFolder);
        registration.InstallScreenSaver();
        EXPECT_EQ(registry.Value(ScreenSaverValue), c.Written);
        registration.RemoveScreenSaver();
        EXPECT_EQ(registry.Value(ScreenSaverValue), std::nullopt);
    }
}

TEST_F(ScreenSaverRegistrationTest, RemovesOnlyItsOwnValueAndNeverComplains) {
    struct Case {
        const char* Name;
        std::optional<std::string> Value;
        bool Removed;
        std::string ProgramFile = "C:\\App\\quillwave.exe";
    };
    const Case cases[] = {
        {"short name in another letter case", "c:\\windows\\SYSTEM32\\QUILLW~1.SCR", true},
        {"long name", "C:\\Windows\\System32\\QuillwaveSS.scr", true},
        {"the short name Windows reports", "C:\\WINDOWS\\system32\\QUILLW~2.SCR", true},
        {"beside the main program", "C:\\APP\\quillwavess.scr", true},
        {"the running screen saver", "E:\\Copy\\quillwavess.scr", true, "E:\\Copy\\quillwavess.scr"},
        {"another screen saver", "C:\\WINDOWS\\system32\\ssText3d.scr", false},
        {"a copy of ours elsewhere", "E:\\Copy\\quillwavess.scr", false},
        {"the main program itself", "C:\\App\\quillwave.exe", false},
        {"no value", std::nullopt, false},
    };
    files.AddFile(kSystemFile);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        platform.SetShortPath(kSystemFile, "C:\\WINDOWS\\system32\\QUILLW~2.SCR");
        platform.programFile = c.ProgramFile;
        registry = FakeRegistry{};
        if (c.Value) registry.Set(ScreenSaverValue, *c.Value);
        EXPECT_NO_THROW(Registration().RemoveScreenSaver());
        EXPECT_EQ(registry.Value(ScreenSaverValue), c.Removed ? std::nullopt : c.Value);
    }
    for (const RegistryOperation refused : {RegistryOperation::ReadText, RegistryOperation::DeleteValue}) {
        registry = FakeRegistry{};
        registry.Set(ScreenSaverValue, kSystemShort);
        registry.FailOn(refused, ScreenSaverValue);
        EXPECT_NO_THROW(Registration().RemoveScreenSaver());
        EXPECT_EQ(registry.Value(ScreenSaverValue), kSystemShort);
    }
    EXPECT_TRUE(messages.shown.empty());
}

// Preview starts a file of its own, never what the registry names.
TEST_F(ScreenSaverRegistrationTest, PreviewStartsTheScreenSaverFileThatExistsOrSaysWhichIsMissing) {
    struct Case {
        const char* Name;
        std::vector<std::string> Files;
        bool StartFails;
        std::vector<std::string> Started;
        std::string Message;
    };
    const Case cases[] = {
        {"system folder", {kSystemFile, "C:\\App\\quillwavess.scr"}, false, {kSystemFile}, ""},
        {"beside the main program", {"C:\\App\\quillwavess.scr"}, false, {"C:\\App\\quillwavess.scr"}, ""},
        {"nowhere", {}, false, {},
         "The screen saver cannot be shown because its file C:\\WINDOWS\\system32\\quillwavess.scr was not found."},
        {"refused", {kSystemFile}, true, {}, "The screen saver " + kSystemFile + " could not be started."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        files = FakeFileSystem{};
        for (const std::string& file : c.Files) files.AddFile(file);
        platform = FakeScreenSaverPlatform{};
        platform.systemFolder = "C:\\WINDOWS\\system32\\";  // the backslash is dropped
        platform.startFails = c.StartFails;
        registry.Set(ScreenSaverValue, "C:\\WINDOWS\\system32\\other.scr");
        messages.shown.clear();
        Registration().PreviewScreenSaver();
        EXPECT_EQ(platform.started, c.Started);
        if (c.Message.empty()) {
            EXPECT_TRUE(messages.shown.empty());
        } else {
            EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{c.Message, "Quillwave!", MessageIcon::Critical}}));
        }
    }
}

}  // namespace
}  // namespace qw
