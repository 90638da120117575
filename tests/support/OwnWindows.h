#pragma once
// The test's own modal windows, found and worked as a user would: by their
// title, with clicks, keys and typing. A modal dialog runs its own message
// loop on the test's thread, so a second thread drives it; `DialogDriver`
// starts that thread and makes sure the dialog ends even when the script
// stops half-way, so a failing test never hangs.

#include <windows.h>
#include <dlgs.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "MessagePump.h"

namespace qw::test {

using namespace std::chrono_literals;

// The visible top-level window of the process (this one by default) with
// the title (and the class, when one is given), or nullptr.
inline HWND FindWindowOf(DWORD processId, const std::wstring& title, const wchar_t* className = nullptr) {
    struct Search {
        DWORD processId;
        const std::wstring& title;
        const wchar_t* className;
        HWND found;
    } search{processId, title, className, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            wchar_t text[256] = {}, name[256] = {};
            GetWindowTextW(window, text, 256);
            GetClassNameW(window, name, 256);
            if (process == s.processId && IsWindowVisible(window) && s.title == text &&
                (!s.className || wcscmp(name, s.className) == 0)) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline HWND FindOwnWindow(const std::wstring& title, const wchar_t* className = nullptr) {
    return FindWindowOf(GetCurrentProcessId(), title, className);
}

inline HWND WaitForWindowOf(DWORD processId, const std::wstring& title, const wchar_t* className = nullptr,
                            std::chrono::milliseconds deadline = 10s) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindWindowOf(processId, title, className)) != nullptr; }, deadline);
    return found;
}

inline HWND WaitForOwnWindow(const std::wstring& title, const wchar_t* className = nullptr,
                             std::chrono::milliseconds deadline = 10s) {
    return WaitForWindowOf(GetCurrentProcessId(), title, className, deadline);
}

// The control with the keyboard focus in the window's thread.
inline HWND FocusIn(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// A key pressed and released where the window's thread has its focus.
inline void PostKey(HWND window, UINT key) {
    HWND target = FocusIn(window);
    if (!target) target = window;
    const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageW(target, WM_KEYUP, key, 1 | (scan << 16) | (3u << 30));
}

// Alt and a letter, as the mnemonic of a control is used.
inline void PostAltKey(HWND window, wchar_t letter) {
    HWND target = FocusIn(window);
    if (!target) target = window;
    PostMessageW(target, WM_SYSCHAR, letter, 1 | (1u << 29));
}

// Keys pressed together on the keyboard, in order, and released in reverse
// order: they go to the window that has the focus, as the user's would.
inline void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> input;
    for (const WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        input.push_back(down);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *key;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        input.push_back(up);
    }
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// Replaces a text box's text by typing, character by character.
inline void Type(HWND textBox, const std::wstring& text) {
    SendMessageW(textBox, EM_SETSEL, 0, -1);
    SendMessageW(textBox, WM_CHAR, VK_BACK, 1);
    for (const wchar_t c : text) SendMessageW(textBox, WM_CHAR, c, 1);
}

inline std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The edit control of a save or open dialog's file name box: the box itself, or inside
// a combo box (Windows) or an extended combo box (Wine).
inline HWND FileNameBox(HWND dialog) {
    for (int id : {cmb13, edt1}) {
        HWND control = GetDlgItem(dialog, id);
        wchar_t name[16] = {};
        while (control && GetClassNameW(control, name, 16) && std::wstring(name) != L"Edit")
            control = GetWindow(control, GW_CHILD);
        if (control) return control;
    }
    return nullptr;
}

// A message box as the user sees it.
struct MessageBoxSeen {
    std::wstring Text;
    HICON Icon = nullptr;
};

// Reads the open message box of the title, of this process or another one,
// then closes it with its OK button (or `button`: IDYES, IDNO); nothing when
// none opens in time.
inline std::optional<MessageBoxSeen> AnswerMessageBox(const std::wstring& title,
                                                      std::chrono::milliseconds deadline = 10s,
                                                      DWORD processId = GetCurrentProcessId(), int button = IDOK) {
    HWND box = WaitForWindowOf(processId, title, L"#32770", deadline);
    if (!box) return std::nullopt;
    MessageBoxSeen seen;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32] = {};
        GetClassNameW(child, name, 32);
        if (_wcsicmp(name, L"Static") != 0) continue;
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            seen.Icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        else if (const std::wstring text = TextOf(child); !text.empty())
            seen.Text = text;
    }
    PostMessageW(box, WM_COMMAND, button, 0);
    WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, deadline);
    return seen;
}

// Runs `script` on a second thread while the test's thread shows a modal
// dialog. The script gets the dialog once it is visible (nullptr when it
// never appears). Whatever the script leaves open of the dialog is closed
// at the end.
class DialogDriver {
public:
    DialogDriver(std::wstring title, const wchar_t* className, std::function<void(HWND dialog)> script)
        : thread_([title = std::move(title), className, script = std::move(script)] {
              HWND dialog = WaitForOwnWindow(title, className);
              script(dialog);
              // Not found (another title than expected): the window in front
              // is the modal one that keeps the test waiting.
              if (!dialog) {
                  DWORD process = 0;
                  dialog = GetForegroundWindow();
                  GetWindowThreadProcessId(dialog, &process);
                  if (process != GetCurrentProcessId()) dialog = nullptr;
              }
              if (dialog && IsWindow(dialog) && IsWindowVisible(dialog)) PostMessageW(dialog, WM_CLOSE, 0, 0);
          }) {}
    ~DialogDriver() {
        if (thread_.joinable()) thread_.join();
    }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    void Join() { thread_.join(); }

private:
    std::thread thread_;
};

}  // namespace qw::test
