#include "win32/main/Activation.h"

#include <windows.h>

namespace qw::win32 {

namespace {
HWND ToHandle(WindowId window) { return reinterpret_cast<HWND>(window); }
}  // namespace

WindowId Activation::ForegroundWindow() { return reinterpret_cast<WindowId>(::GetForegroundWindow()); }

std::uint32_t Activation::ThreadOfWindow(WindowId window) {
    return ::GetWindowThreadProcessId(ToHandle(window), nullptr);
}

void Activation::AttachThreadInput(std::uint32_t from, std::uint32_t to, bool attach) {
    ::AttachThreadInput(from, to, attach ? TRUE : FALSE);
}

void Activation::SetForegroundWindow(WindowId window) { ::SetForegroundWindow(ToHandle(window)); }

bool Activation::IsIconic(WindowId window) { return ::IsIconic(ToHandle(window)) != FALSE; }

void Activation::ShowWindow(WindowId window, ShowCommand command) {
    ::ShowWindow(ToHandle(window), static_cast<int>(command));
}

}  // namespace qw::win32
