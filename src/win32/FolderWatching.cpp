// Folder watches through the change notifications of the file system: asking
// whether the folder changed costs one wait that does not block.

#include <windows.h>

#include <memory>
#include <utility>

#include "win32/kit/Handles.h"
#include "win32/kit/Utf.h"
#include "win32/Win32FileSystem.h"

namespace qw::win32 {

namespace {

class ChangeNotificationWatch : public FolderWatch {
public:
    explicit ChangeNotificationWatch(ChangeNotificationHandle handle) : handle_(std::move(handle)) {}

    bool Changed() override {
        if (broken_) return true;  // the folder is read at every check, as without a watch
        switch (WaitForSingleObject(handle_.Get(), 0)) {
        case WAIT_TIMEOUT:
            return false;
        case WAIT_OBJECT_0:
            // Armed again before the folder is read, so a change while it is
            // read is reported by the next call.
            if (!FindNextChangeNotification(handle_.Get())) broken_ = true;
            return true;
        default:
            broken_ = true;
            return true;
        }
    }

private:
    ChangeNotificationHandle handle_;
    bool broken_ = false;
};

}  // namespace

std::unique_ptr<FolderWatch> Win32FileSystem::WatchFolder(const std::string& folder) {
    if (folder.empty()) return nullptr;
    // Sizes and write times as well as names: a file still being written when
    // it was first seen is read again once it changes.
    ChangeNotificationHandle handle(FindFirstChangeNotificationW(
        Widen(folder).c_str(), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE));
    if (!handle) return nullptr;
    return std::make_unique<ChangeNotificationWatch>(std::move(handle));
}

}  // namespace qw::win32
