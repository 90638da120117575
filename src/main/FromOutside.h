#pragma once
// Files from a phone are files from outside: any device in range can push
// one. They are treated as browsers treat downloads: each carries the
// Internet zone mark, so Windows' own defences apply when it is opened;
// one whose type can run code is opened only after a question; and its name
// is never shown in a form that hides its real extension.

#include <string>
#include <string_view>

#include "main/MainPorts.h"

namespace qw {

// Where every received file comes from, as the zone marks record it: the
// Internet zone, as for a downloaded file.
inline constexpr const char* OutsideSource = "about:internet";

// Marks a file that has just arrived or been copied from a received one.
// Returns whether it may stay: a file refused by the scanner is removed if it
// is still there. A mark that cannot be written never costs the user the file.
bool KeepMarkedFromOutside(ZoneMarker& marks, FileSystem& files, const std::string& path);

// Whether opening the file with its program can run code: the system's own
// list of such types joined with the usual ones, so that a system that
// answers "no" for every type still counts .bat or .exe.
bool CanRunCode(Shell& shell, std::string_view path);

// The name as the program shows it: the characters that change the direction
// of text ("\u202Egpj.exe" reads as "exe.jpg") shown as U+FFFD, so the real
// extension can be seen. The file keeps its name on disk.
std::string ShownName(std::string_view name);

// The name after the last "\", in its own letter case, as it is shown.
std::string ShownNameOf(std::string_view path);

inline constexpr const char* OpenQuestionTitle = "Quillwave!";
std::string OpenQuestion(std::string_view path);

// Opens a file with its program, first asking when its type can run code.
void OpenAskingFirst(Shell& shell, Questions& questions, const std::string& path);

}  // namespace qw
