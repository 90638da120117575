#pragma once
// Which messages of the main window open the notification-area icon's menu
// or answer a click on its balloon. The icon reports mouse events as a
// message of its own (the value of WM_RBUTTONUP) with the event in lParam;
// everything else goes on to the window's own handling untouched.

#include <cstdint>

namespace qw {

inline constexpr unsigned TrayCallbackMessage = 0x205;
inline constexpr std::intptr_t TrayRightButtonDown = 0x204;
inline constexpr std::intptr_t TrayLeftButtonUp = 0x202;
// The icon's balloon was clicked (NIN_BALLOONUSERCLICK).
inline constexpr std::intptr_t TrayBalloonClick = 0x405;

enum class TrayRoute {
    NotRouted,   // answer nothing: the icon's messages are not routed yet
    PopUpMenu,   // open the icon menu and answer -1, not passing it on
    BalloonClick,  // show the window with the file of the notice, not passing it on
    PassOn,      // hand the message to the previous window procedure
};

constexpr TrayRoute RouteWindowMessage(bool routed, unsigned message, std::intptr_t lParam) {
    if (!routed) return TrayRoute::NotRouted;
    if (message == TrayCallbackMessage && (lParam == TrayRightButtonDown || lParam == TrayLeftButtonUp))
        return TrayRoute::PopUpMenu;
    if (message == TrayCallbackMessage && lParam == TrayBalloonClick) return TrayRoute::BalloonClick;
    return TrayRoute::PassOn;
}

}  // namespace qw
