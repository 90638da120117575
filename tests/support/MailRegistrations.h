#pragma once
// The mail programs Windows knows of, as the mail tests set them up in the
// prefix: Outlook's class registered to a library, the user's default mail
// program and its Simple MAPI library, or no mail program at all. Whatever
// a test changes is put back as it was.

#include <windows.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "win32/kit/Handles.h"

namespace qw::test {

inline const wchar_t* const kOutlookClass = L"{0006F03A-0000-0000-C000-000000000046}";
inline const wchar_t* const kMailClients = L"Software\\Clients\\Mail";
inline const wchar_t* const kTestMail = L"Quillwave Test Mail";

inline std::optional<std::wstring> ReadRegistryText(HKEY root, const std::wstring& key, const wchar_t* name) {
    wchar_t buffer[1024];
    DWORD size = sizeof buffer;
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(buffer);
}

inline void WriteRegistryText(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    qw::win32::RegistryKey handle;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, handle.Receive(), nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot create a registry key");
    RegSetValueExW(handle.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

inline void DeleteRegistryValue(HKEY root, const std::wstring& key, const wchar_t* name) {
    qw::win32::RegistryKey handle;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_WRITE, handle.Receive()) == ERROR_SUCCESS)
        RegDeleteValueW(handle.Get(), name);
}

// The mail registrations the tests change, put back as they were afterwards.
class MailRegistrations {
public:
    MailRegistrations() : machineDefault_(ReadRegistryText(HKEY_LOCAL_MACHINE, kMailClients, nullptr)) { Reset(); }
    ~MailRegistrations() { Reset(); }
    MailRegistrations(const MailRegistrations&) = delete;
    MailRegistrations& operator=(const MailRegistrations&) = delete;

    // Back to how the prefix was before.
    void Reset() {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + kOutlookClass).c_str());
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Outlook.Application");
        RegDeleteTreeW(HKEY_CURRENT_USER, kMailClients);
        if (machineDefault_) WriteRegistryText(HKEY_LOCAL_MACHINE, kMailClients, nullptr, *machineDefault_);
    }

    void Outlook(const std::wstring& library) {
        const std::wstring server = std::wstring(L"CLSID\\") + kOutlookClass + L"\\InprocServer32";
        WriteRegistryText(HKEY_CLASSES_ROOT, server, nullptr, library);
        WriteRegistryText(HKEY_CLASSES_ROOT, server, L"ThreadingModel", L"Apartment");
        WriteRegistryText(HKEY_CLASSES_ROOT, L"Outlook.Application\\CLSID", nullptr, kOutlookClass);
    }
    // The user's default mail program and its library.
    void UserMailProgram(const std::wstring& library) {
        WriteRegistryText(HKEY_CURRENT_USER, kMailClients, nullptr, kTestMail);
        WriteRegistryText(HKEY_CURRENT_USER, std::wstring(kMailClients) + L"\\" + kTestMail, L"DLLPath", library);
    }
    // Neither the user nor the machine names a mail program.
    void NoMailProgram() { DeleteRegistryValue(HKEY_LOCAL_MACHINE, kMailClients, nullptr); }

private:
    std::optional<std::wstring> machineDefault_;
};

}  // namespace qw::test
