#include "platform/win32/os_version.h"

#include <windows.h>

#include <cstddef>

namespace kw::win32 {

static_assert(sizeof(OsVersionInfoA) == sizeof(OSVERSIONINFOA));
static_assert(sizeof(OsVersionInfoExA) == sizeof(OSVERSIONINFOEXA));
static_assert(offsetof(OsVersionInfoExA, wServicePackMajor) == offsetof(OSVERSIONINFOEXA, wServicePackMajor));
static_assert(offsetof(OsVersionInfoExA, wProductType) == offsetof(OSVERSIONINFOEXA, wProductType));

// The tray sweep tells the old shells apart by the version that the system reports to this program,
// compatibility settings included, which is exactly what GetVersionExA gives.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

bool Win32OsVersion::getVersion(OsVersionInfoA& info) {
    return GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)) != FALSE;
}

bool Win32OsVersion::getVersion(OsVersionInfoExA& info) {
    return GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)) != FALSE;
}

#pragma GCC diagnostic pop

}  // namespace kw::win32
