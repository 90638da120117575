#include <windows.h>

#include "win32/Win32Registry.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "win32/kit/Handles.h"
#include "win32/kit/Utf.h"

namespace qw::win32 {

namespace {

struct RootName {
    const char* Long;
    const char* Short;
    HKEY Key;
};

const RootName kRoots[] = {
    {"HKEY_CURRENT_USER", "HKCU", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", "HKLM", HKEY_LOCAL_MACHINE},
    {"HKEY_CLASSES_ROOT", "HKCR", HKEY_CLASSES_ROOT},
    {"HKEY_USERS", nullptr, HKEY_USERS},
    {"HKEY_CURRENT_CONFIG", nullptr, HKEY_CURRENT_CONFIG},
};

bool SameAsciiText(const std::string& a, const char* b) {
    if (!b || a.size() != std::strlen(b)) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != b[i]) return false;
    }
    return true;
}

struct ValueAddress {
    HKEY Root = nullptr;
    std::wstring Key;
    std::wstring Value;
};

ValueAddress Parse(const std::string& fullName) {
    const auto first = fullName.find('\\');
    if (first == std::string::npos)
        throw RegistryError("\"" + fullName + "\" is not a registry value name");
    const std::string root = fullName.substr(0, first);
    ValueAddress address;
    for (const RootName& name : kRoots)
        if (SameAsciiText(root, name.Long) || SameAsciiText(root, name.Short)) address.Root = name.Key;
    if (!address.Root)
        throw RegistryError("\"" + fullName + "\" does not start with a known root key");
    const std::string rest = fullName.substr(first + 1);
    const auto last = rest.rfind('\\');
    if (last != std::string::npos) {
        address.Key = Widen(rest.substr(0, last));
        address.Value = Widen(rest.substr(last + 1));
    } else {
        address.Value = Widen(rest);
    }
    return address;
}

[[noreturn]] void Fail(const char* operation, const std::string& name, LONG code) {
    throw RegistryError(std::string(operation) + " \"" + name + "\" failed: " +
                        ErrorText(static_cast<unsigned long>(code)));
}

std::wstring TextOf(const std::vector<BYTE>& data, DWORD size) {
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (!text.empty()) std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
    // The stored text may or may not end in NULs; what follows the first NUL is not text.
    const auto end = text.find(L'\0');
    if (end != std::wstring::npos) text.resize(end);
    return text;
}

// An expandable value's %NAME% references replaced by the environment's
// values (unknown names stay as they are), as every reader of such a value must.
std::wstring Expanded(const std::wstring& text) {
    std::wstring expanded(text.size() + 1, L'\0');
    for (;;) {
        const DWORD n = ExpandEnvironmentStringsW(text.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
        if (n == 0) return text;
        if (n <= expanded.size()) {
            expanded.resize(n - 1);
            return expanded;
        }
        expanded.resize(n);
    }
}

}  // namespace

std::string Win32Registry::ReadText(const std::string& valueName) {
    const ValueAddress address = Parse(valueName);
    RegistryKey key;
    LONG rc = RegOpenKeyExW(address.Root, address.Key.c_str(), 0, KEY_QUERY_VALUE, key.Receive());
    if (rc != ERROR_SUCCESS) Fail("Reading the registry value", valueName, rc);

    std::vector<BYTE> data(256);
    DWORD type = REG_NONE;
    DWORD size = 0;
    for (;;) {
        size = static_cast<DWORD>(data.size());
        rc = RegQueryValueExW(key.Get(), address.Value.c_str(), nullptr, &type, data.data(), &size);
        if (rc != ERROR_MORE_DATA) break;
        data.resize(size + sizeof(wchar_t));  // the value may grow between calls; ask again
    }
    if (rc != ERROR_SUCCESS) Fail("Reading the registry value", valueName, rc);

    switch (type) {
    case REG_SZ:
        return Narrow(TextOf(data, size));
    case REG_EXPAND_SZ:
        return Narrow(Expanded(TextOf(data, size)));
    case REG_DWORD:
        if (size >= sizeof(DWORD)) {
            DWORD number = 0;
            std::memcpy(&number, data.data(), sizeof number);
            return std::to_string(number);
        }
        break;
    case REG_QWORD:
        if (size >= sizeof(std::uint64_t)) {
            std::uint64_t number = 0;
            std::memcpy(&number, data.data(), sizeof number);
            return std::to_string(number);
        }
        break;
    default:
        break;
    }
    throw RegistryError("The registry value \"" + valueName + "\" is not text (type " +
                        std::to_string(type) + ", " + std::to_string(size) + " bytes)");
}

void Win32Registry::WriteText(const std::string& valueName, const std::string& text) {
    const ValueAddress address = Parse(valueName);
    RegistryKey key;
    LONG rc = RegCreateKeyExW(address.Root, address.Key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_SET_VALUE, nullptr, key.Receive(), nullptr);
    if (rc != ERROR_SUCCESS) Fail("Writing the registry value", valueName, rc);
    const std::wstring wide = Widen(text);
    rc = RegSetValueExW(key.Get(), address.Value.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(wide.c_str()),
                        static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    if (rc != ERROR_SUCCESS) Fail("Writing the registry value", valueName, rc);
}

void Win32Registry::DeleteValue(const std::string& valueName) {
    const ValueAddress address = Parse(valueName);
    RegistryKey key;
    LONG rc = RegOpenKeyExW(address.Root, address.Key.c_str(), 0, KEY_SET_VALUE, key.Receive());
    if (rc == ERROR_SUCCESS) rc = RegDeleteValueW(key.Get(), address.Value.c_str());
    if (rc != ERROR_SUCCESS) Fail("Deleting the registry value", valueName, rc);
}

}  // namespace qw::win32
