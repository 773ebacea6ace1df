#include "platform/win32/shell_tray.h"

#include <windows.h>

#include <shellapi.h>
#include <cstddef>

namespace kw::win32 {

// The record goes to the shell as it is, so it must be the first, 88-byte form field for field.
static_assert(NOTIFYICONDATAA_V1_SIZE == sizeof(NotifyIconDataA));
static_assert(offsetof(NOTIFYICONDATAA, hWnd) == offsetof(NotifyIconDataA, hWnd));
static_assert(offsetof(NOTIFYICONDATAA, hIcon) == offsetof(NotifyIconDataA, hIcon));
static_assert(offsetof(NOTIFYICONDATAA, szTip) == offsetof(NotifyIconDataA, szTip));
static_assert(sizeof(HWND) == sizeof(Hwnd) && sizeof(HICON) == sizeof(std::uint32_t));
static_assert(kNotifyIconAdd == NIM_ADD && kNotifyIconDelete == NIM_DELETE);

bool Win32ShellTray::notifyIcon(std::uint32_t message, NotifyIconDataA& record) {
    return Shell_NotifyIconA(message, reinterpret_cast<NOTIFYICONDATAA*>(&record)) != FALSE;
}

}  // namespace kw::win32
