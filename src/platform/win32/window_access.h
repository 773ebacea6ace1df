#pragma once

#include "platform/window_access.h"

namespace kw::win32 {

class Win32WindowAccess final : public WindowAccess {
public:
    Hwnd findWindow(const std::string& className) override;
    Hwnd findChildWindow(Hwnd parent, const std::string& className) override;
    void clientRect(Hwnd window, Rect& rect) override;
    bool sendMessage(Hwnd window, std::uint32_t message, std::uint32_t wParam, std::int32_t lParam) override;
};

}  // namespace kw::win32
