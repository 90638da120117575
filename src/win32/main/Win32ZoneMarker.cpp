#include <windows.h>

#include "win32/main/Win32ZoneMarker.h"

#include <shobjidl.h>
#include <urlmon.h>
#include <wrl/client.h>

#include <stdexcept>

#include "win32/kit/Handles.h"
#include "win32/kit/Utf.h"

namespace qw::win32 {

using Microsoft::WRL::ComPtr;

namespace {

// The program's id with the attachment services, which keep their prompts'
// "do not ask again" choices per client.
constexpr GUID QuillwaveClient = {0x0b19795b, 0x3301, 0x43ea, {0xb3, 0x41, 0xed, 0x8e, 0xd5, 0x23, 0x52, 0x61}};

// Winerror.h's codes for a file the scanner found infected and deleted;
// not every SDK names them.
constexpr DWORD VirusInfected = 225;
constexpr DWORD VirusDeleted = 226;

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

HRESULT Win32ZoneMarker::SystemServices(IAttachmentExecute** made) {
    return CoCreateInstance(CLSID_AttachmentServices, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(made));
}

Win32ZoneMarker::Outcome Win32ZoneMarker::SaveThroughServices(const std::wstring& path, const std::wstring& source) {
    ComPtr<IAttachmentExecute> execute;
    if (FAILED(services_(execute.GetAddressOf())) || !execute) return Outcome::Unavailable;
    // Without a source the services write the Restricted zone, under which
    // the file may not open at all.
    if (FAILED(execute->SetClientGuid(QuillwaveClient)) || FAILED(execute->SetLocalPath(path.c_str())) ||
        FAILED(execute->SetSource(source.c_str())))
        return Outcome::Unavailable;
    const HRESULT hr = execute->Save();
    if (SUCCEEDED(hr)) return Outcome::Saved;
    // The scanner deletes what it finds infected; the policy blocks types.
    if (!Exists(path) || hr == INET_E_SECURITY_PROBLEM || hr == HRESULT_FROM_WIN32(VirusInfected) ||
        hr == HRESULT_FROM_WIN32(VirusDeleted))
        return Outcome::Refused;
    return Outcome::Unavailable;
}

bool WriteInternetZoneStream(const std::wstring& path, const std::string& source) {
    {
        const KernelHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) throw std::runtime_error("cannot open " + Narrow(path) + ": " + ErrorText(GetLastError()));
        DWORD flags = 0;
        if (!GetVolumeInformationByHandleW(file.Get(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) ||
            !(flags & FILE_NAMED_STREAMS))
            return false;
    }
    const KernelHandle stream(CreateFileW((path + L":Zone.Identifier").c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!stream) throw std::runtime_error("cannot mark " + Narrow(path) + ": " + ErrorText(GetLastError()));
    const std::string mark = "[ZoneTransfer]\r\nZoneId=3\r\nHostUrl=" + source + "\r\n";
    const DWORD size = static_cast<DWORD>(mark.size());
    DWORD written = 0;
    if (!WriteFile(stream.Get(), mark.data(), size, &written, nullptr) || written != size)
        throw std::runtime_error("cannot mark " + Narrow(path) + ": " + ErrorText(GetLastError()));
    return true;
}

ZoneMarker::Verdict Win32ZoneMarker::MarkFromOutside(const std::string& path, const std::string& source) {
    const std::wstring wide = Widen(path);
    switch (SaveThroughServices(wide, Widen(source))) {
        case Outcome::Saved:
            return Verdict::Kept;
        case Outcome::Refused:
            return Verdict::Refused;
        case Outcome::Unavailable:
            break;
    }
    WriteInternetZoneStream(wide, source);  // a volume without streams keeps the file unmarked
    return Verdict::Kept;
}

}  // namespace qw::win32
