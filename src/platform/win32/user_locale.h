#pragma once

#include "platform/user_locale.h"

namespace kw::win32 {

class Win32UserLocale final : public UserLocale {
public:
    std::string decimalSeparator() override;
};

}  // namespace kw::win32
