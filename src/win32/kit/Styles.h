#pragma once

namespace qw::win32 {

// Registers the common-control classes the windows use (the extended combo
// box and the tab control and, with the manifest, the visual styles). Never
// fails loudly: the result tells whether the call went through.
bool InitStyles();

}  // namespace qw::win32
