#include "platform/win32/window_access.h"

#include <windows.h>

#include "platform/win32/handles.h"

namespace kw::win32 {
namespace {

// Another program's window that has stopped handling messages must not freeze ours for good.
constexpr UINT kSendTimeoutMs = 2000;

}  // namespace

Hwnd Win32WindowAccess::findWindow(const std::string& className) {
    return ToHwnd(FindWindowA(className.c_str(), nullptr));
}

Hwnd Win32WindowAccess::findChildWindow(Hwnd parent, const std::string& className) {
    return ToHwnd(FindWindowExA(FromHwnd(parent), nullptr, className.c_str(), nullptr));
}

void Win32WindowAccess::clientRect(Hwnd window, Rect& rect) {
    RECT client;
    if (GetClientRect(FromHwnd(window), &client)) {
        rect = {client.left, client.top, client.right, client.bottom};
    }
}

bool Win32WindowAccess::sendMessage(Hwnd window, std::uint32_t message, std::uint32_t wParam, std::int32_t lParam) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(FromHwnd(window), message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                               kSendTimeoutMs, &result) != 0;
}

}  // namespace kw::win32
