// The version query in both record forms, each able to fail. Counts the records that did not arrive
// zero-filled with their size field set.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "fakes/failure_point.h"
#include "platform/os_version.h"

namespace kw::test {

class FakeOsVersion final : public OsVersion {
public:
    bool getVersion(OsVersionInfoA& info) override {
        check(info, 148);
        if (Fails(faults, "getVersion") || !plainSucceeds)
            return false;
        info = plain;
        info.dwOSVersionInfoSize = 148;
        return true;
    }

    bool getVersion(OsVersionInfoExA& info) override {
        ++exCalls;
        check(info, 156);
        if (Fails(faults, "getVersionEx") || !exSucceeds)
            return false;
        info = ex;
        info.dwOSVersionInfoSize = 156;
        return true;
    }

    // The same version in both records; the service-pack texts may differ on purpose.
    void set(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor) {
        plain.dwPlatformId = ex.dwPlatformId = platformId;
        plain.dwMajorVersion = ex.dwMajorVersion = major;
        plain.dwMinorVersion = ex.dwMinorVersion = minor;
    }

    static void setText(char (&field)[128], const std::string& text) {
        std::memset(field, 0, sizeof field);
        std::memcpy(field, text.data(), std::min(text.size(), sizeof field));
    }

    OsVersionInfoA plain{};
    OsVersionInfoExA ex{};
    bool plainSucceeds = true;
    bool exSucceeds = true;
    int exCalls = 0;
    int badRecords = 0;
    FailurePoint* faults = nullptr;

private:
    template <typename Record>
    void check(const Record& info, std::uint32_t size) {
        const auto* raw = reinterpret_cast<const unsigned char*>(&info);
        const bool zeroed = std::all_of(raw + sizeof info.dwOSVersionInfoSize, raw + sizeof info,
                                        [](unsigned char b) { return b == 0; });
        if (!zeroed || info.dwOSVersionInfoSize != size || sizeof info != size)
            ++badRecords;
    }
};

}  // namespace kw::test
