#pragma once
// Making this screen saver the one Windows starts, taking it back, and
// starting it at once as a preview. Windows chooses its screen saver by the
// registry value SCRNSAVE.EXE, which must name a file that exists: a screen
// saver Windows cannot find fails silently.

#include <string>
#include <vector>

#include "shared/Dialogs.h"
#include "shared/FileSystem.h"
#include "shared/Registry.h"
#include "shared/SettingsEditing.h"
#include "shared/ShortPaths.h"

namespace qw {

inline constexpr const char* ScreenSaverValue = "HKEY_CURRENT_USER\\Control Panel\\Desktop\\SCRNSAVE.EXE";
inline constexpr const char* ScreenSaverFileName = "quillwavess.scr";
// The short name Windows normally gives quillwavess.scr.
inline constexpr const char* ScreenSaverShortName = "quillw~1.scr";

// What the registration needs of Windows beyond the registry and the files.
class ScreenSaverPlatform {
public:
    virtual ~ScreenSaverPlatform() = default;
    // The Windows system folder (asked with the wide-character call).
    virtual std::string SystemFolder() = 0;
    // The full path of the running program's own file.
    virtual std::string ProgramFile() = 0;
    // Starts the program file as a new process, without arguments, in a
    // normal window with the focus; does not wait. Throws when it cannot.
    virtual void StartProgram(const std::string& path) = 0;
};

struct ScreenSaverPorts {
    qw::Registry& Registry;
    FileSystem& Files;
    qw::ShortPaths& ShortPaths;
    ScreenSaverPlatform& Platform;
    MessageBoxes& Messages;
};

class ScreenSaverRegistration : public ScreenSaverInstaller {
public:
    // `mainProgramFolder` is the main program's folder: in the main program
    // its own, in the screen saver the one ApplicationPath names ("" when
    // that value is missing).
    ScreenSaverRegistration(ScreenSaverPorts ports, std::string mainProgramFolder)
        : ports_(ports), mainProgramFolder_(std::move(mainProgramFolder)) {}

    // The system folder without a trailing backslash.
    std::string GetSystemFolder();
    // Where the screen saver is expected: the system folder's quillwavess.scr.
    std::string ScreenSaverFilePath();

    // Writes SCRNSAVE.EXE naming the screen-saver file that exists: the
    // system folder's (by its short name), else the one beside the main
    // program (its short form where it has one), else the system folder's
    // short name all the same. A failing write reaches the caller.
    void InstallScreenSaver() override;
    // Deletes SCRNSAVE.EXE when it names this screen saver in any of the
    // forms InstallScreenSaver writes, letter case aside. Silent on a
    // missing value, on another screen saver's value and on every failure.
    void RemoveScreenSaver() override;
    // Starts the screen-saver file (the system folder's, else the one beside
    // the main program) without arguments, which shows the slide show at
    // once; when neither exists or it cannot be started, says so.
    void PreviewScreenSaver();

private:
    // The screen-saver files beside the main program, in order of preference.
    std::vector<std::string> FilesBesideMainProgram();
    std::string RegisteredForm(const std::string& path);

    ScreenSaverPorts ports_;
    std::string mainProgramFolder_;
};

}  // namespace qw
