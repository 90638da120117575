#pragma once
// A settings dialog window that records what its presenter sets, and a
// factory whose dialogs play the user while they are shown.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "shared/SettingsDialog.h"

namespace qw {

class FakeSettingsDialogView : public SettingsDialogView {
public:
    // What the user does while the dialog is shown modally.
    using User = std::function<void(SettingsDialog&, FakeSettingsDialogView&)>;

    std::map<SettingsControl, CheckState> checks;
    std::map<SettingsControl, bool> disabled;  // a control is enabled until set otherwise
    std::map<SettingsControl, std::string> texts;
    bool resizeImages = false;
    std::optional<SettingsTab> tab;
    bool inboxTabAvailable = true;
    std::int32_t swatchColor = -1, clockBackColor = -1, clockTextColor = -1;
    std::string clockText;
    unsigned clockTimer = 0;  // 0: stopped
    std::optional<bool> hidden;  // confirmed or not, once hidden
    User user;

    bool Enabled(SettingsControl control) const { return !disabled.count(control) || !disabled.at(control); }
    // A click on a check box, which ticks or unticks it as Windows does.
    void Click(SettingsDialog& dialog, SettingsControl box) {
        checks[box] = Check(box) == CheckState::Checked ? CheckState::Unchecked : CheckState::Checked;
        dialog.OnCheckBoxClick(box);
    }

    void SetCheck(SettingsControl box, CheckState state) override { checks[box] = state; }
    CheckState Check(SettingsControl box) const override {
        return checks.count(box) ? checks.at(box) : CheckState::Unchecked;
    }
    void SetEnabled(SettingsControl control, bool enabled) override { disabled[control] = !enabled; }
    void SetText(SettingsControl box, const std::string& text) override { texts[box] = text; }
    std::string Text(SettingsControl box) const override { return texts.count(box) ? texts.at(box) : ""; }
    void SetResizeImages(bool resize) override { resizeImages = resize; }
    bool ResizeImages() const override { return resizeImages; }
    void SelectTab(SettingsTab t) override { tab = t; }
    void SetInboxTabAvailable(bool available) override { inboxTabAvailable = available; }
    void SetSwatchColor(std::int32_t color) override { swatchColor = color; }
    void SetClockBackColor(std::int32_t color) override { clockBackColor = color; }
    void SetClockTextColor(std::int32_t color) override { clockTextColor = color; }
    void SetClockText(const std::string& text) override { clockText = text; }
    void StartClockTimer(unsigned milliseconds) override { clockTimer = milliseconds; }
    void StopClockTimer() override { clockTimer = 0; }
    void Hide(bool confirmed) override { hidden = confirmed; }
    void ShowModal(SettingsDialog& dialog) override {
        if (user) user(dialog, *this);
    }
};

class FakeSettingsDialogs {
public:
    FakeSettingsDialogView::User user;  // given to every dialog created
    int created = 0;
    MakeSettingsWindow Maker() {
        return [this]() -> std::unique_ptr<SettingsDialogView> {
            ++created;
            auto dialog = std::make_unique<FakeSettingsDialogView>();
            dialog->user = user;
            return dialog;
        };
    }
};

}  // namespace qw
