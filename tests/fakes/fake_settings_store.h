// The per-user settings store: a map keyed by application, section and key, with a log of writes and
// writes that can be made to fail.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/settings_store.h"

namespace kw::test {

struct StoreWrite {
    std::string app, section, key, value;
};

class FakeSettingsStore final : public SettingsStore {
    using Key = std::tuple<std::string, std::string, std::string>;

public:
    std::string read(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& fallback) override {
        ++reads;
        if (journal)
            journal->push_back("read " + section + "/" + key);
        const auto it = values_.find(Key{app, section, key});
        return it == values_.end() ? fallback : it->second;
    }

    bool write(const std::string& app, const std::string& section, const std::string& key,
               const std::string& value) override {
        writes.push_back({app, section, key, value});
        if (failWrites)
            return false;
        values_[Key{app, section, key}] = value;
        return true;
    }

    // A value stored before the program started (by an earlier run or by hand).
    void put(const std::string& app, const std::string& section, const std::string& key, const std::string& value) {
        values_[Key{app, section, key}] = value;
    }

    std::optional<std::string> get(const std::string& app, const std::string& section, const std::string& key) const {
        const auto it = values_.find(Key{app, section, key});
        if (it == values_.end())
            return std::nullopt;
        return it->second;
    }

    bool failWrites = false;
    std::vector<std::string>* journal = nullptr;
    int reads = 0;
    std::vector<StoreWrite> writes;

private:
    std::map<Key, std::string> values_;
};

}  // namespace kw::test
