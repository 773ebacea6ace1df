#pragma once

#include <cstdint>
#include <string>

#include "platform/records.h"

namespace kw {

inline constexpr std::uint32_t kMouseMove = 0x200;  // WM_MOUSEMOVE

// Finding other programs' windows and sending them messages.
class WindowAccess {
public:
    virtual ~WindowAccess() = default;
    // FindWindowA(className, nullptr): the first top-level window of the class, or 0.
    virtual Hwnd findWindow(const std::string& className) = 0;
    // FindWindowExA(parent, nullptr, className, nullptr): the first child of the class, or 0.
    virtual Hwnd findChildWindow(Hwnd parent, const std::string& className) = 0;
    // GetClientRect; leaves `rect` as it is when the rectangle cannot be read.
    virtual void clientRect(Hwnd window, Rect& rect) = 0;
    // Sends a message and waits until the window has handled it. Returns false when the window did
    // not handle it within the platform's limit for an unresponsive window.
    virtual bool sendMessage(Hwnd window, std::uint32_t message, std::uint32_t wParam, std::int32_t lParam) = 0;
};

}  // namespace kw
