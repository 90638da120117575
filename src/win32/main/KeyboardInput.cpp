#include "win32/main/KeyboardInput.h"

#include "win32/kit/Handles.h"

namespace qw::win32 {

std::optional<qw::NavigationKey> NavigationKeyOf(UINT message, WPARAM key) {
    using K = qw::NavigationKey;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (message == WM_SYSKEYDOWN) return key == VK_F10 && shift ? std::optional(K::ContextMenu) : std::nullopt;
    if (message != WM_KEYDOWN) return std::nullopt;
    switch (key) {
        case VK_UP: return K::Up;
        case VK_DOWN: return K::Down;
        case VK_LEFT: return K::Left;
        case VK_RIGHT: return K::Right;
        case VK_HOME: return K::Home;
        case VK_END: return K::End;
        case VK_RETURN: return K::Enter;
        case VK_SPACE: return K::Space;
        case VK_DELETE: return K::Delete;
        case VK_APPS: return K::ContextMenu;
        case VK_TAB: return shift ? K::ShiftTab : K::Tab;
        default: return std::nullopt;
    }
}

bool ShowsFocusMark(HWND window) {
    return GetFocus() == window && (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

void DrawFocusMark(HDC dc, const RECT& mark) {
    const LOGBRUSH black{BS_SOLID, RGB(0, 0, 0), 0};
    const GdiObject<HPEN> dots(ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &black, 0, nullptr));
    const Selection pen(dc, dots.Get());
    const Selection hollow(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, mark.left, mark.top, mark.right, mark.bottom);
}

void KeyboardUsed(HWND window) {
    SendMessageW(GetAncestor(window, GA_ROOT), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

std::optional<LRESULT> AnswerFocusMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          AccessibleHold& accessible, AccessibleParts& parts,
                                          const std::function<void()>& invalidateFocus) {
    switch (message) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            invalidateFocus();
            if (message == WM_SETFOCUS) DrawnAccessible::NotifyFocus(window, parts.FocusedPart());
            return 0;
        case WM_UPDATEUISTATE: {
            const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
            invalidateFocus();
            return result;
        }
        case WM_GETOBJECT:
            return accessible.Answer(window, parts, wParam, lParam);
        case WM_DESTROY:
            accessible.Reset();
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

}  // namespace qw::win32
