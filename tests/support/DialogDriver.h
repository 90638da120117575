#pragma once
// Plays the user at a modal dialog: while the test thread (or another
// process) sits in a dialog's message loop, a second thread finds the dialog
// window, types into it and presses keys, as a person at the keyboard would.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace qw::test {

// The visible dialog windows (class "#32770") of a process, whose caption is
// `caption` unless that is empty.
inline std::vector<HWND> DialogWindows(DWORD processId, const std::wstring& caption = {}) {
    struct Search {
        DWORD processId;
        const std::wstring& caption;
        std::vector<HWND> found;
    } search{processId, caption, {}};
    EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lParam);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[16] = {}, text[256] = {};
            GetClassNameW(window, name, 16);
            GetWindowTextW(window, text, 256);
            if (owner == s.processId && IsWindowVisible(window) && std::wstring(name) == L"#32770" &&
                (s.caption.empty() || s.caption == text))
                s.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The message of a message box (its static text control).
inline std::wstring MessageBoxText(HWND box) {
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    return text;
}

// Sends the characters to a control one by one, as typing does.
inline void Type(HWND control, const std::wstring& text) {
    for (wchar_t c : text) PostMessageW(control, WM_CHAR, c, 1);
}

inline void PressKey(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

// Runs the steps in order on its own thread, each retried every 50 ms until
// it returns true. A step that does not succeed in time ends the run and
// cancels every dialog of this process, so the test thread is not left in a
// dialog nobody answers.
class DialogDriver {
public:
    using Step = std::function<bool()>;

    explicit DialogDriver(std::vector<Step> steps, std::chrono::milliseconds perStep = std::chrono::seconds(20))
        : steps_(std::move(steps)), thread_([this, perStep] { Run(perStep); }) {}
    ~DialogDriver() { Finish(); }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Waits for the last step; the number of steps that succeeded.
    int Finish() {
        if (thread_.joinable()) thread_.join();
        return done_;
    }

private:
    void Run(std::chrono::milliseconds perStep) {
        for (const Step& step : steps_) {
            const auto end = std::chrono::steady_clock::now() + perStep;
            while (!step()) {
                if (std::chrono::steady_clock::now() >= end) {
                    for (HWND dialog : DialogWindows(GetCurrentProcessId())) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                    return;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
            ++done_;
        }
    }

    std::vector<Step> steps_;
    std::atomic<int> done_{0};
    std::thread thread_;
};

}  // namespace qw::test
