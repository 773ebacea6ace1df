#pragma once

#include "platform/records.h"

namespace kw {

// OSVERSIONINFOEXA's VER_SUITE_PERSONAL (wSuiteMask) and VER_NT_WORKSTATION (wProductType).
inline constexpr std::uint16_t kSuitePersonal = 0x200;
inline constexpr std::uint8_t kProductWorkstation = 1;

// GetVersionExA in its two record forms. The caller zero-fills the record and sets its size field.
class OsVersion {
public:
    virtual ~OsVersion() = default;
    virtual bool getVersion(OsVersionInfoA& info) = 0;
    virtual bool getVersion(OsVersionInfoExA& info) = 0;
};

}  // namespace kw
