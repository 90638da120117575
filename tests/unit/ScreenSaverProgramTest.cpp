#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakePictures.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeSaverPorts.h"
#include "fakes/FakeSlideShowView.h"
#include "saver/ScreenSaverProgram.h"
#include "shared/RegistryValues.h"

namespace qw {
namespace {

using Log = std::vector<std::string>;
const Log kStarted = {"find Quillwave! Screen Saver", "hide pointer", "cover 0", "full Quillwave! Screen Saver 0"};
const Log kConfigured = {"edit C:\\App\\settings.txt", "install"};

class ScreenSaverProgramTest : public ::testing::Test {
protected:
    ScreenSaverProgramTest() { registry.Set(ApplicationPathValue, "C:\\App"); }

    AfterMain Main(const std::string& arguments) {
        system.log.clear();
        view = FakeSlideShowView{};
        program = std::make_unique<ScreenSaverProgram>(
            view, SaverPorts{files, registry, ansi, pictures, system, system, system, system, system, system});
        view.onTick = [this](SlideShowTimer timer) { program->Show()->OnTimer(timer); };
        return program->Main("C:\\WINDOWS\\QUILLW~1.SCR " + arguments);
    }
    void Store(const SettingsRecord& record) {
        const SettingsBytes bytes = EncodeSettings(record, ansi);
        files.AddFile("C:\\App\\settings.txt", std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }

    FakeFileSystem files;
    FakeRegistry registry;
    Windows1252 ansi;
    FakePictureLoader pictures;
    FakeSaverSystem system;
    FakeSlideShowView view;
    std::unique_ptr<ScreenSaverProgram> program;
};

TEST_F(ScreenSaverProgramTest, EachSwitchDoesItsOwnThingAndNothingElse) {
    const struct {
        const char* arguments;
        bool anotherRuns;
        AfterMain after;
        Log log;
    } cases[] = {
        {"/c:1234", false, AfterMain::End, kConfigured},
        {"/C", false, AfterMain::End, kConfigured},
        {"/c", false, AfterMain::End, kConfigured},
        {"  /s  ", false, AfterMain::RunWindows, kStarted},
        {"", false, AfterMain::RunWindows, kStarted},
        {"/s", true, AfterMain::End, {"find Quillwave! Screen Saver"}},  // the first one is left alone
        {"/p 1234", false, AfterMain::End, {"preview 1234 0"}},          // 1234 is no window
        {"-s", false, AfterMain::End, {}},
        {"/x", false, AfterMain::End, {}},
        {"/a 1234", false, AfterMain::End,
         {"message WARNING: Password Protection is not yet available with this screen saver (i)"}},
    };
    for (const auto& c : cases) {
        system.otherInstance = c.anotherRuns;
        registry.ClearOperations();
        EXPECT_EQ(Main(c.arguments), c.after) << c.arguments;
        EXPECT_EQ(system.log, c.log) << c.arguments;
        const bool runs = c.after == AfterMain::RunWindows;
        // The id first: a reader never pairs the new "YES" with a dead show's id.
        std::vector<std::string> written;
        for (const auto& op : registry.Operations())
            if (op.Operation == RegistryOperation::WriteText) written.push_back(op.Name);
        const std::vector<std::string> idThenYes{ScreenSaverProcessValue, ScreenSaverRunningValue};
        EXPECT_EQ(written, runs ? idThenYes : std::vector<std::string>()) << c.arguments;
        EXPECT_EQ(view.running.count(SlideShowTimer::CheckFolder), runs ? 1u : 0u) << "set up without a focus";
    }
}

TEST_F(ScreenSaverProgramTest, TheRunningShowIsRecordedAndEndsOnceOnInput) {
    files.AddFile("C:\\App\\screensaver\\a.jpg");
    pictures.AddPixels("C:\\App\\screensaver\\a.jpg", 100, 100);
    system.whileOpening = [this] { program->Show()->OnFocus(); };
    Main("/s");
    EXPECT_EQ(registry.Value(ScreenSaverRunningValue), "YES");
    EXPECT_EQ(registry.Value(ScreenSaverProcessValue), "4242");
    EXPECT_TRUE(view.cells.at(1).Shown);
    EXPECT_EQ(view.running.at(SlideShowTimer::ResetMouseCounter), 2000u);

    program->Show()->OnKey();
    program->Show()->OnMouseButton();  // already queued
    program->OnWindowClosed();         // the window's own destruction
    Log expected = kStarted;
    expected.insert(expected.end(), {"show pointer", "end"});
    EXPECT_EQ(system.log, expected);
    EXPECT_EQ(registry.Value(ScreenSaverRunningValue), "NO");
    EXPECT_EQ(registry.Value(ScreenSaverProcessValue), std::nullopt);
}

TEST_F(ScreenSaverProgramTest, RegistryFailuresNeverStopTheShowNorLeaveADeadIdBesideYes) {
    for (const char* failing : {FakeRegistry::AnyName, ScreenSaverProcessValue}) {
        registry.Set(ScreenSaverRunningValue, "NO");
        registry.Set(ScreenSaverProcessValue, "777");  // of a show that died
        registry.FailOn(RegistryOperation::WriteText, failing);
        EXPECT_EQ(Main("/s"), AfterMain::RunWindows);
        EXPECT_EQ(registry.Value(ScreenSaverRunningValue), failing == ScreenSaverProcessValue ? "YES" : "NO");
        EXPECT_EQ(registry.Value(ScreenSaverProcessValue), std::nullopt) << failing;
        program->StopScreenSaver();
        EXPECT_EQ(system.log.back(), "end");
        registry.ClearFailures();
    }
}

TEST_F(ScreenSaverProgramTest, WithoutTheApplicationFolderNoFileIsTouchedAndTheDefaultsServe) {
    registry.DeleteValue(ApplicationPathValue);
    Main("/c");
    EXPECT_EQ(system.log, (Log{"edit ", "install"}));  // OK then tells the user nothing can be saved
    Main("/s");
    program->Show()->OnFocus();
    view.Advance(1000);
    EXPECT_TRUE(files.Operations().empty());
}

TEST_F(ScreenSaverProgramTest, ConfigurationAppliesTheChoiceAfterOkAndAfterCancel) {
    const struct {
        bool stored;
        std::optional<bool> chosen;  // nothing: Cancel
        bool installFails;           // ends quietly
        const char* applied;
    } cases[] = {{true, std::nullopt, false, "install"}, {false, std::nullopt, false, "remove"},
                 {true, false, false, "remove"}, {false, true, false, "install"}, {true, true, true, "install"}};
    for (const auto& c : cases) {
        SettingsRecord stored;
        stored.UseScreenSaver = c.stored;
        Store(stored);
        system.failInstall = c.installFails;
        system.user = [&](SettingsRecord& record) {
            EXPECT_EQ(record.UseScreenSaver, c.stored);  // the dialog starts from the file
            if (c.chosen) record.UseScreenSaver = *c.chosen;
        };
        EXPECT_EQ(Main("/c"), AfterMain::End);
        EXPECT_EQ(system.log, (Log{"edit C:\\App\\settings.txt", c.applied})) << c.stored;
    }
}

TEST_F(ScreenSaverProgramTest, PreviewDrawsIntoItsWindowAndNeitherTellsNorEndsOnInput) {
    SettingsRecord stored;
    stored.BackgroundColor = 0xFF;
    Store(stored);
    system.windows = {66034};
    ASSERT_EQ(Main("/p 66034"), AfterMain::RunWindows);
    EXPECT_EQ(view.running.count(SlideShowTimer::CheckFolder), 1u);  // set up without a focus
    program->Show()->OnKey();
    program->Show()->OnMouseButton();
    program->OnWindowClosed();  // the display settings closed
    EXPECT_EQ(system.log, (Log{"preview 66034 255", "end"}));
    EXPECT_EQ(registry.Operations().size(), 1u);  // ApplicationPath read, nothing written
}

// The setup program asks every copy to end, whatever it is doing.
TEST_F(ScreenSaverProgramTest, AnExitRequestEndsEveryMode) {
    const struct {
        const char* arguments;
        Log after;  // what the request adds to the log
        const char* running;
    } cases[] = {
        {"/s", {"show pointer", "end"}, "NO"},
        {"/p 66034", {"end"}, nullptr},
        {"/c", {"close dialog"}, nullptr},  // then configuration ends as after Cancel
    };
    for (const auto& c : cases) {
        if (registry.Value(ScreenSaverRunningValue)) registry.DeleteValue(ScreenSaverRunningValue);
        system.windows = {66034};
        Log before;
        system.user = [&](SettingsRecord&) {
            before = system.log;
            program->OnExitRequest();
        };
        if (std::string(c.arguments) != "/c") {
            Main(c.arguments);
            before = system.log;
            program->OnExitRequest();
        } else {
            EXPECT_EQ(Main(c.arguments), AfterMain::End);
        }
        const Log added(system.log.begin() + static_cast<std::ptrdiff_t>(before.size()),
                        system.log.begin() + static_cast<std::ptrdiff_t>(before.size() + c.after.size()));
        EXPECT_EQ(added, c.after) << c.arguments;
        EXPECT_EQ(registry.Value(ScreenSaverRunningValue),
                  c.running ? std::optional<std::string>(c.running) : std::nullopt)
            << c.arguments;
        system.user = nullptr;
    }
}

}  // namespace
}  // namespace qw
