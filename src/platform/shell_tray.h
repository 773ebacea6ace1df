#pragma once

#include <cstdint>
#include <string>

#include "platform/records.h"

namespace kw {

inline constexpr std::uint32_t kNotifyIconAdd = 0;     // NIM_ADD
inline constexpr std::uint32_t kNotifyIconModify = 1;  // NIM_MODIFY
inline constexpr std::uint32_t kNotifyIconDelete = 2;  // NIM_DELETE

// The icon of a notification: NIIF_INFO, NIIF_ERROR.
enum class BalloonIcon : std::uint32_t { info = 1, error = 3 };
// A notification's text holds at most this many UTF-16 characters (the record's field, less its end).
inline constexpr std::size_t kBalloonTextChars = 255;

// The shell's notification area (Shell_NotifyIconA).
class ShellTray {
public:
    virtual ~ShellTray() = default;
    virtual bool notifyIcon(std::uint32_t message, NotifyIconDataA& record) = 0;
    // Shows a notification on the icon that `icon` added (NIM_MODIFY with NIF_INFO); false when the shell
    // does not hold the icon.
    virtual bool balloon(const NotifyIconDataA& icon, const std::string& title, const std::string& text,
                         BalloonIcon kind) = 0;
};

}  // namespace kw
