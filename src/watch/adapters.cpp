#include "watch/adapters.h"

#include <algorithm>
#include <cctype>

namespace kw {
namespace {

bool Contains(const std::vector<std::string>& names, const std::string& name, NetworkAdapters& system) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& kept) { return system.sameName(kept, name); });
}

// Windows' own dial-up interfaces are counted by the dial-up service; a filter module's row only mirrors the
// adapter below it, which has a row of its own.
bool Counted(const NetworkAdapter& adapter) {
    return adapter.type != kIfTypePpp && !adapter.filter;
}

bool SameGuid(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

// Marked hidden in its adapter key; a row whose key could not be read is not.
bool Hidden(const NetworkAdapter& adapter, const std::vector<AdapterMarks>& marks) {
    return std::any_of(marks.begin(), marks.end(), [&](const AdapterMarks& key) {
        return (key.characteristics & kNcfHidden) != 0 && !adapter.guid.empty() && SameGuid(key.guid, adapter.guid);
    });
}

}  // namespace

int AdaptersUp(const std::vector<NetworkAdapter>& table, const std::vector<std::string>& chosen,
               NetworkAdapters& system) {
    return static_cast<int>(std::count_if(chosen.begin(), chosen.end(), [&](const std::string& name) {
        return std::any_of(table.begin(), table.end(), [&](const NetworkAdapter& adapter) {
            return Counted(adapter) && adapter.operStatus == kIfOperStatusUp && system.sameName(adapter.name, name);
        });
    }));
}

std::int32_t CombinedCount(std::int32_t dialUp, int adaptersUp) {
    if (dialUp < 0) {
        return adaptersUp > 0 ? adaptersUp : -1;
    }
    return dialUp + adaptersUp;
}

std::vector<AdapterRow> AdapterRows(const std::vector<NetworkAdapter>* table, const std::vector<AdapterMarks>& marks,
                                    const std::vector<std::string>& chosen, NetworkAdapters& system) {
    std::vector<AdapterRow> rows;
    const auto rowOf = [&](const std::string& name) {
        return std::find_if(rows.begin(), rows.end(),
                            [&](const AdapterRow& row) { return system.sameName(row.name, name); });
    };
    for (const NetworkAdapter& adapter : table != nullptr ? *table : std::vector<NetworkAdapter>{}) {
        const bool chosenName = Contains(chosen, adapter.name, system);
        if (adapter.type == kIfTypeLoopback || !Counted(adapter) || (Hidden(adapter, marks) && !chosenName)) {
            continue;
        }
        const bool up = adapter.operStatus == kIfOperStatusUp;
        // The system may list a name twice (Wine keeps a row for a device that went and came back).
        if (const auto seen = rowOf(adapter.name); seen != rows.end()) {
            if (up) {
                seen->state = "verbunden";
            }
            continue;
        }
        rows.push_back({adapter.name, adapter.description, up ? "verbunden" : "getrennt", chosenName});
    }
    for (const std::string& name : chosen) {
        if (rowOf(name) == rows.end()) {
            rows.push_back({name, "", table != nullptr ? "nicht vorhanden" : "unbekannt", true});
        }
    }
    return rows;
}

std::vector<std::string> DistinctNames(const std::vector<std::string>& names, NetworkAdapters& system) {
    std::vector<std::string> distinct;
    for (const std::string& name : names) {
        if (!name.empty() && !Contains(distinct, name, system)) {
            distinct.push_back(name);
        }
    }
    return distinct;
}

}  // namespace kw
