#pragma once
// Finds the two folders where the PC's Bluetooth stack stores received files,
// from the stack's own registry values. The stack counts as present only when
// both values exist and at least one of them is not empty.

#include <string>

#include "shared/Registry.h"
#include "shared/RegistryValues.h"

namespace qw {

class BluetoothStack {
public:
    explicit BluetoothStack(Registry& registry) : registry_(registry) {}

    // Reads the inbox value, then the root value; a missing value ends the
    // reading (a missing inbox value leaves the root value unread). Never throws.
    bool ReadBluetoothFolders();
    // The folders as last read, unchanged (not trimmed, no backslash added).
    std::string GetBluetoothInboxFolder() const { return inboxFolder_; }
    std::string GetBluetoothRootFolder() const { return rootFolder_; }

private:
    Registry& registry_;
    std::string inboxFolder_;
    std::string rootFolder_;
};

}  // namespace qw
