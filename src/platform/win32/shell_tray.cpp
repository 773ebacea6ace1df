#include "platform/win32/shell_tray.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>

#include "platform/win32/handles.h"
#include "platform/win32/strings.h"

namespace kw::win32 {
namespace {

template <std::size_t N>
void CopyCut(wchar_t (&field)[N], const std::string& text) {
    const std::wstring wide = Widen(text);
    const std::size_t length = std::min(wide.size(), N - 1);
    std::copy_n(wide.begin(), length, field);
    field[length] = L'\0';
}

}  // namespace

// The record goes to the shell as it is: system_values.cpp checks it against the first, 88-byte form.
bool Win32ShellTray::notifyIcon(std::uint32_t message, NotifyIconDataA& record) {
    return Shell_NotifyIconA(message, reinterpret_cast<NOTIFYICONDATAA*>(&record)) != FALSE;
}

// The 88-byte form has no fields for a notification; a record of the second form, which has them, reaches
// the same icon by its window and identifier.
bool Win32ShellTray::balloon(const NotifyIconDataA& icon, const std::string& title, const std::string& text,
                             BalloonIcon kind) {
    NOTIFYICONDATAW record{};
    record.cbSize = NOTIFYICONDATAW_V2_SIZE;
    record.hWnd = FromHwnd(icon.hWnd);
    record.uID = icon.uID;
    record.uFlags = NIF_INFO;
    CopyCut(record.szInfo, text);
    CopyCut(record.szInfoTitle, title);
    record.uTimeout = 10000;  // before Windows Vista; later ones keep it as long as the user's settings say
    record.dwInfoFlags = static_cast<DWORD>(kind);
    return Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

}  // namespace kw::win32
