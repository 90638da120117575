#include "win32/main/Win32Mailer.h"

#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <optional>
#include <stdexcept>

#include "win32/kit/Handles.h"
#include "win32/kit/Utf.h"
#include "win32/Win32Registry.h"
#include "win32/main/SimpleMapi.h"

namespace qw::win32 {

using Microsoft::WRL::ComPtr;

namespace {

// Outlook's application class.
constexpr CLSID kOutlookApplication = {0x0006F03A, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr long kMailItem = 0;

void Check(HRESULT hr, const std::string& what) {
    if (FAILED(hr)) throw std::runtime_error(what + " (" + ComErrorText(hr) + ")");
}

// A VARIANT cleared (its string or object released) when it goes.
struct Variant {
    VARIANT value;
    Variant() { VariantInit(&value); }
    ~Variant() { VariantClear(&value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
};

// Calls a method or reads a property by its name: Outlook is reached by late
// binding, so any version of it answers.
void Invoke(IDispatch* object, const wchar_t* name, WORD kind, VARIANT* argument, Variant& result) {
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    const std::string member = Narrow(name);
    Check(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), "Outlook has no " + member);
    DISPPARAMS parameters{argument, nullptr, argument ? 1u : 0u, 0};
    EXCEPINFO exception{};
    const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters, &result.value,
                                      &exception, nullptr);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    Check(hr, "Outlook's " + member + " failed");
}

IDispatch* ObjectIn(const Variant& result, const char* what) {
    if (result.value.vt != VT_DISPATCH || !result.value.pdispVal)
        throw std::runtime_error(std::string("Outlook gave no ") + what);
    return result.value.pdispVal;
}

// Nothing when Outlook is not installed.
std::optional<qw::MailResult> ThroughOutlook(const std::string& path) {
    CLSID outlookClass = kOutlookApplication;
    CLSIDFromProgID(L"Outlook.Application", &outlookClass);  // a newer registration, if any
    ComPtr<IDispatch> outlook;
    const HRESULT created =
        CoCreateInstance(outlookClass, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&outlook));
    if (created == REGDB_E_CLASSNOTREG) return std::nullopt;
    Check(created, "Outlook cannot be started");

    Variant type, item, attachments, source, added, modal, shown;
    type.value.vt = VT_I4;
    type.value.lVal = kMailItem;
    Invoke(outlook.Get(), L"CreateItem", DISPATCH_METHOD, &type.value, item);
    Invoke(ObjectIn(item, "mail item"), L"Attachments", DISPATCH_PROPERTYGET, nullptr, attachments);
    source.value.vt = VT_BSTR;
    source.value.bstrVal = SysAllocString(Widen(path).c_str());
    if (!source.value.bstrVal) throw std::bad_alloc();
    Invoke(ObjectIn(attachments, "attachments"), L"Add", DISPATCH_METHOD, &source.value, added);
    // Not modal: the program goes on while the user writes the mail.
    modal.value.vt = VT_BOOL;
    modal.value.boolVal = VARIANT_FALSE;
    Invoke(ObjectIn(item, "mail item"), L"Display", DISPATCH_METHOD, &modal.value, shown);
    return qw::MailResult::Shown;
}

// The path as ANSI text for a library that has no wide call: a name the code
// page cannot spell goes by its short form, which it can.
std::string AnsiPath(const std::wstring& path) {
    const auto convert = [](const std::wstring& text, bool& lossy) {
        BOOL usedDefault = FALSE;
        const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr,
                                          &usedDefault);
        std::string out(n > 0 ? static_cast<std::size_t>(n) : 1, '\0');
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, out.data(), n, nullptr, &usedDefault);
        out.resize(std::char_traits<char>::length(out.c_str()));
        lossy = usedDefault != FALSE;
        return out;
    };
    bool lossy = false;
    std::string ansi = convert(path, lossy);
    if (!lossy) return ansi;
    std::wstring shortPath(32768, L'\0');
    const DWORD n = GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (n == 0 || n >= shortPath.size()) throw std::runtime_error("The file's name cannot be handed to the mail program");
    shortPath.resize(n);
    ansi = convert(shortPath, lossy);
    if (lossy) throw std::runtime_error("The file's name cannot be handed to the mail program");
    return ansi;
}

