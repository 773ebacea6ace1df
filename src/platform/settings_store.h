#pragma once

#include <cstdint>
#include <string>

namespace kw {

// Whether a value reached the store, and if not, why, in the system's own words.
struct StoreResult {
    std::uint32_t error = 0;  // 0: stored
    std::string errorText;    // may be empty when the system has no text for the error
    bool stored() const { return error == 0; }
    // The reason as the user reads it.
    std::string reason() const { return errorText.empty() ? "Fehler " + std::to_string(error) : errorText; }
};

// Per-user store of string values addressed by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or `fallback` when the key is missing or does not hold text.
    virtual std::string read(const std::string& app, const std::string& section, const std::string& key,
                             const std::string& fallback) = 0;
    virtual StoreResult write(const std::string& app, const std::string& section, const std::string& key,
                              const std::string& value) = 0;
};

}  // namespace kw
