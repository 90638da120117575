#include <windows.h>

#include "win32/Win32Ansi.h"

#include "win32/kit/Utf.h"

namespace qw::win32 {

std::string Win32Ansi::FromUtf8(const std::string& utf8) const {
    // With the UTF-8 code page chosen as the system's ANSI page, the text is already right
    // (and WideCharToMultiByte refuses a default character for it).
    if (GetACP() == CP_UTF8) return utf8;

    std::wstring wide = Widen(utf8);
    // No ANSI code page holds characters beyond the first plane; make each such
    // character (a surrogate pair) one '?', not two.
    std::wstring text;
    text.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const wchar_t c = wide[i];
        if (c >= 0xD800 && c <= 0xDFFF) {
            if (c <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) ++i;
            text.push_back(L'?');
        } else {
            text.push_back(c);
        }
    }
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, "?",
                                      nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, out.data(), n, "?", nullptr);
    return out;
}

std::string Win32Ansi::ToUtf8(const std::string& ansi) const {
    if (ansi.empty()) return {};
    const int length = static_cast<int>(ansi.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), n);
    return Narrow(wide);
}

}  // namespace qw::win32
