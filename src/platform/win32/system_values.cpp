// The core writes the system's records and numbers without the system's headers. Here each of them is
// checked against those headers: a record's size and every field's offset and size, and every number, so
// that a wrong value fails the build. Nothing here runs.
#include <windows.h>

// <netioapi.h> needs the socket headers ahead of it.
#include <winsock2.h>
#include <ws2ipdef.h>

#include <commdlg.h>
#include <iphlpapi.h>
#include <netioapi.h>
#include <ras.h>
#include <shellapi.h>

#include <cstddef>
#include <utility>

#include "platform/form_view.h"
#include "platform/network_adapters.h"
#include "platform/open_file_dialog.h"
#include "platform/os_version.h"
#include "platform/records.h"
#include "platform/shell_tray.h"
#include "platform/window_access.h"
#include "tray/trayicon.h"
#include "ui/form1.h"

namespace kw::win32 {
namespace {

// The same field at the same place with the same size in both records.
#define KW_SAME_FIELD(ours, theirs, field)                                                                            \
    static_assert(offsetof(ours, field) == offsetof(theirs, field) &&                                                 \
                      sizeof(decltype(std::declval<ours>().field)) == sizeof(decltype(std::declval<theirs>().field)), \
                  #field " of " #ours " differs from " #theirs)

// RASCONNA has grown since its first form, which RasEnumConnectionsA still takes when dwSize says 412:
// that form is the fields up to the phone book, padded to the record's alignment.
KW_SAME_FIELD(RasConnA, RASCONNA, dwSize);
KW_SAME_FIELD(RasConnA, RASCONNA, hrasconn);
KW_SAME_FIELD(RasConnA, RASCONNA, szEntryName);
KW_SAME_FIELD(RasConnA, RASCONNA, szDeviceType);
KW_SAME_FIELD(RasConnA, RASCONNA, szDeviceName);
static_assert(offsetof(RasConnA, padding) == offsetof(RASCONNA, szPhonebook));
static_assert(sizeof(RasConnA) % alignof(RASCONNA) == 0 &&
              sizeof(RasConnA) - offsetof(RASCONNA, szPhonebook) < alignof(RASCONNA));

// NOTIFYICONDATAA's first form ends after a 64-character tip.
KW_SAME_FIELD(NotifyIconDataA, NOTIFYICONDATAA, cbSize);
KW_SAME_FIELD(NotifyIconDataA, NOTIFYICONDATAA, hWnd);
KW_SAME_FIELD(NotifyIconDataA, NOTIFYICONDATAA, uID);
KW_SAME_FIELD(NotifyIconDataA, NOTIFYICONDATAA, uFlags);
KW_SAME_FIELD(NotifyIconDataA, NOTIFYICONDATAA, uCallbackMessage);
KW_SAME_FIELD(NotifyIconDataA, NOTIFYICONDATAA, hIcon);
static_assert(offsetof(NotifyIconDataA, szTip) == offsetof(NOTIFYICONDATAA, szTip));
static_assert(sizeof(NotifyIconDataA) == NOTIFYICONDATAA_V1_SIZE);

static_assert(sizeof(OsVersionInfoA) == sizeof(OSVERSIONINFOA));
KW_SAME_FIELD(OsVersionInfoA, OSVERSIONINFOA, dwOSVersionInfoSize);
KW_SAME_FIELD(OsVersionInfoA, OSVERSIONINFOA, dwMajorVersion);
KW_SAME_FIELD(OsVersionInfoA, OSVERSIONINFOA, dwMinorVersion);
KW_SAME_FIELD(OsVersionInfoA, OSVERSIONINFOA, dwBuildNumber);
KW_SAME_FIELD(OsVersionInfoA, OSVERSIONINFOA, dwPlatformId);
KW_SAME_FIELD(OsVersionInfoA, OSVERSIONINFOA, szCSDVersion);

static_assert(sizeof(OsVersionInfoExA) == sizeof(OSVERSIONINFOEXA));
KW_SAME_FIELD(OsVersionInfoExA, OSVERSIONINFOEXA, dwOSVersionInfoSize);
KW_SAME_FIELD(OsVersionInfoExA, OSVERSIONINFOEXA, dwMajorVersion);
KW_SAME_FIELD(OsVersionInfoExA, OSVERSIONINFOEXA, dwMinorVersion);
KW_SAME_FIELD(OsVersionInfoExA, OSVERSIONINFOEXA, dwBuildNumber);
KW_SAME_FIELD(OsVersionInfoExA, OSVERSIONINFOEXA, dwPlatformId);
KW_SAME_FIELD(OsVersionInfoExA, OSVERSIONINFOEXA, szCSDVersion);
KW_SAME_FIELD(OsVersionInfoExA, OSVERSIONINFOEXA, wServicePackMajor);
KW_SAME_FIELD(OsVersionInfoExA, OSVERSIONINFOEXA, wServicePackMinor);
KW_SAME_FIELD(OsVersionInfoExA, OSVERSIONINFOEXA, wSuiteMask);
KW_SAME_FIELD(OsVersionInfoExA, OSVERSIONINFOEXA, wProductType);
KW_SAME_FIELD(OsVersionInfoExA, OSVERSIONINFOEXA, wReserved);

static_assert(sizeof(Rect) == sizeof(RECT));
KW_SAME_FIELD(Rect, RECT, left);
KW_SAME_FIELD(Rect, RECT, top);
KW_SAME_FIELD(Rect, RECT, right);
KW_SAME_FIELD(Rect, RECT, bottom);

#undef KW_SAME_FIELD

static_assert(sizeof(Hwnd) == sizeof(HWND) && sizeof(std::uint32_t) == sizeof(HICON));
static_assert(sizeof(std::uint32_t) == sizeof(DWORD));

// The launch, the tray icon and its callback.
static_assert(kShowMinimized == SW_SHOWMINIMIZED);
static_assert(kNotifyIconAdd == NIM_ADD && kNotifyIconModify == NIM_MODIFY && kNotifyIconDelete == NIM_DELETE);
static_assert(static_cast<DWORD>(BalloonIcon::info) == NIIF_INFO &&
              static_cast<DWORD>(BalloonIcon::error) == NIIF_ERROR);
static_assert(kBalloonTextChars + 1 == sizeof(NOTIFYICONDATAW::szInfo) / sizeof(wchar_t));
static_assert(kErrorFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(TrayIcon::kFlags == (NIF_MESSAGE | NIF_ICON | NIF_TIP));
static_assert(TrayIcon::kCallbackMessage == WM_MOUSEMOVE);
static_assert(TrayIcon::kLeftButtonDown == WM_LBUTTONDOWN && TrayIcon::kRightButtonDown == WM_RBUTTONDOWN &&
              TrayIcon::kRightButtonUp == WM_RBUTTONUP);

// The sweep of the notification area and the version that decides where it looks.
static_assert(kMouseMove == WM_MOUSEMOVE);
static_assert(kSuitePersonal == VER_SUITE_PERSONAL && kProductWorkstation == VER_NT_WORKSTATION);

// The list's commands: the open dialog, the keys and buttons.
static_assert(kOpenFlags == (OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_LONGNAMES));
static_assert(vbKeyReturn == VK_RETURN && vbKeyDelete == VK_DELETE);
// The dialog's cancel (kDialogCancelled) and the mouse buttons are the toolkit's own numbers, which no
// system header has.

// Message boxes and the window's states (those of WM_SIZE).
static_assert(vbOKOnly == MB_OK && vbCritical == MB_ICONHAND && vbExclamation == MB_ICONEXCLAMATION &&
              vbInformation == MB_ICONASTERISK);
static_assert(vbNormal == SIZE_RESTORED && vbMinimized == SIZE_MINIMIZED);

// The interface table.
static_assert(kIfTypePpp == IF_TYPE_PPP && kIfTypeLoopback == IF_TYPE_SOFTWARE_LOOPBACK);
static_assert(kIfOperStatusUp == IfOperStatusUp);

}  // namespace
}  // namespace kw::win32
