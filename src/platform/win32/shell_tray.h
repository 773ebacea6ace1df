#pragma once

#include "platform/shell_tray.h"

namespace kw::win32 {

class Win32ShellTray final : public ShellTray {
public:
    bool notifyIcon(std::uint32_t message, NotifyIconDataA& record) override;
    bool balloon(const NotifyIconDataA& icon, const std::string& title, const std::string& text,
                 BalloonIcon kind) override;
};

}  // namespace kw::win32
