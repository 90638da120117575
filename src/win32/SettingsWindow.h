#pragma once
// The settings dialog "Settings" as a Windows dialog, shared by both
// programs: a tab control of the pages "Inbox", "Screen Saver" and "About",
// and OK and Cancel below it. It shows what its presenter (SettingsDialog)
// tells it and reports every click, key and timer tick back; it decides
// nothing itself.

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "shared/SettingsDialog.h"
#include "win32/kit/Dialog.h"
#include "win32/kit/Handles.h"

namespace qw::win32 {

inline constexpr const wchar_t* SettingsWindowClass = L"QuillwaveSettingsDialog";

// Identifiers of the dialog's controls. OK and Cancel are IDOK and IDCANCEL;
// each SettingsControl is FirstSettingsControlId + its value.
enum SettingsDialogId : int {
    IdSettingsTabs = 50,
    IdSelectBackgroundColor,
    IdSelectClockColor,
    IdBackgroundColorSwatch,  // lblBackgroundColor
    IdClockPreview,           // lblClock
    FirstSettingsControlId = 100,
};

inline int SettingsControlId(SettingsControl control) {
    return FirstSettingsControlId + static_cast<int>(control);
}

enum class SettingsPage : int { Inbox = 0, ScreenSaver = 1, About = 2 };

class SettingsWindow : public DialogWindow, public SettingsDialogView {
public:
    // The hidden dialog with every control in place. Throws
    // std::runtime_error when a part of it cannot be made.
    SettingsWindow(HINSTANCE instance, HWND owner);
    ~SettingsWindow() override;
    // What makes the settings dialogs owned by one window (nullptr for none).
    static MakeSettingsWindow Maker(HINSTANCE instance, HWND owner) {
        return [instance, owner] { return std::make_unique<SettingsWindow>(instance, owner); };
    }

    void SetCheck(SettingsControl box, CheckState state) override;
    CheckState Check(SettingsControl box) const override;
    void SetEnabled(SettingsControl control, bool enabled) override;
    void SetText(SettingsControl textBox, const std::string& text) override;
    std::string Text(SettingsControl textBox) const override;
    void SetResizeImages(bool resize) override;
    bool ResizeImages() const override;
    void SelectTab(SettingsTab tab) override;
    void SetInboxTabAvailable(bool available) override;
    void SetSwatchColor(std::int32_t color) override;
    void SetClockBackColor(std::int32_t color) override;
    void SetClockTextColor(std::int32_t color) override;
    void SetClockText(const std::string& text) override;
    void StartClockTimer(unsigned milliseconds) override;
    void StopClockTimer() override;
    void Hide(bool confirmed) override;
    void ShowModal(SettingsDialog& presenter) override;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool PreTranslate(const MSG& message) override;

private:
    // The controls and their places (SettingsWindowLayout.cpp).
    void CreateControls();
    HWND AddToPage(SettingsPage page, const wchar_t* className, const std::wstring& text, DWORD style,
                   const RECT& place, int id, DWORD exStyle = 0);
    int LayOutInboxPage(POINT origin);
    int LayOutScreenSaverPage(POINT origin);
    int LayOutAboutPage(POINT origin);

    HWND Control(SettingsControl control) const { return controls_[static_cast<std::size_t>(control)]; }
    void ShowPage(SettingsPage page);
    bool Available(int page) const { return page != static_cast<int>(SettingsPage::Inbox) || inboxAvailable_; }
    void StepPage(int step);
    void OnCommand(int id);
    void OnTabChanged();
    void DrawItem(const DRAWITEMSTRUCT& item);

    std::array<HWND, static_cast<std::size_t>(SettingsControl::ShowClockBox) + 1> controls_{};
    std::vector<std::pair<HWND, SettingsPage>> pageControls_;
    HWND tabs_ = nullptr;
    HWND swatch_ = nullptr;
    HWND clock_ = nullptr;
    Font clockFont_;
    COLORREF swatchColor_ = 0;
    COLORREF clockBackColor_ = 0;
    COLORREF clockTextColor_ = 0;
    std::wstring clockText_;
    bool inboxAvailable_ = true;
    SettingsPage page_ = SettingsPage::Inbox;
    SettingsDialog* presenter_ = nullptr;
};

}  // namespace qw::win32
