// The notification-area icon: its one record, filled once at start-up and used both to add the icon and
// to delete it again. The shell finds the icon by window and identifier.
#pragma once

#include <cstdint>

#include "platform/records.h"

namespace kw {

struct TrayIcon {
    static constexpr std::uint32_t kId = 1;
    static constexpr std::uint32_t kFlags = 7;              // NIF_MESSAGE | NIF_ICON | NIF_TIP
    static constexpr std::uint32_t kCallbackMessage = 512;  // WM_MOUSEMOVE: the window's own mouse handler
    // The mouse messages that the callback carries: WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_RBUTTONUP.
    static constexpr std::uint32_t kLeftButtonDown = 0x201;
    static constexpr std::uint32_t kRightButtonDown = 0x204;
    static constexpr std::uint32_t kRightButtonUp = 0x205;

    // Fills `nid` field by field in the record's order; the tip is the program's name.
    void fill(Hwnd window, std::uint32_t icon);
    bool filled() const { return nid.cbSize != 0; }

    NotifyIconDataA nid{};
    // The shell holds the icon: an add succeeded, or a modify found it there after an add that reported a
    // failure.
    bool shown = false;
};

}  // namespace kw
