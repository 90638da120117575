#include "fakes/FakeRegistry.h"

#include <algorithm>

#include "shared/Text.h"

namespace qw {

void FakeRegistry::Set(const std::string& name, const std::string& text) {
    values_[LowerCase(name)] = {name, text};
}

std::optional<std::string> FakeRegistry::Value(const std::string& name) const {
    const auto it = values_.find(LowerCase(name));
    if (it == values_.end()) return std::nullopt;
    return it->second.Text;
}

void FakeRegistry::FailOn(RegistryOperation operation, const std::string& name) {
    failures_.emplace_back(operation, name == AnyName ? name : LowerCase(name));
}

std::size_t FakeRegistry::CountOf(RegistryOperation operation) const {
    return static_cast<std::size_t>(std::count_if(operations_.begin(), operations_.end(), [&](const auto& r) {
        return r.Operation == operation && r.Succeeded;
    }));
}

RegistryOperationRecord& FakeRegistry::Begin(RegistryOperation operation, const std::string& name,
                                             const std::string& text) {
    operations_.push_back({operation, name, text, false});
    const std::string key = LowerCase(name);
    for (const auto& [failing, failingName] : failures_) {
        if (failing == operation && (failingName == AnyName || failingName == key)) {
            throw RegistryError("access denied: " + name);
        }
    }
    return operations_.back();
}

std::string FakeRegistry::ReadText(const std::string& valueName) {
    RegistryOperationRecord& record = Begin(RegistryOperation::ReadText, valueName);
    const auto it = values_.find(LowerCase(valueName));
    if (it == values_.end()) throw RegistryError("value not found: " + valueName);
    record.Succeeded = true;
    return it->second.Text;
}

void FakeRegistry::WriteText(const std::string& valueName, const std::string& text) {
    RegistryOperationRecord& record = Begin(RegistryOperation::WriteText, valueName, text);
    const auto it = values_.find(LowerCase(valueName));
    if (it != values_.end()) {
        it->second.Text = text;  // an existing value keeps the letter case of its name
    } else {
        Set(valueName, text);
    }
    record.Succeeded = true;
}

void FakeRegistry::DeleteValue(const std::string& valueName) {
    RegistryOperationRecord& record = Begin(RegistryOperation::DeleteValue, valueName);
    if (values_.erase(LowerCase(valueName)) == 0) throw RegistryError("value not found: " + valueName);
    record.Succeeded = true;
}

}  // namespace qw
