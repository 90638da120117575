#include "win32/Win32MessageBoxes.h"

#include "win32/Utf.h"

namespace qw::win32 {

void Win32MessageBoxes::Show(const std::string& text, const std::string& title, MessageIcon icon) {
    const UINT iconStyle = icon == MessageIcon::Critical ? MB_ICONERROR : MB_ICONINFORMATION;
    // Without an owner nothing brings the box forward: it goes to the
    // foreground itself.
    const UINT ownerStyle = owner_ ? 0 : MB_SETFOREGROUND;
    MessageBoxW(owner_, Widen(text).c_str(), Widen(title).c_str(), MB_OK | iconStyle | ownerStyle);
}

}  // namespace qw::win32
