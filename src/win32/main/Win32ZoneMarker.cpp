#include <windows.h>

#include "win32/main/Win32ZoneMarker.h"

#include <shobjidl.h>
#include <urlmon.h>
#include <wrl/client.h>

#include <stdexcept>

#include "win32/Handles.h"
#include "win32/Utf.h"

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

enum class Outcome { Saved, Refused, Unavailable };

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

Outcome SaveThroughAttachmentServices(const std::wstring& path) {
    ComPtr<IAttachmentExecute> execute;
    if (FAILED(CoCreateInstance(CLSID_AttachmentServices, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&execute))))
        return Outcome::Unavailable;
    // Without a source the services write the Restricted zone, under which
    // the file may not open at all.
    if (FAILED(execute->SetClientGuid(QuillwaveClient)) || FAILED(execute->SetLocalPath(path.c_str())) ||
        FAILED(execute->SetSource(L"about:internet")))
        return Outcome::Unavailable;
    const HRESULT hr = execute->Save();
    if (SUCCEEDED(hr)) return Outcome::Saved;
    // The scanner deletes what it finds infected; the policy blocks types.
    if (!Exists(path) || hr == INET_E_SECURITY_PROBLEM || hr == HRESULT_FROM_WIN32(VirusInfected) ||
        hr == HRESULT_FROM_WIN32(VirusDeleted))
        return Outcome::Refused;
    return Outcome::Unavailable;
}

}  // namespace

bool WriteInternetZoneStream(const std::wstring& path) {
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
    static constexpr char Mark[] = "[ZoneTransfer]\r\nZoneId=3\r\n";
    DWORD written = 0;
    if (!WriteFile(stream.Get(), Mark, sizeof Mark - 1, &written, nullptr) || written != sizeof Mark - 1)
        throw std::runtime_error("cannot mark " + Narrow(path) + ": " + ErrorText(GetLastError()));
    return true;
}

ZoneMarker::Verdict Win32ZoneMarker::MarkFromOutside(const std::string& path) {
    const std::wstring wide = Widen(path);
    switch (SaveThroughAttachmentServices(wide)) {
        case Outcome::Saved:
            return Verdict::Kept;
        case Outcome::Refused:
            return Verdict::Refused;
        case Outcome::Unavailable:
            break;
    }
    WriteInternetZoneStream(wide);  // a volume without streams keeps the file unmarked
    return Verdict::Kept;
}

}  // namespace qw::win32
