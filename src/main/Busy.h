#pragma once
// What is open while the program waits for the user, and whether Exit was
// asked for.
//
// Message boxes and dialogs keep the message loop running, so a timer tick,
// a menu or Exit can arrive in the middle of a command. The main presenter
// owns one Busy and hands it to the parts that wait for the user; every rule
// for that case reads it:
// - Skip re-entry. A watcher pass, each file command (Save As and "Add Image
//   From File" share the one file dialog, so they count as one) and the
//   settings dialog run once at a time: Enter gives an empty scope while the
//   same work is open, and the caller does nothing.
// - Exit asked for. Whatever returns from a dialog or message box then finds
//   Exiting() and stops there: the watcher takes no further file, no file
//   command starts or goes on, the automatic actions end their pass.
// - Exit while the settings dialog is open closes the dialog unsaved, and
//   the program ends once the dialog has returned (ExitWaitsForSettings).
// A command also acts on the file it was started for, not on one that became
// current while its dialog was open: that is the CommandTarget a command
// takes when it starts (FileCommands::Run, the thumbnail menu).

#include <set>

#include "main/Commands.h"

namespace qw {

class Busy {
public:
    // The work that is not Command: the watcher's pass and the settings dialog.
    enum class Work { WatcherPass, SettingsDialog };

    // Holds one kind of work open until it goes. Empty (false) when that
    // work was open already.
    class Scope {
    public:
        Scope() = default;
        Scope(Scope&& other) noexcept : busy_(other.busy_), key_(other.key_) { other.busy_ = nullptr; }
        Scope& operator=(Scope&&) = delete;
        ~Scope() {
            if (busy_) busy_->open_.erase(key_);
        }
        explicit operator bool() const { return busy_ != nullptr; }

    private:
        friend class Busy;
        Scope(Busy* busy, int key) : busy_(busy), key_(key) {}
        Busy* busy_ = nullptr;
        int key_ = 0;
    };

    [[nodiscard]] Scope Enter(Work work) { return EnterKey(Key(work)); }
    [[nodiscard]] Scope Enter(Command command) { return EnterKey(Key(command)); }
    bool IsOpen(Work work) const { return open_.count(Key(work)) != 0; }

    // From "Exit Quillwave!" (or the setup program) on, for the rest of the
    // program's life.
    void AskExit() {
        if (IsOpen(Work::SettingsDialog)) exitWaitsForSettings_ = true;
        exiting_ = true;
    }
    bool Exiting() const { return exiting_; }
    // Exit was asked for while the settings dialog was open.
    bool ExitWaitsForSettings() const { return exitWaitsForSettings_; }

private:
    // Commands count from 0 up; the other work below them.
    static int Key(Work work) { return -1 - static_cast<int>(work); }
    static int Key(Command command) {
        return static_cast<int>(command == Command::AddImageFromFile ? Command::SaveCurrentFileAs : command);
    }
    Scope EnterKey(int key) { return open_.insert(key).second ? Scope(this, key) : Scope(); }

    std::set<int> open_;
    bool exiting_ = false;
    bool exitWaitsForSettings_ = false;
};

}  // namespace qw
