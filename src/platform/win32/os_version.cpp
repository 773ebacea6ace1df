#include "platform/win32/os_version.h"

#include <windows.h>

namespace kw::win32 {

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
