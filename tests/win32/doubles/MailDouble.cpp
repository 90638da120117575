// A stand-in for a mail program, loaded into the test process: Outlook's
// application class (late-bound IDispatch objects) and the Simple MAPI calls
// of a default mail program. It records every call it receives; the tests
// read the record through QwMailDoubleCalls, or, when the double is loaded by
// another program, from the file %QW_MAIL_LOG% names (one UTF-8 line per
// call). Built as qwmaildouble.dll, and
// with QW_ANSI_ONLY as a library that has only the ANSI MAPISendMail.

#include <windows.h>
#include <oleauto.h>

#include <string>

#include "win32/kit/Handles.h"
#include "win32/main/SimpleMapi.h"

namespace {

std::wstring g_calls;
ULONG g_mapiResult = SUCCESS_SUCCESS;
ULONG g_modelessResult = SUCCESS_SUCCESS;  // for a call that asks not to wait

ULONG Answer(FLAGS flags) { return flags & MAPI_DIALOG_MODELESS ? g_modelessResult : g_mapiResult; }

void Record(const std::wstring& call) {
    g_calls += call + L"\n";
    wchar_t log[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"QW_MAIL_LOG", log, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    const qw::win32::KernelHandle file(
        CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr));
    if (!file) return;
    const std::wstring line = call + L"\n";
    std::string utf8(static_cast<std::size_t>(
                         WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0,
                                             nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(),
                        static_cast<int>(utf8.size()), nullptr, nullptr);
    DWORD written = 0;
    WriteFile(file.Get(), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

std::wstring Text(const char* ansi) {
    if (!ansi) return L"(null)";
    std::wstring out(MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi, -1, out.data(), static_cast<int>(out.size()));
    out.resize(out.size() - 1);
    return out;
}
[[maybe_unused]] std::wstring Text(const wchar_t* wide) { return wide ? wide : L"(null)"; }

template <typename Message>
void RecordMessage(const wchar_t* call, ULONG_PTR, const Message* message, FLAGS flags) {
    std::wstring line = std::wstring(call) + L" flags " + std::to_wstring(flags) + L" recipients " +
                        std::to_wstring(message->nRecipCount) + L" files " + std::to_wstring(message->nFileCount);
    for (ULONG i = 0; i < message->nFileCount; ++i) {
        const auto& file = message->lpFiles[i];
        line += L" [" + Text(file.lpszPathName) + L"|" + Text(file.lpszFileName) + L"|" +
                std::to_wstring(static_cast<long>(file.nPosition)) + L"]";
    }
    Record(line);
}

// ---- Outlook: one IDispatch class for the application, a mail item and its attachments.
enum class Kind { Application, MailItem, Attachments };
constexpr DISPID CreateItem = 1, AttachmentsProperty = 2, Add = 3, Display = 4;

class OutlookObject final : public IDispatch {
public:
    explicit OutlookObject(Kind kind) : kind_(kind) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (count != 1) return E_INVALIDARG;
        const std::wstring name = names[0];
        const DISPID id = kind_ == Kind::Application && name == L"CreateItem"   ? CreateItem
                          : kind_ == Kind::MailItem && name == L"Attachments"   ? AttachmentsProperty
                          : kind_ == Kind::MailItem && name == L"Display"       ? Display
                          : kind_ == Kind::Attachments && name == L"Add"        ? Add
                                                                                : DISPID_UNKNOWN;
        ids[0] = id;
        return id == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        const VARIANT* argument = parameters->cArgs > 0 ? &parameters->rgvarg[parameters->cArgs - 1] : nullptr;
        const std::wstring how = flags & DISPATCH_PROPERTYGET ? L"get " : L"call ";
        const auto give = [&](Kind kind) {
            if (!result) return;
            VariantInit(result);
            result->vt = VT_DISPATCH;
            result->pdispVal = new OutlookObject(kind);
        };
        switch (id) {
            case CreateItem:
                Record(how + L"CreateItem " + (argument && argument->vt == VT_I4 ? std::to_wstring(argument->lVal) : L"?"));
                give(Kind::MailItem);
                return S_OK;
            case AttachmentsProperty:
                Record(how + L"Attachments");
                give(Kind::Attachments);
                return S_OK;
            case Add:
                Record(how + L"Add " + (argument && argument->vt == VT_BSTR ? argument->bstrVal : L"?") + L" with " +
                       std::to_wstring(parameters->cArgs) + L" argument(s)");
                return S_OK;
            case Display:
                Record(how + L"Display " +
                       (argument && argument->vt == VT_BOOL ? (argument->boolVal ? L"modal" : L"not modal") : L"?"));
                return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    Kind kind_;
    ULONG references_ = 1;
};

class Factory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // static: never deleted
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (outer) return CLASS_E_NOAGGREGATION;
        Record(L"Outlook started");
        auto* application = new OutlookObject(Kind::Application);
        const HRESULT hr = application->QueryInterface(iid, out);
        application->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

Factory g_factory;
constexpr CLSID kOutlook = {0x0006F03A, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

}  // namespace

extern "C" {

__declspec(dllexport) const wchar_t* QwMailDoubleCalls() { return g_calls.c_str(); }

// Forgets the calls; the mail program will answer `mapiResult`.
__declspec(dllexport) void QwMailDoubleReset(ULONG mapiResult) {
    g_calls.clear();
    g_mapiResult = g_modelessResult = mapiResult;
}

// A mail program of the older kind answers a call that asks not to wait with `result`.
__declspec(dllexport) void QwMailDoubleAnswerModeless(ULONG result) { g_modelessResult = result; }

__declspec(dllexport) ULONG WINAPI MAPISendMail(LHANDLE, ULONG_PTR window, MapiMessage* message, FLAGS flags, ULONG) {
    RecordMessage(L"MAPISendMail", window, message, flags);
    return Answer(flags);
}

#ifndef QW_ANSI_ONLY
__declspec(dllexport) ULONG WINAPI MAPISendMailW(LHANDLE, ULONG_PTR window, qw::win32::MapiMessageW* message,
                                                FLAGS flags, ULONG) {
    RecordMessage(L"MAPISendMailW", window, message, flags);
    return Answer(flags);
}

__declspec(dllexport) HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (clsid != kOutlook) return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, out);
}

// The test keeps the library loaded while it reads what was recorded.
__declspec(dllexport) HRESULT WINAPI DllCanUnloadNow() { return S_FALSE; }
#endif

}  // extern "C"
