#pragma once

#include <cstdint>
#include <string>

#include "platform/os_version.h"
#include "platform/records.h"
#include "platform/window_access.h"

namespace kw {

// Sweeps the notification area's icon window with mouse moves so that the shell drops icons whose
// programs have ended. Also describes the running Windows version.
class clsSysTrayRefresh {
public:
    clsSysTrayRefresh(WindowAccess& windows, OsVersion& os) : windows_(windows), os_(os) {}

    // True if an icon window was found and swept.
    bool SysTrayRefresh();
    // The icon window found by the last SysTrayRefresh, or 0. Where the shell also has an overflow
    // area, this is the notification area's own window; the overflow's toolbar only when it alone was
    // found.
    Hwnd hwnd() const { return hwnd_; }
    // For example "Win XP Profesional\r\nService Pack 3"; empty for versions it does not know.
    std::string BSInfo();

    // Version codes of BSVersion.
    enum : std::int32_t {
        kUnknown = 0,
        kWin32s = 1,
        kWin95 = 3,
        kWin98 = 4,
        kWinME = 5,
        kWinNT351 = 13,
        kWinNT4 = 14,
        kWin2000 = 15,
        kWinXP = 16,
        kWin2003 = 17,
    };

private:
    bool MouseSweep(Hwnd window);
    Hwnd FindTrayToolbar(std::int32_t version);
    Hwnd FindOverflowToolbar();
    std::int32_t BSVersion();

    WindowAccess& windows_;
    OsVersion& os_;
    Hwnd hwnd_ = 0;
};

}  // namespace kw
