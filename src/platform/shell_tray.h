#pragma once

#include <cstdint>

#include "platform/records.h"

namespace kw {

inline constexpr std::uint32_t kNotifyIconAdd = 0;     // NIM_ADD
inline constexpr std::uint32_t kNotifyIconModify = 1;  // NIM_MODIFY
inline constexpr std::uint32_t kNotifyIconDelete = 2;  // NIM_DELETE

// The shell's notification area (Shell_NotifyIconA).
class ShellTray {
public:
    virtual ~ShellTray() = default;
    virtual bool notifyIcon(std::uint32_t message, NotifyIconDataA& record) = 0;
};

}  // namespace kw
