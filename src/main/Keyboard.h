#pragma once
// The keys the main window's drawn controls answer, and the places of the
// window that take the keyboard focus in turn.

namespace qw {

enum class NavigationKey {
    Up,
    Down,
    Left,
    Right,
    Home,
    End,
    Enter,
    Space,
    Delete,
    ContextMenu,  // Shift+F10 or the context-menu key
    Tab,
    ShiftTab,
};

enum class FocusPlace {
    Pane,           // the task pane
    Strip,          // the thumbnail strip
    ScrollButtons,  // the strip's scroll bar
};

}  // namespace qw
