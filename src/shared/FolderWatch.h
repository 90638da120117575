#pragma once
// Word that a folder may have changed: a file came, went, was renamed, or was
// written to. A reader that watches a folder lists it only after a change,
// so keeping up with a large folder costs nothing while nothing happens.

namespace qw {

class FolderWatch {
public:
    virtual ~FolderWatch() = default;
    // True when files in the folder may have come, gone, been renamed, grown
    // or been written to since the last call (the first call: since the
    // watch began). Every change is reported by at least one call.
    virtual bool Changed() = 0;
};

}  // namespace qw
