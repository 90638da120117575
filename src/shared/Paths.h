#pragma once
// Taking full paths apart. Paths use "\" between folders and "." before the
// extension. Every text these helpers return is lower-cased, so a path that
// passes through them loses its letter case.

#include <stdexcept>
#include <string>
#include <string_view>

namespace qw {

// A path that cannot be taken apart as asked.
class PathError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Everything after the last "." of the whole path; the whole path when it has no ".".
// The "." may lie in a folder name: c:\my.pics\readme gives "pics\readme".
std::string FileExt(std::string_view path);

// Everything after the last "\"; the whole path when it has no "\".
std::string ExtractFileName(std::string_view path);

// Everything before the last "\", which is dropped (c:\photo.jpg gives "c:").
// Throws PathError when the path has no "\".
std::string ExtractFolderPath(std::string_view path);

// True for the extensions ico, gif, bmp, jpeg and jpg, judged by name only.
bool IsImageFile(std::string_view path);

// The names a file of this name is tried under where the name may be taken:
// the name itself for 0, else name_N.ext (readme_N without a dot), always
// built from the given name, in its own letter case.
std::string NumberedName(std::string_view name, unsigned long long counter);

}  // namespace qw
