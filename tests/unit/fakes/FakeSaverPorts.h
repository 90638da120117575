#pragma once
// The screen saver's ports beyond files, registry, pictures and its window,
// in one fake that writes every request into one log, so a test reads what
// happened and in which order: "hide pointer", "cover 0",
// "full Quillwave! Screen Saver 0", "preview 1234 0", "end",
// "edit <file>", "install", "remove", "message <title>: <text>".

#include <cstdint>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "saver/SaverPorts.h"
#include "shared/Clock.h"
#include "shared/Dialogs.h"
#include "shared/SettingsEditing.h"

namespace qw {

class FakeSaverSystem : public Clock, public MessageBoxes, public SettingsEditor, public ScreenSaverInstaller,
                        public SaverProcess, public SaverWindows {
public:
    std::vector<std::string> log;
    std::string now = "12:00:00";
    bool otherInstance = false;
    bool failInstall = false;
    std::set<std::uint64_t> windows;           // handles that name a window
    std::function<void(SettingsRecord&)> user;  // what OK changes in the dialog
    std::function<void()> whileOpening;         // the focus arriving as the window shows

    std::string LongTimeText() override { return now; }
    void Show(const std::string& text, const std::string& title, MessageIcon icon) override {
        log.push_back("message " + title + ": " + text + (icon == MessageIcon::Information ? " (i)" : " (x)"));
    }
    void EditSettings(SettingsTab tab, bool hideInboxTab, const std::string& file, SettingsRecord& record) override {
        if (tab != SettingsTab::ScreenSaver || !hideInboxTab) throw std::logic_error("wrong tabs");
        log.push_back("edit " + file);
        if (user) user(record);
    }
    void CloseSettingsDialog() override { log.push_back("close dialog"); }
    void InstallScreenSaver() override {
        log.push_back("install");
        if (failInstall) throw std::runtime_error("access denied");
    }
    void RemoveScreenSaver() override { log.push_back("remove"); }
    bool IsScreenSaverAlreadyRunning(const std::string& title) override {
        log.push_back("find " + title);
        return otherInstance;
    }
    std::uint32_t ProcessId() override { return 4242; }
    void HidePointer() override { log.push_back("hide pointer"); }
    void ShowPointer() override { log.push_back("show pointer"); }
    void EndProcess() override { log.push_back("end"); }
    void CoverOtherMonitors(std::uint32_t background) override {
        log.push_back("cover " + std::to_string(background));
    }
    void OpenFullScreen(const std::string& title, std::uint32_t background) override {
        log.push_back("full " + title + " " + std::to_string(background));
        if (whileOpening) whileOpening();
    }
    bool OpenPreview(std::uint64_t parent, std::uint32_t background) override {
        log.push_back("preview " + std::to_string(parent) + " " + std::to_string(background));
        return windows.count(parent) != 0;
    }
};

}  // namespace qw
