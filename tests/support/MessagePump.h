#pragma once
// Runs the test thread's messages, as a program's message loop would, and
// waits on a thread that must not take any (one that drives another
// thread's windows, or watches another program).

#include <windows.h>

#include <chrono>
#include <functional>
#include <thread>

namespace qw::test {

// Dispatches every message waiting now (paints, posted messages, timers due).
inline void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Pumps until the condition holds or the deadline passes; true when it held.
inline bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    for (;;) {
        Pump();
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// Polls until the condition holds or the deadline passes, without taking
// the thread's messages; true when it held.
inline bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace qw::test
