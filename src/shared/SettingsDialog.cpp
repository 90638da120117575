#include "shared/SettingsDialog.h"

#include <optional>
#include <stdexcept>

#include "shared/RegistryValues.h"
#include "shared/Text.h"

namespace qw {

namespace {

using enum SettingsControl;

constexpr const char* ValidationTitle = "Screen Saver";

// The numbers are checked in this order, each against its range; the first
// failure is the only one the user sees. What is checked is the whole number
// that will be stored, so 60.4 seconds pass as the 60 they become, and 0.5
// fails as the 0 it would become.
struct NumberRange {
    SettingsControl TextBox;
    double Lowest;
    double Highest;
    const char* TooSmall;
    const char* TooLarge;
};

constexpr NumberRange NumberRanges[] = {
    {SecondsText, 1, 60, "Images used in the screen saver must be shown for at least one second.",
     "Images used in the screen saver can be shown for a maximum of 60 seconds."},
    {ColumnsText, 1, 50, "At least one image wide must be shown.", "A maximum of 50 images wide can be shown."},
    {RowsText, 1, 50, "At least one image tall must be shown.", "A maximum of 50 images tall can be shown."},
};

// The controls each check box enables when ticked and disables otherwise.
constexpr SettingsControl CopyToFolderControls[] = {CopyFolderText, BrowseCopyFolder};
constexpr SettingsControl ReceivedFolderControls[] = {ReceivedFolderText, BrowseReceivedFolder};
constexpr SettingsControl ScreenSaverControls[] = {OriginalSizeOption, ResizeOption, SecondsText,
                                                   ShowClockBox,         RowsText,  ColumnsText};

double NumberToStore(const std::string& text) {
    const double value = NumericValue(text);
    try {
        return static_cast<double>(RoundHalfEven(value));
    } catch (const std::out_of_range&) {
        return value;  // beyond 64 bits, and so far outside every range
    }
}

template <std::size_t N>
void SetEnabled(SettingsDialogView& view, const SettingsControl (&controls)[N], bool enabled) {
    for (const SettingsControl control : controls) view.SetEnabled(control, enabled);
}

}  // namespace

SettingsDialog::SettingsDialog(SettingsDialogView& view, SettingsDialogPorts ports,
                               const ReceivedFolderPorts* received)
    : view_(view), ports_(ports), received_(received) {
    SetEnabled(view_, CopyToFolderControls, false);
    SetEnabled(view_, ReceivedFolderControls, false);
    // Without a home for it (the screen saver's dialog) the box stays unavailable.
    view_.SetEnabled(ReceivedFolderBox, received_ != nullptr);
    SetEnabled(view_, ScreenSaverControls, false);
    view_.SetResizeImages(false);
    view_.SetClockText(ports_.Clock.LongTimeText());
    view_.StartClockTimer(ClockPreviewInterval);
}

void SettingsDialog::Open(SettingsTab startTab, bool hideInboxTab, const SettingsRecord& record) {
    view_.SelectTab(startTab);
    view_.SetInboxTabAvailable(!hideInboxTab);
    Fill(record);
}

void SettingsDialog::Fill(const SettingsRecord& record) {
    const SettingsDialogValues values = DialogValuesFrom(record);
    // Filling a check box runs its click handler, as a click would, so the
    // dependent controls come up enabled exactly when their box is ticked.
    auto tick = [this](SettingsControl box, CheckState state) {
        view_.SetCheck(box, state);
        OnCheckBoxClick(box);
    };
    tick(ShowWindowBox, values.ShowWindowBox);
    tick(PrintBox, values.PrintBox);
    tick(ClipboardBox, values.ClipboardBox);
    tick(EmailBox, values.EmailBox);
    tick(WallpaperBox, values.WallpaperBox);
    tick(AddToScreenSaverBox, values.AddToScreenSaverBox);
    tick(CopyToFolderBox, values.CopyToFolderBox);
    view_.SetText(CopyFolderText, values.CopyFolderText);
    if (received_) {
        const std::string folder = ReadReceivedFolder(received_->Registry);
        view_.SetText(ReceivedFolderText, folder);
        tick(ReceivedFolderBox, folder.empty() ? CheckState::Unchecked : CheckState::Checked);
    }
    tick(UseScreenSaverBox, values.UseScreenSaverBox);
    // Unset, the option keeps its first choice, "Show images using original size".
    if (values.ResizeOption) view_.SetResizeImages(true);
    view_.SetText(SecondsText, values.SecondsText);
    tick(ShowClockBox, values.ShowClockBox);
    backgroundColor_ = values.BackgroundColor;
    clockColor_ = values.ClockColor;
    view_.SetSwatchColor(backgroundColor_);
    view_.SetClockBackColor(backgroundColor_);
    view_.SetClockTextColor(clockColor_);
    view_.SetText(ColumnsText, values.ColumnsText);
    view_.SetText(RowsText, values.RowsText);
}

void SettingsDialog::OnCheckBoxClick(SettingsControl box) {
    // Greyed counts as not ticked, as it does when the box is saved.
    const bool ticked = view_.Check(box) == CheckState::Checked;
    if (box == CopyToFolderBox) SetEnabled(view_, CopyToFolderControls, ticked);
    if (box == ReceivedFolderBox) SetEnabled(view_, ReceivedFolderControls, ticked);
    if (box == UseScreenSaverBox) SetEnabled(view_, ScreenSaverControls, ticked);
}

void SettingsDialog::OnOk() {
    // The checks run whether or not their controls are enabled.
    if (!NumbersAccepted() || !FolderStorable() || !ReceivedFolderAccepted()) return;
    End(true);
}

void SettingsDialog::OnCancel() { End(false); }

void SettingsDialog::OnClose() { End(false); }

bool SettingsDialog::NumbersAccepted() {
    for (const NumberRange& range : NumberRanges) {
        const double value = NumberToStore(view_.Text(range.TextBox));
        const char* refusal = value < range.Lowest ? range.TooSmall : value > range.Highest ? range.TooLarge : nullptr;
        if (refusal) {
            ports_.Messages.Show(refusal, ValidationTitle, MessageIcon::Information);
            return false;
        }
    }
    return true;
}

// The settings file holds the folder in the ANSI code page, where other
// letters turn into "?" and the copies would go nowhere. Windows keeps a
// short name in plain letters for most folders, which serves as well.
bool SettingsDialog::FolderStorable() {
    const std::string folder = Trim(view_.Text(CopyFolderText));
    if (Storable(folder)) return true;
    const std::optional<std::string> shortForm = ports_.ShortPaths.ShortPathOf(folder);
    if (shortForm && Storable(*shortForm)) {
        view_.SetText(CopyFolderText, *shortForm);
        return true;
    }
    // Nothing is copied to a folder while the box is unticked.
    if (view_.Check(CopyToFolderBox) != CheckState::Checked) return true;
    ports_.Messages.Show("This folder's name cannot be stored in the settings file. Please choose another folder.",
                         "Settings", MessageIcon::Information);
    return false;
}

std::string SettingsDialog::ReceivedFolder() const {
    if (!received_ || view_.Check(ReceivedFolderBox) != CheckState::Checked) return {};
    return view_.Text(ReceivedFolderText);
}

// Taking over moves every file away from the folder: one that holds other
// files too would be emptied.
bool SettingsDialog::ReceivedFolderAccepted() {
    const std::string folder = ReceivedFolder();
    if (folder.empty()) return true;
    const KnownFolders known{received_->ApplicationFolder, Trim(view_.Text(CopyFolderText)),
                             ReadTextOr(received_->Registry, StackInboxValue),
                             ReadTextOr(received_->Registry, StackRootValue)};
    if (!HoldsOtherFiles(received_->System, folder, known)) return true;
    ports_.Messages.Show(
        "This folder holds other files too. Choose a folder that is used only for files received from a phone.",
        "Settings", MessageIcon::Information);
    return false;
}

bool SettingsDialog::Storable(const std::string& text) const {
    return ports_.Ansi.ToUtf8(ports_.Ansi.FromUtf8(text)) == text;
}

void SettingsDialog::End(bool confirmed) {
    confirmed_ = confirmed;
    view_.StopClockTimer();
    view_.Hide(confirmed);
}

void SettingsDialog::OnSelectFolder() {
    if (const auto chosen = ports_.Folders.SelectFolder(view_.Text(CopyFolderText)))
        view_.SetText(CopyFolderText, *chosen);
}

void SettingsDialog::OnSelectReceivedFolder() {
    if (const auto chosen = ports_.Folders.SelectFolder(view_.Text(ReceivedFolderText)))
        view_.SetText(ReceivedFolderText, *chosen);
}

namespace {

// A colour dialog that fails counts as cancelled: the colour stays.
std::optional<std::int32_t> PickedColor(ColorPicker& colors, std::int32_t start) {
    try {
        return colors.PickColor(start);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace

void SettingsDialog::OnSelectBackgroundColor() {
    const auto color = PickedColor(ports_.Colors, backgroundColor_);
    if (!color) return;
    backgroundColor_ = *color;
    view_.SetSwatchColor(backgroundColor_);
    view_.SetClockBackColor(backgroundColor_);
}

void SettingsDialog::OnSelectClockColor() {
    const auto color = PickedColor(ports_.Colors, clockColor_);
    if (!color) return;
    clockColor_ = *color;
    view_.SetClockTextColor(clockColor_);
}

void SettingsDialog::OnClockTimer() { view_.SetClockText(ports_.Clock.LongTimeText()); }

SettingsDialogValues SettingsDialog::Values() const {
    SettingsDialogValues values;
    values.ShowWindowBox = view_.Check(ShowWindowBox);
    values.PrintBox = view_.Check(PrintBox);
    values.ClipboardBox = view_.Check(ClipboardBox);
    values.EmailBox = view_.Check(EmailBox);
    values.WallpaperBox = view_.Check(WallpaperBox);
    values.AddToScreenSaverBox = view_.Check(AddToScreenSaverBox);
    values.CopyToFolderBox = view_.Check(CopyToFolderBox);
    values.UseScreenSaverBox = view_.Check(UseScreenSaverBox);
    values.ShowClockBox = view_.Check(ShowClockBox);
    values.ResizeOption = view_.ResizeImages();
    values.CopyFolderText = view_.Text(CopyFolderText);
    values.SecondsText = view_.Text(SecondsText);
    values.ColumnsText = view_.Text(ColumnsText);
    values.RowsText = view_.Text(RowsText);
    values.BackgroundColor = backgroundColor_;
    values.ClockColor = clockColor_;
    return values;
}

void SettingsDialogEditor::EditSettings(SettingsTab startTab, bool hideInboxTab, const std::string& settingsFile,
                                        SettingsRecord& record) {
    SettingsDialogValues values;
    std::string receivedFolder;
    {
        const std::unique_ptr<SettingsDialogView> window = makeWindow_();
        SettingsDialog dialog(*window, ports_, received_ ? &*received_ : nullptr);
        dialog.Open(startTab, hideInboxTab, record);
        open_ = &dialog;
        try {
            window->ShowModal(dialog);
        } catch (...) {
            open_ = nullptr;
            throw;
        }
        open_ = nullptr;
        if (!dialog.Confirmed()) return;
        values = dialog.Values();
        receivedFolder = dialog.ReceivedFolder();
    }  // the dialog is gone before any message appears

    if (received_) {
        try {
            StoreReceivedFolder(received_->Registry, receivedFolder);
        } catch (const std::exception&) {
            ports_.Messages.Show("The folder of received files could not be stored.", "Settings",
                                 MessageIcon::Critical);
        }
    }

    // The screen saver learns where the settings live from the main
    // program's first start; before it there is nowhere to save them.
    if (settingsFile.empty()) {
        ports_.Messages.Show("The settings cannot be saved until Quillwave! has been started once.", ValidationTitle,
                             MessageIcon::Information);
        return;
    }
    try {
        SaveSettings(files_, ports_.Ansi, settingsFile, values, record);
    } catch (const FileSystemError&) {
        ports_.Messages.Show("The settings could not be saved to " + settingsFile + ".", "Settings",
                             MessageIcon::Critical);
    }
}

void SettingsDialogEditor::CloseSettingsDialog() {
    if (open_) open_->OnClose();
}

}  // namespace qw
