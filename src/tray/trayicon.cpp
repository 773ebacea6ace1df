#include "tray/trayicon.h"

#include <cstring>

#include "app/program_info.h"

namespace kw {

void TrayIcon::fill(Hwnd window, std::uint32_t icon) {
    nid.cbSize = sizeof(NotifyIconDataA);
    nid.hWnd = window;
    nid.uID = kId;
    nid.uFlags = kFlags;
    nid.uCallbackMessage = kCallbackMessage;
    nid.hIcon = icon;
    // The name, its NUL, and blanks up to the end of the field; the shell shows the text up to the NUL.
    std::memset(nid.szTip, ' ', sizeof(nid.szTip));
    const std::size_t length = std::strlen(program::kTitle);
    std::memcpy(nid.szTip, program::kTitle, length);
    nid.szTip[length] = '\0';
}

}  // namespace kw
