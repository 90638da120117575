#include "win32/CommonDialogs.h"

#include <commdlg.h>
#include <knownfolders.h>
#include <ole2.h>
#include <olectl.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <cwctype>
#include <stdexcept>

#include "win32/kit/Handles.h"
#include "win32/kit/Utf.h"

namespace qw::win32 {

using Microsoft::WRL::ComPtr;

void Win32MessageBoxes::Show(const std::string& text, const std::string& title, MessageIcon icon) {
    const UINT iconFlag = icon == MessageIcon::Critical ? MB_ICONERROR : MB_ICONINFORMATION;
    // With no window of ours active (the main program lives in the
    // notification area) the box would open behind other programs.
    MessageBoxW(GetActiveWindow(), Widen(text).c_str(), Widen(title).c_str(), MB_OK | iconFlag | MB_SETFOREGROUND);
}

bool Win32Questions::AskYesNo(const std::string& text, const std::string& title) {
    return MessageBoxW(GetActiveWindow(), Widen(text).c_str(), Widen(title).c_str(),
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 | MB_SETFOREGROUND) == IDYES;
}

// ---------------------------------------------------------------- folder picker

namespace {

[[noreturn]] void Fail(const char* what, HRESULT hr) {
    throw std::runtime_error(std::string("The folder dialog cannot be shown: ") + what + " (" +
                             ErrorText(static_cast<unsigned long>(hr)) + ")");
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ComPtr<IShellItem> FolderItem(const std::wstring& folder) {
    ComPtr<IShellItem> item;
    if (!folder.empty()) {
        if (SUCCEEDED(SHCreateItemFromParsingName(folder.c_str(), nullptr, IID_PPV_ARGS(&item)))) return item;
    }
    PWSTR documents = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &documents))) {
        SHCreateItemFromParsingName(documents, nullptr, IID_PPV_ARGS(&item));
    }
    CoTaskMemFree(documents);
    return item;
}

std::wstring PathOf(IShellItem* item) {
    PWSTR path = nullptr;
    if (!item || FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) return {};
    std::wstring result = path;
    CoTaskMemFree(path);
    return result;
}

// Keeps the folder the dialog shows in its name box, so OK without choosing
// a folder in the list returns the folder that is open, with every
// implementation of the dialog (some refuse OK with an empty box).
class ShownFolderAsName final : public IFileDialogEvents {
public:
    IFACEMETHODIMP QueryInterface(REFIID id, void** object) override {
        if (id == __uuidof(IUnknown) || id == __uuidof(IFileDialogEvents)) {
            *object = static_cast<IFileDialogEvents*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    IFACEMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    IFACEMETHODIMP_(ULONG) Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    IFACEMETHODIMP OnFolderChange(IFileDialog* dialog) override {
        ComPtr<IShellItem> folder;
        if (SUCCEEDED(dialog->GetFolder(&folder))) {
            if (const std::wstring path = PathOf(folder.Get()); !path.empty()) dialog->SetFileName(path.c_str());
        }
        return S_OK;
    }
    IFACEMETHODIMP OnFileOk(IFileDialog*) override { return S_OK; }
    IFACEMETHODIMP OnFolderChanging(IFileDialog*, IShellItem*) override { return S_OK; }
    IFACEMETHODIMP OnSelectionChange(IFileDialog*) override { return S_OK; }
    IFACEMETHODIMP OnShareViolation(IFileDialog*, IShellItem*, FDE_SHAREVIOLATION_RESPONSE*) override {
        return S_OK;
    }
    IFACEMETHODIMP OnTypeChange(IFileDialog*) override { return S_OK; }
    IFACEMETHODIMP OnOverwrite(IFileDialog*, IShellItem*, FDE_OVERWRITE_RESPONSE*) override { return S_OK; }

private:
    ULONG references_ = 1;
};

// The folder SelectFolder opens for a start folder; empty for the user's Documents.
std::wstring FolderToOpen(const std::string& startFolder) {
    std::wstring folder = Widen(startFolder);
    while (!folder.empty() && std::iswspace(folder.back())) folder.pop_back();
    while (!folder.empty() && std::iswspace(folder.front())) folder.erase(folder.begin());
    // "c:" alone means the drive's current folder to Windows; the user means its root.
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    if (folder.size() == 3 && folder[1] == L':') folder[0] = static_cast<wchar_t>(std::towupper(folder[0]));
    while (!folder.empty() && !IsFolder(folder)) {
        const auto cut = folder.find_last_of(L'\\', folder.size() - 2);
        if (cut == std::wstring::npos) return {};
        // A parent that is a drive keeps its backslash.
        folder.resize(cut == 2 && folder[1] == L':' ? cut + 1 : cut);
    }
    return folder;
}

}  // namespace

std::optional<std::string> Win32FolderPicker::SelectFolder(const std::string& startFolder) {
    const ComScope com;
    ComPtr<IFileOpenDialog> dialog;
    HRESULT hr = CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog));
    if (FAILED(hr)) Fail("the dialog is not available", hr);
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    hr = dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST | FOS_NOCHANGEDIR);
    if (FAILED(hr)) Fail("it cannot pick folders", hr);
    dialog->SetTitle(L"Select Folder");
    // The folder it opens in, not a default the dialog may replace with one it remembers.
    if (const ComPtr<IShellItem> start = FolderItem(FolderToOpen(startFolder))) {
        dialog->SetFolder(start.Get());
        dialog->SetFileName(PathOf(start.Get()).c_str());
    }
    ComPtr<IFileDialogEvents> events;
    events.Attach(new ShownFolderAsName);
    DWORD cookie = 0;
    const bool advised = SUCCEEDED(dialog->Advise(events.Get(), &cookie));

    hr = dialog->Show(GetActiveWindow());
    if (advised) dialog->Unadvise(cookie);
    if (hr == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return std::nullopt;
    if (FAILED(hr)) Fail("it failed", hr);
    ComPtr<IShellItem> chosen;
    if (FAILED(hr = dialog->GetResult(&chosen))) Fail("it gave no folder", hr);
    const std::wstring path = PathOf(chosen.Get());
    if (path.empty()) Fail("the folder has no path", E_FAIL);
    return Narrow(path);
}

// ---------------------------------------------------------------- colours

COLORREF ToColorRef(std::int32_t color) {
    COLORREF translated = 0;
    if (FAILED(OleTranslateColor(static_cast<OLE_COLOR>(color), nullptr, &translated)))
        return static_cast<COLORREF>(color) & 0xFFFFFF;
    return translated;
}

std::optional<std::int32_t> Win32ColorPicker::PickColor(std::int32_t startColor) {
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = GetActiveWindow();
    choose.rgbResult = ToColorRef(startColor);
    choose.lpCustColors = custom_.data();
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (ChooseColorW(&choose)) return static_cast<std::int32_t>(choose.rgbResult);
    if (const DWORD error = CommDlgExtendedError())
        throw std::runtime_error("The colour dialog cannot be shown (error " + std::to_string(error) + ")");
    return std::nullopt;
}

}  // namespace qw::win32
