#include "main/BluetoothStack.h"

namespace qw {

bool BluetoothStack::ReadBluetoothFolders() {
    try {
        inboxFolder_ = registry_.ReadText(StackInboxValue);
        rootFolder_ = registry_.ReadText(StackRootValue);
    } catch (const std::exception&) {
        // A missing value is the normal sign of a PC without the stack.
        return false;
    }
    return !rootFolder_.empty() || !inboxFolder_.empty();
}

}  // namespace qw
