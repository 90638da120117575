#pragma once
// The registry port: text values addressed by their full name as one text,
// e.g. "HKEY_CURRENT_USER\Software\Quillwave\ApplicationPath".

#include <stdexcept>
#include <string>

namespace qw {

class RegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Registry {
public:
    virtual ~Registry() = default;
    // Throws when the value or its key does not exist.
    virtual std::string ReadText(const std::string& valueName) = 0;
    // Writes a REG_SZ value, creating missing keys and replacing an existing value.
    virtual void WriteText(const std::string& valueName, const std::string& text) = 0;
    // Throws when the value cannot be deleted (missing, or access denied).
    virtual void DeleteValue(const std::string& valueName) = 0;
};

// The value's text, or `fallback` when it cannot be read.
inline std::string ReadTextOr(Registry& registry, const std::string& valueName, const std::string& fallback = {}) {
    try {
        return registry.ReadText(valueName);
    } catch (const std::exception&) {
        return fallback;
    }
}

}  // namespace qw
