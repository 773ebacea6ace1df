// Which network adapters count as connections: those the user chose, while the system reports them up.
// Names are compared as the system compares them (NetworkAdapters::sameName).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/adapter_dialog.h"
#include "platform/network_adapters.h"

namespace kw {

// The chosen names that have an interface up. A name counts once, however many rows the system lists
// under it; an interface of Windows' own dial-up client never counts, since the dial-up count has it, nor
// a filter module's row.
int AdaptersUp(const std::vector<NetworkAdapter>& table, const std::vector<std::string>& chosen,
               NetworkAdapters& system);

// The dial-up count (-1: it failed) and the chosen adapters up, as one count. A failed dial-up count adds
// nothing, and the whole is -1 only when no adapter is up either.
std::int32_t CombinedCount(std::int32_t dialUp, int adaptersUp);

// The dialog's rows: the adapters that Windows' folder of network connections lists, one row per name, in
// the system's order, checked where chosen: not loopback nor dial-up, no filter module's row, and none that
// its adapter key marks hidden, unless its name is chosen. Then each chosen name that no row has, as
// absent. Without a table (it could not be read) the chosen names alone, their state unknown.
std::vector<AdapterRow> AdapterRows(const std::vector<NetworkAdapter>* table, const std::vector<AdapterMarks>& marks,
                                    const std::vector<std::string>& chosen, NetworkAdapters& system);

// The names as they are kept: no empty ones, each name once (the first spelling).
std::vector<std::string> DistinctNames(const std::vector<std::string>& names, NetworkAdapters& system);

}  // namespace kw
