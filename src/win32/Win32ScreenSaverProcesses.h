#pragma once
// Whether a process id names a running screen saver of this product, for the
// test of a stale "YES" that both programs make.

#include "shared/ScreenSaverState.h"

namespace qw::win32 {

inline constexpr const wchar_t* ScreenSaverFileName = L"quillwavess.scr";

class Win32ScreenSaverProcesses : public qw::ScreenSaverProcesses {
public:
    // True when the process runs and its program file is named
    // quillwavess.scr, in any letter case and also when it was started by
    // its short name (as Windows may start a screen saver).
    bool IsScreenSaverProcess(std::uint32_t processId) override;
};

}  // namespace qw::win32
