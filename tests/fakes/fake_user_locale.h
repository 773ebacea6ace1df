#pragma once

#include <string>

#include "platform/user_locale.h"

namespace kw::test {

class FakeUserLocale final : public UserLocale {
public:
    std::string decimalSeparator() override { return separator; }
    std::string separator = ",";  // German number format
};

}  // namespace kw::test
