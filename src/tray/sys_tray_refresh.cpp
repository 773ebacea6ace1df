#include "tray/sys_tray_refresh.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kw {
namespace {

// The packed mouse position is a signed 32-bit value: x in the low 16 bits, y in the high ones.
constexpr std::int32_t kMaxX = 65535;
constexpr std::int32_t kMaxY = 32767;

std::string FixedText(const char* field, std::size_t size) {
    return std::string(field, strnlen(field, size));
}

}  // namespace

bool clsSysTrayRefresh::SysTrayRefresh() {
    const std::int32_t version = BSVersion();
    const Hwnd h = FindTrayToolbar(version);
    bool swept = MouseSweep(h);
    Hwnd overflow = 0;
    if (version == kUnknown) {
        overflow = FindOverflowToolbar();
        swept = MouseSweep(overflow) || swept;
    }
    hwnd_ = h != 0 ? h : overflow;
    return swept;
}

// One mouse move for every pixel column of every 20-pixel icon row, through the row's middle.
// Positions that do not fit the packed coordinates are left out; a shell that stops answering ends
// the sweep.
bool clsSysTrayRefresh::MouseSweep(Hwnd window) {
    if (window == 0) {
        return false;
    }
    Rect rect{};
    windows_.clientRect(window, rect);
    const auto lastRow = static_cast<std::int32_t>(std::nearbyint(rect.bottom / 20.0 - 1));
    const std::int32_t lastX = std::min(rect.right, kMaxX);
    for (std::int32_t row = 0; row <= lastRow; ++row) {
        const std::int32_t y = row * 20 + 10;
        if (y > kMaxY) {
            break;
        }
        for (std::int32_t x = 0; x <= lastX; ++x) {
            const auto lParam =
                static_cast<std::int32_t>(static_cast<std::uint32_t>(x) | (static_cast<std::uint32_t>(y) << 16));
            if (!windows_.sendMessage(window, kMouseMove, 0, lParam)) {
                return true;
            }
        }
    }
    return true;
}

Hwnd clsSysTrayRefresh::FindTrayToolbar(std::int32_t version) {
    const Hwnd taskbar = windows_.findWindow("Shell_TrayWnd");
    if (taskbar == 0) {
        return 0;
    }
    const Hwnd notify = windows_.findChildWindow(taskbar, "TrayNotifyWnd");
    if (notify == 0) {
        return 0;
    }
    if (version == kUnknown) {
        // Every later Windows that keeps XP's layout draws the icons in the toolbar below "SysPager",
        // which moves sent to "TrayNotifyWnd" never reach. A shell without that toolbar (Windows 11's
        // taskbar) gets "TrayNotifyWnd" itself.
        const Hwnd pager = windows_.findChildWindow(notify, "SysPager");
        const Hwnd toolbar = pager != 0 ? windows_.findChildWindow(pager, "ToolbarWindow32") : 0;
        return toolbar != 0 ? toolbar : notify;
    }
    if (version > kWinNT4 || version == kWinME) {
        Hwnd parent = notify;
        if (version > kWin2000) {
            parent = windows_.findChildWindow(notify, "SysPager");
        }
        if (parent == 0) {
            return 0;
        }
        return windows_.findChildWindow(parent, "ToolbarWindow32");
    }
    return notify;
}

// Windows 7 to 10 keep the icons that do not fit beside the clock in a top-level window of their own.
Hwnd clsSysTrayRefresh::FindOverflowToolbar() {
    const Hwnd overflow = windows_.findWindow("NotifyIconOverflowWindow");
    return overflow != 0 ? windows_.findChildWindow(overflow, "ToolbarWindow32") : 0;
}

std::int32_t clsSysTrayRefresh::BSVersion() {
    OsVersionInfoA info{};
    info.dwOSVersionInfoSize = sizeof(OsVersionInfoA);
    os_.getVersion(info);
    switch (info.dwPlatformId) {
        case 0: return kWin32s;
        case 1:
            switch (info.dwMinorVersion) {
                case 0: return kWin95;
                case 10: return kWin98;
                case 90: return kWinME;
                default: return kUnknown;
            }
        case 2:
            switch (info.dwMajorVersion) {
                case 3: return kWinNT351;
                case 4: return kWinNT4;
                case 5:
                    switch (info.dwMinorVersion) {
                        case 0: return kWin2000;
                        case 1: return kWinXP;
                        case 2: return kWin2003;
                        default: return kUnknown;
                    }
                default: return kUnknown;
            }
        default: return kUnknown;
    }
}

std::string clsSysTrayRefresh::BSInfo() {
    const std::int32_t version = BSVersion();
    std::string extra;
    if (version > kWinNT351) {
        OsVersionInfoExA ex{};
        ex.dwOSVersionInfoSize = sizeof(OsVersionInfoExA);
        if (os_.getVersion(ex)) {
            if (ex.wProductType == kProductWorkstation) {
                extra = version <= kWinNT4 ? " Workstation" : " Profesional";
            } else {
                extra = " Server";
            }
            extra += "\r\n";
            if ((ex.wSuiteMask & kSuitePersonal) != 0) {
                extra = "Home Edition";
            }
            extra += FixedText(ex.szCSDVersion, sizeof ex.szCSDVersion);
        } else {
            OsVersionInfoA info{};
            info.dwOSVersionInfoSize = sizeof(OsVersionInfoA);
            os_.getVersion(info);
            extra = FixedText(info.szCSDVersion, sizeof info.szCSDVersion);
        }
    }
    switch (version) {
        case kWin32s: return "Win32s";
        case kWin95: return "Win 95";
        case kWin98: return "Win 98";
        case kWinME: return "Win ME";
        case kWinNT351: return "Win NT 3.51" + extra;
        case kWinNT4: return "Win NT 4.0" + extra;
        case kWin2000: return "Win 2000" + extra;
        case kWinXP: return "Win XP" + extra;
        case kWin2003: return "Win 2003/.NET" + extra;
        default: return "";
    }
}

}  // namespace kw
