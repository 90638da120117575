#include <gtest/gtest.h>

#include <optional>

#include "fakes/FakeRegistry.h"
#include "main/BluetoothStack.h"

namespace qw {
namespace {

struct DetectionCase {
    const char* name;
    std::optional<std::string> inbox, root;
    bool found;
    std::string inboxRead, rootRead;  // what the getters give afterwards
    std::size_t reads;                // values read before the answer
};

TEST(BluetoothStack, DetectsTheStackOnlyWhenBothValuesExistAndOneIsSet) {
    const DetectionCase cases[] = {
        {"both set", "C:\\BT\\Inbox", "D:\\BT Root ", true, "C:\\BT\\Inbox", "D:\\BT Root ", 2},
        {"root empty", "C:\\BT\\Inbox", "", true, "C:\\BT\\Inbox", "", 2},
        {"inbox empty", "", "C:\\Root", true, "", "C:\\Root", 2},
        {"both empty", "", "", false, "", "", 2},
        {"inbox missing", std::nullopt, "C:\\Root", false, "", "", 1},
        {"root missing", "C:\\BT\\Inbox", std::nullopt, false, "C:\\BT\\Inbox", "", 2},
        {"none", std::nullopt, std::nullopt, false, "", "", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeRegistry registry;
        if (c.inbox) registry.Set(StackInboxValue, *c.inbox);
        if (c.root) registry.Set(StackRootValue, *c.root);
        BluetoothStack stack(registry);
        EXPECT_EQ(stack.ReadBluetoothFolders(), c.found);
        EXPECT_EQ(stack.GetBluetoothInboxFolder(), c.inboxRead);
        EXPECT_EQ(stack.GetBluetoothRootFolder(), c.rootRead);
        EXPECT_EQ(registry.Operations().size(), c.reads);
        EXPECT_EQ(registry.Operations().front().Name, StackInboxValue);  // the inbox value first
    }
}

TEST(BluetoothStack, GettersAreEmptyBeforeReading) {
    FakeRegistry registry;
    registry.Set(StackInboxValue, "C:\\In");
    BluetoothStack stack(registry);
    EXPECT_EQ(stack.GetBluetoothInboxFolder(), "");
    EXPECT_EQ(stack.GetBluetoothRootFolder(), "");
}

}  // namespace
}  // namespace qw
