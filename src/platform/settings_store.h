#pragma once

#include <string>

namespace kw {

// Per-user store of string values addressed by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or `fallback` when the key is missing or does not hold text.
    virtual std::string read(const std::string& app, const std::string& section, const std::string& key,
                             const std::string& fallback) = 0;
    // Returns false when the value could not be written.
    virtual bool write(const std::string& app, const std::string& section, const std::string& key,
                       const std::string& value) = 0;
};

}  // namespace kw
