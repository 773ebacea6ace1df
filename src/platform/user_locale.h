#pragma once

#include <string>

namespace kw {

// The user's number format.
class UserLocale {
public:
    virtual ~UserLocale() = default;
    virtual std::string decimalSeparator() = 0;
};

}  // namespace kw
