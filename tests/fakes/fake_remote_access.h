// The dial-up service: a settable number of connections or an error, and what the caller handed over.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/remote_access.h"

namespace kw::test {

class FakeRemoteAccess final : public RemoteAccess {
public:
    std::uint32_t enumConnections(RasConnA* first, std::uint32_t* bytes, std::uint32_t* count) override {
        ++calls;
        dwSize = first->dwSize;
        byteCount = *bytes;
        countGiven = *count;
        // Everything but record 0's size field must arrive zeroed. Never read past the real buffer,
        // whatever byte count the caller claims.
        const auto* raw = reinterpret_cast<const unsigned char*>(first);
        const std::uint32_t scanned = std::min(*bytes, kRasConnBufferBytes);
        bufferZeroed = std::all_of(raw + sizeof first->dwSize, raw + scanned, [](unsigned char b) { return b == 0; });
        // Like the real service, which also reports a count with some errors (a buffer too small).
        *count = connections;
        return errorCode;
    }

    void up(std::uint32_t n) {
        connections = n;
        errorCode = 0;
    }
    void fail(std::uint32_t code, std::uint32_t countReported = 0) {
        errorCode = code;
        connections = countReported;
    }

    std::uint32_t connections = 0;
    std::uint32_t errorCode = 0;

    int calls = 0;
    std::uint32_t dwSize = 0;
    std::uint32_t byteCount = 0;
    std::uint32_t countGiven = 0;
    bool bufferZeroed = false;
};

}  // namespace kw::test
