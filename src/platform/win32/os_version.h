#pragma once

#include "platform/os_version.h"

namespace kw::win32 {

class Win32OsVersion final : public OsVersion {
public:
    bool getVersion(OsVersionInfoA& info) override;
    bool getVersion(OsVersionInfoExA& info) override;
};

}  // namespace kw::win32
