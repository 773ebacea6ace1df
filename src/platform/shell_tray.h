#pragma once

#include <cstdint>

#include "platform/records.h"

namespace kw {

inline constexpr std::uint32_t NIM_ADD = 0;
inline constexpr std::uint32_t NIM_DELETE = 2;

// The shell's notification area (Shell_NotifyIconA).
class ShellTray {
public:
    virtual ~ShellTray() = default;
    virtual bool notifyIcon(std::uint32_t message, NotifyIconDataA& record) = 0;
};

}  // namespace kw
