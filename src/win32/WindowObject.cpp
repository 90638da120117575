#include "win32/WindowObject.h"

#include "win32/Utf.h"

namespace qw::win32 {

void ShowUnexpectedError(HWND owner, const std::string& what) {
    const std::wstring text = L"Quillwave! could not complete the last action:\n\n" + Widen(what);
    MessageBoxW(owner ? GetAncestor(owner, GA_ROOT) : nullptr, text.c_str(), L"Quillwave!", MB_OK | MB_ICONERROR);
}

}  // namespace qw::win32
