#include "platform/win32/shell_tray.h"

#include <windows.h>

#include <shellapi.h>

namespace kw::win32 {

// The record goes to the shell as it is: system_values.cpp checks it against the first, 88-byte form.
bool Win32ShellTray::notifyIcon(std::uint32_t message, NotifyIconDataA& record) {
    return Shell_NotifyIconA(message, reinterpret_cast<NOTIFYICONDATAA*>(&record)) != FALSE;
}

}  // namespace kw::win32
