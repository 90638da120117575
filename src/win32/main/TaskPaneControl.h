#pragma once
// The task pane of the main window: a column with a soft blue gradient that
// holds bars (rounded panels under a title band), each listing items drawn as
// a 16 x 16 icon and a caption. A clickable item underlines on hover, shows
// the hand cursor and raises OnItemClick; an item that is not clickable is
// inert. The pane draws everything itself and scrolls when it runs out of room.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "main/Keyboard.h"
#include "win32/kit/Handles.h"
#include "win32/main/DrawnAccessible.h"
#include "win32/kit/Window.h"

namespace qw::win32 {

// From the keyboard one item has the focus, shown with the hover look and the
// focus rectangle; for a screen reader every bar title and item is a part of
// the pane's accessible object (TaskPaneKeys.cpp, PaneAccessible.cpp).
class TaskPaneControl : public Window, private AccessibleParts {
public:
    // The colour of a new item's caption, the blue of a link.
    static constexpr COLORREF kDefaultItemTextColor = RGB(33, 93, 198);

    // A visible child window (args give the parent and the place); throws
    // std::runtime_error when the window cannot be made.
    TaskPaneControl(HINSTANCE instance, WindowArgs args);

    // Icons for the items, 16 x 16 at 96 dpi and that size scaled at another
    // resolution; the pane draws from it but does not own it.
    void SetImageList(HIMAGELIST images);

    // Bars and items appear in the order they are added. Keys are compared
    // exactly; bar keys and item keys must each be unique (item keys across
    // the whole pane) and not empty. iconIndex is 0-based; a negative index
    // shows no icon. An unknown bar key, an empty key or a key already in use
    // throws std::invalid_argument.
    void AddBar(const std::string& key, const std::string& title);
    void AddItem(const std::string& barKey, const std::string& itemKey, const std::string& caption,
                 int iconIndex);

    // Per-item state; an unknown item key throws std::invalid_argument.
    COLORREF ItemTextColor(const std::string& itemKey) const;
    void SetItemTextColor(const std::string& itemKey, COLORREF colour);
    bool ItemClickable(const std::string& itemKey) const;
    void SetItemClickable(const std::string& itemKey, bool clickable);

    // While off, changes do not repaint the pane; turning it on repaints once.
    void SetRedraw(bool on);

    void Resize(int width, int height);
    // The resolution the pane draws at (96 at 100 %); fonts, spacing and the
    // layout follow it. The pane starts at its parent's.
    void SetDpi(int dpi);

    // In client coordinates (so they move when the pane scrolls). An item's
    // rectangle is the part that reacts to the mouse: its icon and caption.
    RECT ItemRect(const std::string& itemKey) const;
    RECT BarRect(const std::string& barKey) const;

    // Raised once per click on a clickable item: the button went down and
    // came up over the same item. An exception escaping it is shown to the
    // user in a message box, since it cannot pass through the window procedure.
    std::function<void(const std::string& itemKey)> OnItemClick;

    // The item with the keyboard focus ("" for none); it is scrolled into view.
    void SetFocusItem(const std::string& itemKey);
    // A key pressed while the pane has the focus.
    std::function<void(qw::NavigationKey key)> OnKey;

private:
    struct Item {
        std::string key;
        std::wstring caption;
        int icon = -1;
        COLORREF colour = kDefaultItemTextColor;
        bool clickable = true;
        // In content coordinates (client coordinates when not scrolled).
        RECT hit{};    // icon and caption
        RECT text{};   // the caption alone
        POINT iconAt{};
    };
    struct Bar {
        std::string key;
        std::wstring title;
        std::vector<Item> items;
        RECT rect{};
        RECT header{};
    };
    struct Fonts {
        Font caption;
        Font hover;
        Font title;
    };

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::optional<LRESULT> OnKeyboardMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool ShowsFocusOn(const Item& item) const;
    // Where the focus rectangle of the item goes, in content coordinates.
    RECT FocusMark(const Item& item) const;
    void InvalidateFocus();

    // Posted by a screen reader's default action: wParam is the part.
    static constexpr UINT kRunPart = WM_USER + 1;

    // ---- AccessibleParts (PaneAccessible.cpp): the bars' titles and items in the order shown.
    struct Part {
        const Bar* bar = nullptr;
        const Item* item = nullptr;  // null for the bar's title
    };
    Part PartAt(long part) const;
    long PartOfItem(const std::string& key) const;
    long PartCount() const override;
    std::wstring PartName(long part) const override;
    long PartRole(long part) const override;
    long PartState(long part) const override;
    RECT PartPlace(long part) const override;
    std::wstring PartAction(long part) const override;
    bool RunPartAction(long part) override;
    long FocusedPart() const override;
    long OwnRole() const override;
    void OnResized(int width, int height) override;

    Bar* FindBar(const std::string& key);
    const Bar* FindBar(const std::string& key) const;
    Item* FindItem(const std::string& key);
    const Item* FindItem(const std::string& key) const;
    Item& ItemOrThrow(const std::string& key);
    const Item& ItemOrThrow(const std::string& key) const;

    void LoadFonts();
    int Scaled(int pixels) const;
    void Layout();
    int LayOutBars(int width);
    void UpdateScrollBar();
    void ScrollTo(int position);
    void Invalidate(const RECT* contentRect = nullptr);
    RECT ToClient(RECT contentRect) const;
    const Item* ItemAt(POINT client) const;

    void Paint(HDC target);
    void PaintBar(HDC dc, const Bar& bar) const;
    void PaintItem(HDC dc, const Item& item) const;

    void OnMouseMove(POINT at);
    void OnMouseLeave();
    bool OnSetCursor();
    void OnButtonDown(POINT at);
    void OnButtonUp(POINT at);
    void OnVScroll(int request);
    void SetHot(const Item* item);

    HIMAGELIST images_ = nullptr;
    std::vector<Bar> bars_;
    Fonts fonts_;
    int dpi_ = 96;
    int contentHeight_ = 0;
    int scroll_ = 0;
    bool redraw_ = true;
    bool inLayout_ = false;
    bool trackingLeave_ = false;
    std::string hot_;      // the clickable item under the mouse
    std::string pressed_;  // the clickable item the button went down on
    std::string focus_;    // the item with the keyboard focus
    AccessibleHold accessible_;
};

}  // namespace qw::win32
