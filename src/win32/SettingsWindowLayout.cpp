// The settings dialog's controls and their places, in dialog units. Labels
// that share a line with text boxes are as wide as their text, so the line
// reads as one sentence in any font.

#include "win32/SettingsWindow.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>

#include "QuillwaveVersion.h"
#include "win32/kit/Fonts.h"

namespace qw::win32 {

namespace {

using enum SettingsControl;

constexpr int Margin = 7;        // around the tabs and the buttons
constexpr int PageMargin = 6;    // inside the tab control
constexpr int PageWidth = 270;   // the pages' content
constexpr int FrameInset = 8;    // frame border to content, across
constexpr int FrameTop = 11;     // frame top to content, below its caption
constexpr int FrameBottom = 7;
constexpr int CheckHeight = 10;
constexpr int CheckStep = 12;
constexpr int FieldHeight = 14;  // text boxes and buttons
constexpr int LabelHeight = 8;
constexpr int LabelDrop = 3;     // a label's offset on a line of text boxes
constexpr int NumberWidth = 24;
constexpr int ButtonWidth = 50;
constexpr int Gap = 4;

constexpr DWORD Label = SS_LEFT | WS_GROUP;
constexpr DWORD Frame = BS_GROUPBOX | WS_GROUP;
constexpr DWORD CheckBox = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP;
constexpr DWORD TextBox = ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP;
constexpr DWORD PushButton = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;
constexpr DWORD ColorLabel = SS_OWNERDRAW | WS_GROUP;

const wchar_t* const InboxIntro =
    L"All received files are initially stored in the Quillwave! inbox. Below you can choose the additional "
    L"actions you want Quillwave! to take when a file is received.";
const wchar_t* const ScreenSaverIntro =
    L"With the Quillwave! screen saver all your favorite images are shown in a slide show when you're not using "
    L"your computer. You can even beam new images into the screen saver when it is running.";
const wchar_t* const ClockIntro = L"If enabled, the clock is shown in the lower right corner of the screen. ";

// The Inbox page's check boxes, top to bottom; '&' marks the mnemonic.
struct CheckBoxCaption {
    SettingsControl Box;
    const wchar_t* Caption;
};
constexpr CheckBoxCaption InboxCheckBoxes[] = {
    {ShowWindowBox, L"&Show Quillwave!"},
    {PrintBox, L"&Print the file (only for images)"},
    {ClipboardBox, L"Copy the file content to the c&lipboard (only for images)"},
    {EmailBox, L"Create an empty &email with the file as an attachment"},
    {WallpaperBox, L"Use as &desktop background (only for images)"},
    {AddToScreenSaverBox, L"&Add the file to the screen saver (only for images)"},
    {CopyToFolderBox, L"Copy the file to a &folder"},
};

}  // namespace

HWND SettingsWindow::AddToPage(SettingsPage page, const wchar_t* className, const std::wstring& text, DWORD style,
                               const RECT& place, int id, DWORD exStyle) {
    HWND control = AddControl(className, text, style, place, id, exStyle);
    pageControls_.emplace_back(control, page);
    return control;
}

void SettingsWindow::CreateControls() {
    const DialogUnits& du = Units();
    // The tab control first, for the height of its tabs; it goes below the
    // pages' controls at the end, so they are drawn over it and it comes
    // after OK and Cancel in the Tab order, as in the system's own dialogs.
    tabs_ = AddControl(WC_TABCONTROLW, L"", WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS | TCS_OWNERDRAWFIXED,
                       {0, 0, 400, 300}, IdSettingsTabs);
    // Drawn plain (a theme name that names no theme), so its pages have the
    // face colour of the controls on them instead of the theme's white.
    SetWindowTheme(tabs_, L" ", L" ");
    const wchar_t* titles[] = {L"Inbox", L"Screen Saver", L"About"};
    for (int i = 0; i < 3; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(titles[i]);
        TabCtrl_InsertItem(tabs_, i, &item);
    }
    RECT probe{0, 0, 1000, 1000};
    TabCtrl_AdjustRect(tabs_, FALSE, &probe);
    const int tabsLeft = du.X(Margin), tabsTop = du.Y(Margin);
    const POINT origin{tabsLeft + probe.left + du.X(PageMargin), tabsTop + probe.top + du.Y(PageMargin)};

    clockFont_ = FontFrom(MessageFontDescription(), FW_BOLD);
    const int pageHeight =
        std::max({LayOutInboxPage(origin), LayOutScreenSaverPage(origin), LayOutAboutPage(origin)});

    const int tabsWidth = probe.left + du.X(PageWidth + 2 * PageMargin) + (1000 - probe.right);
    const int tabsHeight = probe.top + du.Y(pageHeight + 2 * PageMargin) + (1000 - probe.bottom);
    SetWindowPos(tabs_, HWND_BOTTOM, tabsLeft, tabsTop, tabsWidth, tabsHeight, SWP_NOACTIVATE);

    const int buttonsTop = tabsTop + tabsHeight + du.Y(Margin);
    const int right = tabsLeft + tabsWidth;
    const RECT cancel{right - du.X(ButtonWidth), buttonsTop, right, buttonsTop + du.Y(FieldHeight)};
    const RECT ok{cancel.left - du.X(Gap + ButtonWidth), buttonsTop, cancel.left - du.X(Gap), cancel.bottom};
    AddControl(L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, ok, IDOK);
    AddControl(L"BUTTON", L"Cancel", PushButton, cancel, IDCANCEL);
    // Made after them, the buttons would come before the tabs in the Tab order.
    SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetClientSize(right + du.X(Margin), cancel.bottom + du.Y(Margin));
    ShowPage(page_);
}

int SettingsWindow::LayOutInboxPage(POINT origin) {
    const DialogUnits& du = Units();
    const SettingsPage page = SettingsPage::Inbox;
    const int inner = PageWidth - 2 * FrameInset;
    int y = FrameTop;
    const int introHeight = du.TextHeight(InboxIntro, inner);
    const HWND frame = AddToPage(page, L"BUTTON", L"New Files", Frame, {}, 0);
    AddToPage(page, L"STATIC", InboxIntro, Label, du.Rect(origin, FrameInset, y, inner, introHeight), 0);
    y += introHeight + 5;
    AddToPage(page, L"STATIC", L"When a new file is received:", Label,
              du.Rect(origin, FrameInset, y, inner, LabelHeight), 0);
    y += LabelHeight + Gap;
    for (const CheckBoxCaption& box : InboxCheckBoxes) {
        controls_[static_cast<std::size_t>(box.Box)] =
            AddToPage(page, L"BUTTON", box.Caption, CheckBox, du.Rect(origin, FrameInset, y, inner, CheckHeight),
                      SettingsControlId(box.Box));
        y += CheckStep;
    }
    // The folder, indented under its check box, with its button at the end.
    const int indent = FrameInset + 12;
    const int browseWidth = 16;
    const int folderWidth = PageWidth - FrameInset - browseWidth - Gap - indent;
    controls_[static_cast<std::size_t>(CopyFolderText)] =
        AddToPage(page, L"EDIT", L"", TextBox, du.Rect(origin, indent, y, folderWidth, FieldHeight),
                  SettingsControlId(CopyFolderText), WS_EX_CLIENTEDGE);
    controls_[static_cast<std::size_t>(BrowseCopyFolder)] = AddToPage(
        page, L"BUTTON", L"...", PushButton,
        du.Rect(origin, indent + folderWidth + Gap, y, browseWidth, FieldHeight), SettingsControlId(BrowseCopyFolder));
    y += FieldHeight + FrameBottom;
    const RECT place = du.Rect(origin, 0, 0, PageWidth, y);
    MoveWindow(frame, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);

    // Below the frame: the folder where Windows' own ways of receiving save
    // files, its path shown read-only, chosen with "Browse...".
    y += 6;
    controls_[static_cast<std::size_t>(ReceivedFolderBox)] =
        AddToPage(page, L"BUTTON", L"Also &take over files saved to this folder:", CheckBox,
                  du.Rect(origin, 0, y, PageWidth, CheckHeight), SettingsControlId(ReceivedFolderBox));
    y += CheckHeight + 3;
    const int receivedIndent = 12;
    const int browseButton = std::max(ButtonWidth, du.TextWidth(L"B&rowse...") + 12);
    const int receivedWidth = PageWidth - receivedIndent - Gap - browseButton;
    controls_[static_cast<std::size_t>(ReceivedFolderText)] =
        AddToPage(page, L"EDIT", L"", TextBox | ES_READONLY, du.Rect(origin, receivedIndent, y, receivedWidth, FieldHeight),
                  SettingsControlId(ReceivedFolderText), WS_EX_CLIENTEDGE);
    controls_[static_cast<std::size_t>(BrowseReceivedFolder)] =
        AddToPage(page, L"BUTTON", L"B&rowse...", PushButton,
                  du.Rect(origin, receivedIndent + receivedWidth + Gap, y, browseButton, FieldHeight),
                  SettingsControlId(BrowseReceivedFolder));
    return y + FieldHeight;
}

int SettingsWindow::LayOutScreenSaverPage(POINT origin) {
    const DialogUnits& du = Units();
    const SettingsPage page = SettingsPage::ScreenSaver;
    const int inner = PageWidth - 2 * FrameInset;
    auto add = [&](const wchar_t* className, const std::wstring& text, DWORD style, RECT place, int id = 0,
                   DWORD exStyle = 0) { return AddToPage(page, className, text, style, place, id, exStyle); };
    auto keep = [&](SettingsControl control, HWND window) { controls_[static_cast<std::size_t>(control)] = window; };
    // A label as wide as its text on a line of text boxes; returns where the line goes on.
    auto inlineLabel = [&](const std::wstring& text, int x, int line) {
        const int width = du.TextWidth(text) + 1;
        add(L"STATIC", text, Label, du.Rect(origin, x, line + LabelDrop, width, LabelHeight));
        return x + width;
    };
    auto number = [&](SettingsControl box, int x, int line) {
        keep(box, add(L"EDIT", L"", TextBox, du.Rect(origin, x, line, NumberWidth, FieldHeight),
                      SettingsControlId(box), WS_EX_CLIENTEDGE));
        return x + NumberWidth + 2;
    };

    const int introHeight = du.TextHeight(ScreenSaverIntro, PageWidth);
    add(L"STATIC", ScreenSaverIntro, Label, du.Rect(origin, 0, 0, PageWidth, introHeight));
    int y = introHeight + 5;
    keep(UseScreenSaverBox, add(L"BUTTON", L"&Use the Quillwave! screen saver", CheckBox,
                                du.Rect(origin, 0, y, PageWidth, CheckHeight), SettingsControlId(UseScreenSaverBox)));
    y += CheckHeight + 5;

    // The swatch and the clock preview share one column and one width, so
    // their two "Pick Color" buttons line up.
    const int column = FrameInset + std::max(du.TextWidth(L"&Background color:"), 12 + du.TextWidth(L"Show &clock")) + 6;
    const int previewWidth = std::max(40, du.TextWidth(L"00:00:00 AM") + 12);
    const int buttonLeft = column + previewWidth + Gap;

    const int settingsTop = y;
    const HWND settingsFrame = add(L"BUTTON", L"Settings", Frame, {});
    y += FrameTop;
    keep(OriginalSizeOption,
         add(L"BUTTON", L"Show images using &original size", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP,
             du.Rect(origin, FrameInset, y, inner, CheckHeight), SettingsControlId(OriginalSizeOption)));
    y += CheckStep;
    keep(ResizeOption, add(L"BUTTON", L"St&retch images to fit screen", BS_AUTORADIOBUTTON,
                           du.Rect(origin, FrameInset, y, inner, CheckHeight), SettingsControlId(ResizeOption)));
    y += CheckStep + 2;
    int x = inlineLabel(L"S&how ", FrameInset, y);
    x = number(ColumnsText, x, y);
    x = inlineLabel(L"image(s) wide &and ", x, y);
    x = number(RowsText, x, y);
    inlineLabel(L"image(s) tall on the screen.", x, y);
    y += FieldHeight + Gap;
    x = inlineLabel(L"Show each image &for ", FrameInset, y);
    x = number(SecondsText, x, y);
    inlineLabel(L"seconds.", x, y);
    y += FieldHeight + Gap;
    inlineLabel(L"&Background color:", FrameInset, y);
    swatch_ = add(L"STATIC", L"", ColorLabel, du.Rect(origin, column, y, previewWidth, FieldHeight),
                  IdBackgroundColorSwatch, WS_EX_STATICEDGE);
    add(L"BUTTON", L"Pick Color", PushButton, du.Rect(origin, buttonLeft, y, ButtonWidth, FieldHeight),
        IdSelectBackgroundColor);
    y += FieldHeight + FrameBottom;
    RECT place = du.Rect(origin, 0, settingsTop, PageWidth, y - settingsTop);
    MoveWindow(settingsFrame, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);

    y += 5;
    const int clockTop = y;
    const HWND clockFrame = add(L"BUTTON", L"Clock", Frame, {});
    y += FrameTop;
    const int clockIntroHeight = du.TextHeight(ClockIntro, inner);
    add(L"STATIC", ClockIntro, Label, du.Rect(origin, FrameInset, y, inner, clockIntroHeight));
    y += clockIntroHeight + Gap;
    keep(ShowClockBox, add(L"BUTTON", L"Show &clock", CheckBox,
                           du.Rect(origin, FrameInset, y + 2, column - FrameInset - 4, CheckHeight),
                           SettingsControlId(ShowClockBox)));
    clock_ = add(L"STATIC", L"", ColorLabel, du.Rect(origin, column, y, previewWidth, FieldHeight), IdClockPreview,
                 WS_EX_STATICEDGE);
    add(L"BUTTON", L"Pick Color", PushButton, du.Rect(origin, buttonLeft, y, ButtonWidth, FieldHeight),
        IdSelectClockColor);
    y += FieldHeight + FrameBottom;
    place = du.Rect(origin, 0, clockTop, PageWidth, y - clockTop);
    MoveWindow(clockFrame, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);
    return y;
}

int SettingsWindow::LayOutAboutPage(POINT origin) {
    const DialogUnits& du = Units();
    const int height = FrameTop + LabelHeight + FrameBottom + 4;
    AddToPage(SettingsPage::About, L"BUTTON", L"About", Frame, du.Rect(origin, 0, 0, PageWidth, height), 0);
    AddToPage(SettingsPage::About, L"STATIC", L"Quillwave! version " QW_VERSION_TEXT, Label | SS_NOPREFIX,
              du.Rect(origin, FrameInset, FrameTop + 2, PageWidth - 2 * FrameInset, LabelHeight), 0);
    return height;
}

}  // namespace qw::win32
