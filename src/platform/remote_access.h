#pragma once

#include <cstdint>
#include <functional>

#include "platform/records.h"

namespace kw {

// The remote-access service: enumerates the active dial-up connections and announces their changes.
class RemoteAccess {
public:
    virtual ~RemoteAccess() = default;
    // RasEnumConnectionsA: fills up to *bytes / dwSize records starting at `first` and stores their
    // number in *connections. Returns 0 on success, otherwise an error code.
    virtual std::uint32_t enumConnections(RasConnA* first, std::uint32_t* bytes, std::uint32_t* connections) = 0;
    // RasConnectionNotificationA for every connection, as it comes up and as it ends. From then on the
    // thread's event loop calls `changed` when it finds a change announced, in its wait and in doEvents
    // alike; announcements that come before the loop looks count as one. Returns false when the service
    // cannot announce changes; `changed` is then never called.
    virtual bool notifyConnections(std::function<void()> changed) = 0;
};

}  // namespace kw
