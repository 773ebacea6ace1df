// Records that the program hands to the operating system as they are. Each has the exact size and
// field order of the published record; src/platform/win32 checks them against the system headers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kw {

// A 32-bit window handle (the program is a 32-bit executable).
using Hwnd = std::uint32_t;

// Remote-access connection record in its original 412-byte form (RASCONNA, as RasEnumConnectionsA
// accepts it when dwSize is 412).
struct RasConnA {
    std::uint32_t dwSize;
    std::uint32_t hrasconn;
    char szEntryName[257];
    char szDeviceType[17];
    char szDeviceName[129];
    char padding[1];
};
static_assert(sizeof(RasConnA) == 412);

inline constexpr int kRasConnBufferRecords = 256;
inline constexpr std::uint32_t kRasConnBufferBytes = sizeof(RasConnA) * kRasConnBufferRecords;
static_assert(kRasConnBufferBytes == 105472);

// Notification-area icon record in its first, 88-byte ANSI form (NOTIFYICONDATAA).
struct NotifyIconDataA {
    std::uint32_t cbSize;
    Hwnd hWnd;
    std::uint32_t uID;
    std::uint32_t uFlags;
    std::uint32_t uCallbackMessage;
    std::uint32_t hIcon;
    char szTip[64];
};
static_assert(sizeof(NotifyIconDataA) == 88);
static_assert(offsetof(NotifyIconDataA, hWnd) == 4 && offsetof(NotifyIconDataA, uID) == 8 &&
              offsetof(NotifyIconDataA, uFlags) == 12 && offsetof(NotifyIconDataA, uCallbackMessage) == 16 &&
              offsetof(NotifyIconDataA, hIcon) == 20 && offsetof(NotifyIconDataA, szTip) == 24);

// OSVERSIONINFOA and OSVERSIONINFOEXA.
struct OsVersionInfoA {
    std::uint32_t dwOSVersionInfoSize;
    std::uint32_t dwMajorVersion;
    std::uint32_t dwMinorVersion;
    std::uint32_t dwBuildNumber;
    std::uint32_t dwPlatformId;
    char szCSDVersion[128];
};
static_assert(sizeof(OsVersionInfoA) == 148);

struct OsVersionInfoExA {
    std::uint32_t dwOSVersionInfoSize;
    std::uint32_t dwMajorVersion;
    std::uint32_t dwMinorVersion;
    std::uint32_t dwBuildNumber;
    std::uint32_t dwPlatformId;
    char szCSDVersion[128];
    std::uint16_t wServicePackMajor;
    std::uint16_t wServicePackMinor;
    std::uint16_t wSuiteMask;
    std::uint8_t wProductType;
    std::uint8_t wReserved;
};
static_assert(sizeof(OsVersionInfoExA) == 156);

struct Rect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};
static_assert(sizeof(Rect) == 16);

}  // namespace kw