// A function the library exports, or nullptr.
template <typename Function>
Function Export(HMODULE library, const char* name) {
    // Through the generic function type, which every function pointer converts to and from.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

// Shows the new mail without waiting for the user where the mail program
// can, else the way every mail program can, which waits.
template <typename Send>
ULONG SendShown(Send&& send) {
    const ULONG result = send(kModelessNewMailFlags);
    if (result == kMapiNotSupported || result == kMapiInvalidParameter) return send(kNewMailFlags);
    return result;
}

std::optional<std::string> ReadValue(Win32Registry& registry, const std::string& name) {
    try {
        return registry.ReadText(name);
    } catch (const qw::RegistryError&) {
        return std::nullopt;
    }
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring Expanded(const std::wstring& text) {
    const DWORD n = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (n == 0) return text;
    std::wstring out(n, L'\0');
    ExpandEnvironmentStringsW(text.c_str(), out.data(), n);
    out.resize(wcslen(out.c_str()));
    return out;
}

}  // namespace

std::wstring DefaultMailLibrary() {
    Win32Registry registry;
    const std::string clients = "\\Software\\Clients\\Mail\\";
    for (const char* root : {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE"}) {
        const std::optional<std::string> program = ReadValue(registry, root + clients);
        if (!program || program->empty()) continue;
        // The user's choice names a program described under either root.
        std::optional<std::string> library;
        for (const char* described : {root, "HKEY_LOCAL_MACHINE"})
            if (!library) library = ReadValue(registry, described + clients + *program + "\\DLLPath");
        if (library && !library->empty()) {
            const std::wstring path = Expanded(Widen(*library));
            return IsFile(path) ? path : std::wstring();
        }
        wchar_t system[MAX_PATH];
        const UINT n = GetSystemDirectoryW(system, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) return {};
        const std::wstring path = std::wstring(system, n) + L"\\MAPI32.DLL";
        return IsFile(path) ? path : std::wstring();
    }
    return {};
}

qw::MailResult Win32Mailer::NewMailWithAttachment(const std::string& path) {
    if (const std::optional<qw::MailResult> result = ThroughOutlook(path)) return *result;
    return ThroughSimpleMapi(path);
}

qw::MailResult Win32Mailer::ThroughSimpleMapi(const std::string& path) {
    const std::wstring library = DefaultMailLibrary();
    if (library.empty()) throw std::runtime_error("Neither Outlook nor a default mail program is installed");
    Module& loaded = libraries_[library];
    if (!loaded) loaded.Reset(LoadLibraryW(library.c_str()));
    if (!loaded) throw std::runtime_error("The mail program's library cannot be loaded: " + ErrorText(GetLastError()));
    const HMODULE mapi = loaded.Get();
    std::wstring file = Widen(path);
    std::wstring name = file.substr(file.find_last_of(L'\\') + 1);
    const auto owner = reinterpret_cast<ULONG_PTR>(GetActiveWindow());
    ULONG result = MAPI_E_FAILURE;
    if (const auto sendW = Export<MapiSendMailW>(mapi, "MAPISendMailW")) {
        // nPosition -1: attached, not placed in the text.
        MapiFileDescW attachment{0, 0, static_cast<ULONG>(-1), file.data(), name.data(), nullptr};
        MapiMessageW message{};
        message.nFileCount = 1;
        message.lpFiles = &attachment;
        result = SendShown([&](FLAGS flags) { return sendW(0, owner, &message, flags, 0); });
    } else if (const auto sendA = Export<MapiSendMailA>(mapi, "MAPISendMail")) {
        std::string ansiFile = AnsiPath(file);
        // The name shown is the one in the path handed over.
        MapiFileDesc attachment{0, 0, static_cast<ULONG>(-1), ansiFile.data(), nullptr, nullptr};
        MapiMessage message{};
        message.nFileCount = 1;
        message.lpFiles = &attachment;
        result = SendShown([&](FLAGS flags) { return sendA(0, owner, &message, flags, 0); });
    } else {
        throw std::runtime_error("The mail program's library has no MAPISendMail");
    }
    if (result == SUCCESS_SUCCESS) return qw::MailResult::Shown;
    if (result == MAPI_USER_ABORT) return qw::MailResult::Cancelled;
    throw std::runtime_error("The mail program failed (Simple MAPI error " + std::to_string(result) + ")");
}

}  // namespace qw::win32
