#pragma once
// UTF-8 (the core's text) <-> UTF-16 (the wide Windows API), at the boundary.

#include <string>

namespace qw::win32 {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
std::string Narrow(const wchar_t* utf16);

// The text Windows gives for an error code, for exception messages.
std::string ErrorText(unsigned long code);
// An HRESULT as Windows documents them ("0x80070005"), for exception messages.
std::string ComErrorText(long hr);

}  // namespace qw::win32
