#pragma once

#include <cstdint>

#include "platform/records.h"

namespace kw {

// The remote-access service: enumerates the active dial-up connections and announces their changes.
class RemoteAccess {
public:
    virtual ~RemoteAccess() = default;
    // RasEnumConnectionsA: fills up to *bytes / dwSize records starting at `first` and stores their
    // number in *connections. Returns 0 on success, otherwise an error code.
    virtual std::uint32_t enumConnections(RasConnA* first, std::uint32_t* bytes, std::uint32_t* connections) = 0;
    // RasConnectionNotificationA for every connection, as it comes up and as it ends. From then on each
    // announcement wakes the thread's event loop, whose one wake handler (EventPump::onWake) runs. Returns
    // false when the service cannot announce changes; it then never wakes the loop.
    virtual bool notifyConnections() = 0;
};

}  // namespace kw
