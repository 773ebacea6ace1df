// The dial-up service: a settable number of connections or an error, what the caller handed over, and the
// announcement of each connection that comes or goes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fakes/failure_point.h"
#include "fakes/fake_event_pump.h"
#include "platform/remote_access.h"

namespace kw::test {

class FakeRemoteAccess final : public RemoteAccess {
public:
    std::uint32_t enumConnections(RasConnA* first, std::uint32_t* bytes, std::uint32_t* count) override {
        ++calls;
        dwSize = first->dwSize;
        byteCount = *bytes;
        countGiven = *count;
        // Record 0 must arrive zeroed but for its size field, whatever an earlier count left in it.
        const auto* raw = reinterpret_cast<const unsigned char*>(first);
        const bool zeroed =
            std::all_of(raw + sizeof first->dwSize, raw + sizeof(RasConnA), [](unsigned char b) { return b == 0; });
        record0Zeroed = record0Zeroed && zeroed;
        if (Fails(faults, "enumConnections")) {
            *count = 0;
            return 632;  // ERROR_INVALID_SIZE
        }
        // Like the real service: it fills in a record per connection, and reports a count with some
        // errors too (a buffer too small). Never past the real buffer, whatever byte count is claimed.
        const std::uint32_t room = std::min(*bytes, kRasConnBufferBytes) / sizeof(RasConnA);
        for (std::uint32_t i = 0; errorCode == 0 && i < std::min(connections, room); ++i) {
            first[i].dwSize = sizeof(RasConnA);
            first[i].hrasconn = 0x1000 + i;
            std::snprintf(first[i].szEntryName, sizeof first[i].szEntryName, "Verbindung %u", i + 1);
        }
        *count = connections;
        return errorCode;
    }

    // The service announces only connections that come or go, not a count that fails.
    bool notifyConnections() override {
        if (journal) {
            journal->push_back("notifyConnections");
        }
        ++notifyCalls;
        if (Fails(faults, "notifyConnections") || notifyFails || pump == nullptr) {
            return false;
        }
        announcing_ = true;
        return true;
    }

    void up(std::uint32_t n) {
        if (announcing_ && n != connections) {
            pump->announce();
        }
        connections = n;
        errorCode = 0;
    }
    void fail(std::uint32_t code) {
        errorCode = code;
        connections = 0;
    }

    std::uint32_t connections = 0;
    std::uint32_t errorCode = 0;
    FakeEventPump* pump = nullptr;  // the loop that waits for the announcements
    bool notifyFails = false;
    std::vector<std::string>* journal = nullptr;
    FailurePoint* faults = nullptr;

    int calls = 0;
    std::uint32_t dwSize = 0;
    std::uint32_t byteCount = 0;
    std::uint32_t countGiven = 0;
    bool record0Zeroed = true;  // on every call so far
    int notifyCalls = 0;

private:
    // Once notifyConnections has succeeded, each connection that comes or goes wakes the loop.
    bool announcing_ = false;
};

}  // namespace kw::test
