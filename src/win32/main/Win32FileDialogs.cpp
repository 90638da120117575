#include "win32/main/Win32FileDialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <stdexcept>
#include <vector>

#include "win32/kit/Utf.h"

namespace qw::win32 {

namespace {

// Room for the longest path Windows can name.
constexpr std::size_t kPathRoom = 32768;

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// What the dialog opens with. A proposal in a folder that is gone (the
// remembered folder was deleted) would make the dialog refuse to open, so
// the name alone is proposed then, in the dialog's own folder.
std::wstring InitialFile(const std::string& fileName) {
    std::wstring file = Widen(fileName);
    const std::size_t cut = file.find_last_of(L'\\');
    if (cut != std::wstring::npos) {
        std::wstring folder = file.substr(0, cut);
        if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
        if (!IsFolder(folder)) file.erase(0, cut + 1);
    }
    return file.size() < kPathRoom ? file : std::wstring();
}

std::optional<std::string> Show(const qw::FileDialogOptions& options, bool save) {
    const std::wstring filter = DialogFilter(options.Filter);
    std::vector<wchar_t> file(kPathRoom, L'\0');
    const std::wstring initial = InitialFile(options.FileName);
    std::copy(initial.begin(), initial.end(), file.begin());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    // The program's current folder stays where it was whatever the user browses.
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (options.Flags & qw::AskBeforeOverwriting) dialog.Flags |= OFN_OVERWRITEPROMPT;
    if (options.Flags & qw::FileMustExist) dialog.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;

    if (save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog)) return Narrow(file.data());
    const DWORD error = CommDlgExtendedError();
    if (error == 0) return std::nullopt;  // the user cancelled
    throw std::runtime_error(std::string(save ? "The save dialog" : "The open dialog") +
                             " failed: common dialog error " + std::to_string(error));
}

}  // namespace

std::wstring DialogFilter(const std::string& filter) {
    if (filter.empty()) return {};
    std::wstring fields = Widen(filter);
    for (wchar_t& c : fields)
        if (c == L'|') c = L'\0';
    fields.push_back(L'\0');  // the string's own terminating NUL is the second
    return fields;
}

std::optional<std::string> Win32FileDialogs::ShowSave(const qw::FileDialogOptions& options) {
    return Show(options, true);
}

std::optional<std::string> Win32FileDialogs::ShowOpen(const qw::FileDialogOptions& options) {
    return Show(options, false);
}

}  // namespace qw::win32
