#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kw {

// One row of the system's interface table (GetIfTable2's MIB_IF_ROW2, as far as the program reads it).
struct NetworkAdapter {
    std::string name;         // the alias the system shows ("Ethernet 2", "wg-buero")
    std::string description;  // the driver's description
    std::uint32_t type = 0;   // IFTYPE
    std::uint32_t operStatus = 0;
    std::string guid = {};  // InterfaceGuid, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
    bool filter = false;    // a filter module's interface over an adapter (FilterInterface), no adapter itself
};

// One adapter key of the system's network class: the interface it belongs to (NetCfgInstanceId) and its
// Characteristics.
struct AdapterMarks {
    std::string guid;
    std::uint32_t characteristics = 0;
};

// IFTYPE values and IF_OPER_STATUS's up.
inline constexpr std::uint32_t kIfTypePpp = 23;  // Windows' own dial-up client; counted by the remote-access service
inline constexpr std::uint32_t kIfTypeLoopback = 24;
inline constexpr std::uint32_t kIfOperStatusUp = 1;
// Characteristics' mark of an adapter that no user interface shows (NCF_HIDDEN).
inline constexpr std::uint32_t kNcfHidden = 0x8;

// The system's network adapters.
class NetworkAdapters {
public:
    virtual ~NetworkAdapters() = default;
    // The interface table in the system's order; false when it cannot be read.
    virtual bool list(std::vector<NetworkAdapter>& adapters) = 0;
    // The marks of every adapter key that can be read, in no particular order; false when the system keeps
    // no such keys or they cannot be listed. A slow read of the registry: for the dialog, never the tick.
    virtual bool adapterMarks(std::vector<AdapterMarks>& marks) = 0;
    // True when the two names are one, as the system compares interface names: without regard to case.
    virtual bool sameName(const std::string& a, const std::string& b) = 0;
    // From now on the system's announcement of a change of an interface wakes the thread's event loop
    // (EventPump::onWake). False when the system cannot announce them.
    virtual bool notifyChanges() = 0;
};

}  // namespace kw
