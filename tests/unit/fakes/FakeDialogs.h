#pragma once
// Message boxes, the folder picker, the colour dialog and the clock, answered
// by the test. The modal ones can run `whileOpen` before they answer, as the
// user or the watcher would while they are on screen.

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "shared/Clock.h"
#include "shared/Dialogs.h"

namespace qw {

struct ShownMessage {
    std::string Text;
    std::string Title;
    MessageIcon Icon{};
    bool operator==(const ShownMessage&) const = default;
};

class RecordingMessageBoxes : public MessageBoxes {
public:
    std::vector<ShownMessage> shown;
    std::function<void()> whileOpen;
    void Show(const std::string& text, const std::string& title, MessageIcon icon) override {
        shown.push_back({text, title, icon});
        if (whileOpen) std::exchange(whileOpen, nullptr)();
    }
};

class RecordingQuestions : public Questions {
public:
    std::vector<std::string> asked;
    bool AskYesNo(const std::string& text, const std::string&) override { return asked.push_back(text), false; }
};

class FakeFolderPicker : public FolderPicker {
public:
    std::optional<std::string> answer;  // nothing: the user cancels
    std::vector<std::string> startFolders;
    std::function<void()> whileOpen;
    std::optional<std::string> SelectFolder(const std::string& startFolder) override {
        startFolders.push_back(startFolder);
        if (whileOpen) std::exchange(whileOpen, nullptr)();
        return answer;
    }
};

class FakeColorPicker : public ColorPicker {
public:
    std::optional<std::int32_t> answer;  // nothing: the user cancels
    bool fails = false;
    std::vector<std::int32_t> startColors;
    std::optional<std::int32_t> PickColor(std::int32_t startColor) override {
        startColors.push_back(startColor);
        if (fails) throw std::runtime_error("the colour dialog could not be shown");
        return answer;
    }
};

class FakeClock : public Clock {
public:
    std::string now = "14:05:09";
    std::string LongTimeText() override { return now; }
};

}  // namespace qw
