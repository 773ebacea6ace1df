#pragma once

#include "platform/records.h"

namespace kw {

// GetVersionExA in its two record forms. The caller zero-fills the record and sets its size field.
class OsVersion {
public:
    virtual ~OsVersion() = default;
    virtual bool getVersion(OsVersionInfoA& info) = 0;
    virtual bool getVersion(OsVersionInfoExA& info) = 0;
};

}  // namespace kw
