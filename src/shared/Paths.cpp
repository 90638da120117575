#include "shared/Paths.h"

#include "shared/Text.h"

namespace qw {

namespace {

// '.' and '\' are ASCII, so a byte search never lands inside a UTF-8 sequence.
std::string AfterLast(std::string_view path, char separator) {
    const std::size_t at = path.rfind(separator);
    return LowerCase(at == std::string_view::npos ? path : path.substr(at + 1));
}

}  // namespace

std::string FileExt(std::string_view path) { return AfterLast(path, '.'); }

std::string ExtractFileName(std::string_view path) { return AfterLast(path, '\\'); }

std::string ExtractFolderPath(std::string_view path) {
    const std::size_t at = path.rfind('\\');
    if (at == std::string_view::npos) {
        throw PathError("no folder in the path \"" + std::string(path) + "\"");
    }
    return LowerCase(path.substr(0, at));
}

bool IsImageFile(std::string_view path) {
    const std::string ext = FileExt(path);
    for (const char* image : {"ico", "gif", "bmp", "jpeg", "jpg"}) {
        if (ext == image) return true;
    }
    return false;
}

std::string NumberedName(std::string_view name, unsigned long long counter) {
    if (counter == 0) return std::string(name);
    const std::size_t dot = name.rfind('.');
    const std::string_view stem = dot == std::string_view::npos ? name : name.substr(0, dot);
    const std::string_view extension = dot == std::string_view::npos ? std::string_view() : name.substr(dot);
    return std::string(stem) + "_" + std::to_string(counter) + std::string(extension);
}

}  // namespace qw
