#pragma once
// The thumbnail strip's window: a white child window with six slots, each a
// picture or a 32 x 32 document icon inside a thin grey frame, and a
// horizontal scroll bar below them. It draws what the presenter tells it and
// reports clicks, scrolls and size changes through its callbacks; it knows
// nothing of the list behind the slots.
//
// Drawing is lazy: showing a slot only records what to draw and invalidates
// it, so a picture is rendered when it is painted (once per size, since the
// picture keeps its last rendering) and a run of changes before a paint costs
// one paint.

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "main/Keyboard.h"
#include "main/ThumbnailView.h"
#include "shared/Scale.h"
#include "win32/kit/Handles.h"
#include "win32/main/DrawnAccessible.h"
#include "win32/kit/Window.h"

namespace qw::win32 {

// From the keyboard the strip and its scroll bar take the focus and pass
// their keys on; the current slot shows the focus rectangle. For a screen
// reader each shown thumbnail is a part of the strip's accessible object
// (ThumbnailKeys.cpp, StripAccessible.cpp).
class ThumbnailControl : public Window, public qw::ThumbnailView, private AccessibleParts {
public:
    // Gives the icon of document entry 1 to 9 at size x size (32 x 32 at
    // 96 dpi), or nothing; a missing icon is drawn as the system's application icon.
    using IconLoader = std::function<Icon(int entry, int size)>;
    // The program's own document icons, from the resources of `instance`.
    static IconLoader ResourceIcons(HINSTANCE instance);

    // A visible child window (args give the parent and the place). Without a
    // loader the icons come from the resources of `instance`. Throws
    // std::runtime_error when a window cannot be made.
    ThumbnailControl(HINSTANCE instance, WindowArgs args, IconLoader icons = {});

    HWND ScrollBarWindow() const { return scrollBar_; }
    HWND ToolTipWindow() const { return toolTip_.Get(); }

    // ---- ThumbnailView. Slots are 1 to 6; other numbers throw std::out_of_range.
    void ShowPicture(int slot, std::shared_ptr<const qw::Picture> picture, SlotRect image,
                     const std::string& toolTip) override;
    void ShowIcon(int slot, int iconEntry, SlotRect image, const std::string& toolTip) override;
    void HideSlot(int slot) override;
    void SetSlotName(int slot, const std::string& name) override;
    void SetCurrentSlot(int slot) override;
    void SetScrollBar(bool enabled, int maximum, int value) override;
    void SetScrollBarWidth(int width) override;
    int ClientWidth() const override;

    // The resolution the strip draws its frames, scroll bar, icons and tool
    // tips at; it starts at its parent's. The presenter redraws the slots.
    void SetDpi(int dpi);

    // Where the slot's image is drawn and takes the mouse, in client
    // coordinates; nothing for a hidden slot.
    std::optional<RECT> ImageRect(int slot) const;

    // ---- To the presenter. An exception escaping a callback is shown to the
    // user in a message box, since it cannot pass through the window procedure.
    // A left click (pressed and released over the same image), a double click
    // (after the click of its first press), the right button released over an image.
    std::function<void(int slot)> OnSlotClick;
    std::function<void(int slot)> OnSlotDoubleClick;
    std::function<void(int slot)> OnSlotRightButtonUp;
    // The user moved the scroll bar to a new value (0 to the maximum).
    std::function<void(int value)> OnScroll;
    // The control's size changed.
    std::function<void()> OnResize;
    // A key pressed in the strip or in its scroll bar.
    std::function<void(qw::FocusPlace where, qw::NavigationKey key)> OnKey;

private:
    enum class Content { Hidden, Picture, Icon };
    struct Slot {
        Content content = Content::Hidden;
        std::shared_ptr<const qw::Picture> picture;
        int icon = 1;
        SlotRect image;
        std::wstring toolTip;
        std::wstring name;  // read by a screen reader
    };

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnResized(int, int) override {
        if (OnResize) OnResize();
    }
    void OnDestroyed() override;
    std::optional<LRESULT> OnKeyboardMessage(UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> OnScrollBarMessage(UINT message, WPARAM wParam);
    void PaintFocus(HDC dc);
    void InvalidateFocus();

    // Posted by a screen reader's default action: wParam is the slot.
    static constexpr UINT kOpenSlot = WM_USER + 1;

    // ---- AccessibleParts (StripAccessible.cpp): the shown slots, in order.
    int SlotOfPart(long part) const;
    long PartOfSlot(int slot) const;
    long PartCount() const override;
    std::wstring PartName(long part) const override;
    std::wstring PartDescription(long part) const override;
    long PartRole(long part) const override;
    long PartState(long part) const override;
    RECT PartPlace(long part) const override;
    std::wstring PartAction(long part) const override;
    bool RunPartAction(long part) override;
    long FocusedPart() const override;
    long SelectedPart() const override;
    long OwnRole() const override;

    void LoadIcons();
    // Where an icon goes when a picture cannot be drawn: centred in the cell,
    // as the presenter places every icon.
    SlotRect IconPlace(int slot) const;
    Slot& SlotAt(int slot);
    const Slot& SlotAt(int slot) const;
    void Show(int slot, Slot content);
    void InvalidateSlot(int slot);
    void UpdateToolTip(int slot);
    RECT DrawnRect(int slot) const;
    int SlotUnder(POINT at) const;
    int SlotsInUse() const;

    void Paint(HDC dc, const RECT& area);
    void PaintSlot(HDC dc, int slot);
    void DrawIcon(HDC dc, int entry, const RECT& where) const;

    void OnButtonDown(POINT at);
    void OnButtonUp(POINT at);
    void OnDoubleClick(POINT at);
    void OnRightButtonUp(POINT at);
    void OnHScroll(int request, int thumb);

    HWND scrollBar_ = nullptr;  // a child: goes with the strip
    Subclass scrollBarWatch_;
    Font toolTipFont_;          // set once the strip moves to another scale; outlives the tool tip
    OwnedWindow toolTip_;       // owned by the top-level window, so it goes with the strip by hand
    IconLoader loadIcon_;
    qw::Scale scale_;
    std::array<Icon, 9> icons_;
    Brush frameBrush_;
    std::array<Slot, 6> slots_;
    int pressed_ = 0;  // the slot the left button went down on, 0 for none
    bool scrollEnabled_ = false;
    int scrollMaximum_ = 0;
    int scrollValue_ = 0;
    int current_ = 0;  // the current file's slot, 0 for none on show
    AccessibleHold accessible_;
};

}  // namespace qw::win32
