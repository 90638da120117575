#pragma once
// A window's client area as a screen reader reads it, in this process (under
// Wine an accessible object cannot be read from another).

#include <windows.h>
#include <oleacc.h>
#include <wrl/client.h>

namespace qw::test {

// The window's accessible object; null (and a failed check) when it has none.
inline Microsoft::WRL::ComPtr<IAccessible> ReaderOf(HWND window) {
    Microsoft::WRL::ComPtr<IAccessible> object;
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void**>(object.GetAddressOf()));
    return object;
}

// The child `part` (from 1), or the object itself for CHILDID_SELF.
inline VARIANT Part(long part) {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = part;
    return child;
}

}  // namespace qw::test
