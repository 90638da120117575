#pragma once
// Fakes of the screen saver's ports beyond files, registry and pictures:
// the clock, message boxes, the settings dialog and Windows' screen-saver
// choice, the process and the windows. Each records what it was asked.

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "saver/SaverPorts.h"
#include "shared/Clock.h"
#include "shared/Dialogs.h"
#include "shared/SettingsEditing.h"

namespace qw {

class FakeClock : public Clock {
public:
    std::string now = "12:00:00";
    std::string LongTimeText() override { return now; }
};

class RecordingMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        std::string Text, Title;
        MessageIcon Icon{};
    };
    std::vector<Shown> shown;
    void Show(const std::string& text, const std::string& title, MessageIcon icon) override {
        shown.push_back({text, title, icon});
    }
};

class RecordingSettingsEditor : public SettingsEditor {
public:
    struct Call {
        SettingsTab Tab{};
        bool HideInboxTab = false;
        std::string File;
    };
    std::vector<Call> calls;
    // What the user does in the dialog: changes the record as OK would.
    std::function<void(SettingsRecord&)> user;
    void EditSettings(SettingsTab startTab, bool hideInboxTab, const std::string& settingsFile,
                      SettingsRecord& record) override {
        calls.push_back({startTab, hideInboxTab, settingsFile});
        if (user) user(record);
    }
};

class RecordingInstaller : public ScreenSaverInstaller {
public:
    std::vector<std::string> calls;  // "install", "remove"
    bool failInstall = false;
    void InstallScreenSaver() override {
        calls.push_back("install");
        if (failInstall) throw std::runtime_error("access denied");
    }
    void RemoveScreenSaver() override { calls.push_back("remove"); }
};

class FakeSaverProcess : public SaverProcess {
public:
    bool otherInstance = false;
    std::vector<std::string> askedForTitles;
    std::uint32_t id = 4242;
    int pointerCount = 0;  // the display count: -1 after one hide
    int pointerChanges = 0;
    int ended = 0;

    bool IsScreenSaverAlreadyRunning(const std::string& windowTitle) override {
        askedForTitles.push_back(windowTitle);
        return otherInstance;
    }
    std::uint32_t ProcessId() override { return id; }
    void HidePointer() override {
        --pointerCount;
        ++pointerChanges;
    }
    void ShowPointer() override {
        ++pointerCount;
        ++pointerChanges;
    }
    void EndProcess() override { ++ended; }
};

class FakeSaverWindows : public SaverWindows {
public:
    std::vector<std::string> calls;  // "cover 255", "full Quillwave! Screen Saver 255", "preview 1234 255", "close"
    std::set<std::uint64_t> windows;  // handles that name a window
    // Called while the window is being opened, as the focus arrives.
    std::function<void()> whileOpening;

    void CoverOtherMonitors(std::uint32_t background) override {
        calls.push_back("cover " + std::to_string(background));
    }
    void OpenFullScreen(const std::string& title, std::uint32_t background) override {
        calls.push_back("full " + title + " " + std::to_string(background));
        if (whileOpening) whileOpening();
    }
    bool OpenPreview(std::uint64_t parent, std::uint32_t background) override {
        calls.push_back("preview " + std::to_string(parent) + " " + std::to_string(background));
        return windows.count(parent) != 0;
    }
    void CloseAll() override { calls.push_back("close"); }
};

}  // namespace qw
