#pragma once

#include "platform/settings_store.h"

namespace kw::win32 {

// The per-user registry: HKCU\Software\<app>\<section>, one REG_SZ value per key.
class RegistryStore final : public SettingsStore {
public:
    std::string read(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& fallback) override;
    StoreResult write(const std::string& app, const std::string& section, const std::string& key,
                      const std::string& value) override;
};

}  // namespace kw::win32
