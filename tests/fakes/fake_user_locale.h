#pragma once

#include <string>

#include "fakes/failure_point.h"
#include "platform/user_locale.h"

namespace kw::test {

class FakeUserLocale final : public UserLocale {
public:
    // Where the user's format cannot be read, the separator falls back to a dot.
    std::string decimalSeparator() override { return Fails(faults, "decimalSeparator") ? "." : separator; }
    std::string separator = ",";  // German number format
    FailurePoint* faults = nullptr;
};

}  // namespace kw::test
