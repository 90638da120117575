#pragma once
// An in-memory registry of text values. Value names are full paths such as
// "HKEY_CURRENT_USER\Software\Quillwave\ApplicationPath" and, as in Windows,
// are compared ignoring letter case.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "shared/Registry.h"

namespace qw {

enum class RegistryOperation { ReadText, WriteText, DeleteValue };

struct RegistryOperationRecord {
    RegistryOperation Operation{};
    std::string Name;  // as the caller wrote it
    std::string Text;  // writes only
    bool Succeeded = false;
    bool operator==(const RegistryOperationRecord&) const = default;
};

class FakeRegistry : public Registry {
public:
    // Matches every value name in FailOn.
    static constexpr const char* AnyName = "*";

    // ---- Setting up and inspecting (not recorded).
    void Set(const std::string& name, const std::string& text);
    std::optional<std::string> Value(const std::string& name) const;
    // Makes every later `operation` on the value throw RegistryError (access
    // denied), changing nothing.
    void FailOn(RegistryOperation operation, const std::string& name);
    void ClearFailures() { failures_.clear(); }
    const std::vector<RegistryOperationRecord>& Operations() const { return operations_; }
    // Successful calls of one kind.
    std::size_t CountOf(RegistryOperation operation) const;
    void ClearOperations() { operations_.clear(); }

    // ---- The port.
    std::string ReadText(const std::string& valueName) override;
    void WriteText(const std::string& valueName, const std::string& text) override;
    void DeleteValue(const std::string& valueName) override;

private:
    struct Entry {
        std::string Name;
        std::string Text;
    };

    RegistryOperationRecord& Begin(RegistryOperation operation, const std::string& name,
                                   const std::string& text = {});

    std::map<std::string, Entry> values_;  // by lower-cased name
    std::vector<std::pair<RegistryOperation, std::string>> failures_;
    std::vector<RegistryOperationRecord> operations_;
};

}  // namespace qw
