#pragma once

#include "main/WindowActivation.h"

namespace qw::win32 {

class Activation : public WindowActivation {
public:
    WindowId ForegroundWindow() override;
    std::uint32_t ThreadOfWindow(WindowId window) override;
    void AttachThreadInput(std::uint32_t from, std::uint32_t to, bool attach) override;
    void SetForegroundWindow(WindowId window) override;
    bool IsIconic(WindowId window) override;
    void ShowWindow(WindowId window, ShowCommand command) override;
};

}  // namespace qw::win32
