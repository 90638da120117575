#include "main/FromOutside.h"

#include <array>

#include "shared/Text.h"

namespace qw {

namespace {

// Types whose opening runs code on every Windows there is, whatever its
// registry says.
constexpr std::array<std::string_view, 27> UsualCodeTypes = {
    "exe", "com", "scr", "pif", "bat", "cmd", "js", "jse", "vbs", "vbe", "wsf", "wsh", "hta", "msi",
    "msp", "ps1", "lnk", "url", "reg", "cpl", "jar", "msc", "inf", "chm", "scf", "application", "appref-ms"};

// The extension Windows goes by, without its dot: trailing dots and spaces
// do not count, as Windows drops them when it opens the file.
std::string ExtensionOf(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : LowerCase(name.substr(dot + 1));
}

bool ChangesDirection(char32_t c) {
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0x200E || c == 0x200F;
}

}  // namespace

bool KeepMarkedFromOutside(ZoneMarker& marks, FileSystem& files, const std::string& path) {
    ZoneMarker::Verdict verdict = ZoneMarker::Verdict::Kept;
    try {
        verdict = marks.MarkFromOutside(path, OutsideSource);
    } catch (const std::exception&) {
        // Without its mark the file is as it was before marks existed; losing
        // a received file to a failing mark would be worse.
    }
    if (verdict == ZoneMarker::Verdict::Kept) return true;
    try {
        files.DeleteFile(path);
    } catch (const std::exception&) {
        // Gone already, or held by the scanner: either way it is not listed
        // and no action runs on it.
    }
    return false;
}

bool CanRunCode(Shell& shell, std::string_view path) {
    const std::string extension = ExtensionOf(path);
    if (extension.empty()) return false;
    for (std::string_view usual : UsualCodeTypes)
        if (extension == usual) return true;
    try {
        return shell.IsDangerousType("." + extension);
    } catch (const std::exception&) {
        return false;  // the usual list has answered for the common types
    }
}

std::string ShownName(std::string_view name) {
    std::string shown;
    shown.reserve(name.size());
    for (std::size_t at = 0; at < name.size();) {
        const Utf8Char c = DecodeUtf8At(name, at);
        if (c.Valid && ChangesDirection(c.CodePoint))
            AppendUtf8(shown, 0xFFFD);
        else
            shown.append(name.substr(at, c.Length));
        at += c.Length;
    }
    return shown;
}

std::string ShownNameOf(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    return ShownName(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string OpenQuestion(std::string_view path) {
    return ShownNameOf(path) +
           " can run a program on this computer. Open it only if you trust the device it came from. Open it?";
}

void OpenAskingFirst(Shell& shell, Questions& questions, const std::string& path) {
    if (CanRunCode(shell, path) && !questions.AskYesNo(OpenQuestion(path), OpenQuestionTitle)) return;
    shell.Open(path);
}

}  // namespace qw
