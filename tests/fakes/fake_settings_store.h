// The per-user settings store: a map keyed by application, section and key, with a log of writes and
// writes that can be made to fail.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "fakes/failure_point.h"
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
        if (Fails(faults, "read " + section + "/" + key))
            return fallback;
        const auto it = values_.find(Key{app, section, key});
        return it == values_.end() ? fallback : it->second;
    }

    StoreResult write(const std::string& app, const std::string& section, const std::string& key,
                      const std::string& value) override {
        writes.push_back({app, section, key, value});
        if (Fails(faults, "write " + section + "/" + key + " " + value) || failWrites || failingKeys.count(key) != 0)
            return failure;
        values_[Key{app, section, key}] = value;
        return {};
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
    std::set<std::string> failingKeys;  // keys whose writes fail while the others succeed
    // What a refused write reports: here, a parent key that only lives until the session ends.
    StoreResult failure{
        1021, "Unter einem flüchtigen übergeordneten Schlüssel kann kein stabiler Unterschlüssel erstellt werden."};
    std::vector<std::string>* journal = nullptr;
    FailurePoint* faults = nullptr;
    int reads = 0;
    std::vector<StoreWrite> writes;

private:
    std::map<Key, std::string> values_;
};

}  // namespace kw::test
