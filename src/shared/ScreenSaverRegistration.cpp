#include "shared/ScreenSaverRegistration.h"

#include <algorithm>
#include <optional>

#include "shared/Paths.h"
#include "shared/Text.h"

namespace qw {

namespace {

constexpr const char* PreviewTitle = "Quillwave!";

std::string InFolder(const std::string& folder, const char* name) {
    // A folder at a drive root already ends in "\".
    return folder + (folder.ends_with('\\') ? "" : "\\") + name;
}

}  // namespace

std::string ScreenSaverRegistration::GetSystemFolder() {
    std::string folder = ports_.Platform.SystemFolder();
    if (folder.ends_with('\\')) folder.pop_back();
    return folder;
}

std::string ScreenSaverRegistration::ScreenSaverFilePath() {
    return GetSystemFolder() + "\\" + ScreenSaverFileName;
}

std::vector<std::string> ScreenSaverRegistration::FilesBesideMainProgram() {
    std::vector<std::string> files;
    if (!mainProgramFolder_.empty()) files.push_back(InFolder(mainProgramFolder_, ScreenSaverFileName));
    // The running screen saver is a screen-saver file itself, wherever it
    // was started from; the main program is not.
    const std::string own = ports_.Platform.ProgramFile();
    if (FileExt(own) == "scr") files.push_back(own);
    return files;
}

std::string ScreenSaverRegistration::RegisteredForm(const std::string& path) {
    // Short forms have no blanks, which older parts of Windows split at.
    return ports_.ShortPaths.ShortPathOf(path).value_or(path);
}

void ScreenSaverRegistration::InstallScreenSaver() {
    const std::string systemFolder = GetSystemFolder();
    const std::string inSystemFolder = systemFolder + "\\" + ScreenSaverFileName;
    // Where the file is expected; written as it is when it is nowhere to be
    // found, so that placing it there later makes it work.
    std::string value = systemFolder + "\\" + ScreenSaverShortName;
    if (ports_.Files.FileExists(inSystemFolder)) {
        // Windows may have given the file another short name, or none.
        const std::optional<std::string> shortForm = ports_.ShortPaths.ShortPathOf(inSystemFolder);
        if (!shortForm)
            value = inSystemFolder;
        else if (!EqualsIgnoreCase(ExtractFileName(*shortForm), ScreenSaverShortName))
            value = *shortForm;
    } else {
        for (const std::string& file : FilesBesideMainProgram()) {
            if (ports_.Files.FileExists(file)) {
                value = RegisteredForm(file);
                break;
            }
        }
    }
    ports_.Registry.WriteText(ScreenSaverValue, value);
}

void ScreenSaverRegistration::RemoveScreenSaver() {
    try {
        const std::string value = ports_.Registry.ReadText(ScreenSaverValue);
        // Every form InstallScreenSaver may have written, in either program.
        const std::string systemFolder = GetSystemFolder();
        std::vector<std::string> files = FilesBesideMainProgram();
        files.push_back(systemFolder + "\\" + ScreenSaverFileName);
        std::vector<std::string> forms{systemFolder + "\\" + ScreenSaverShortName};
        for (const std::string& file : files) {
            forms.push_back(file);
            if (const auto shortForm = ports_.ShortPaths.ShortPathOf(file)) forms.push_back(*shortForm);
        }
        const bool ours = std::any_of(forms.begin(), forms.end(),
                                      [&](const std::string& form) { return EqualsIgnoreCase(value, form); });
        if (ours) ports_.Registry.DeleteValue(ScreenSaverValue);
    } catch (const std::exception&) {
        // No value to take back, or Windows refused: its choice stays as it
        // was, and unticking the box is no occasion for an error message.
    }
}

void ScreenSaverRegistration::PreviewScreenSaver() {
    const std::string expected = ScreenSaverFilePath();
    std::vector<std::string> files{expected};
    for (const std::string& file : FilesBesideMainProgram()) files.push_back(file);
    for (const std::string& file : files) {
        if (!ports_.Files.FileExists(file)) continue;
        try {
            ports_.Platform.StartProgram(file);
        } catch (const std::exception&) {
            ports_.Messages.Show("The screen saver " + file + " could not be started.", PreviewTitle,
                                 MessageIcon::Critical);
        }
        return;
    }
    ports_.Messages.Show("The screen saver cannot be shown because its file " + expected + " was not found.",
                         PreviewTitle, MessageIcon::Critical);
}

}  // namespace qw
