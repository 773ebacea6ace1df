/* A DLL named iphlpapi.dll as it would be planted beside the program: it only records that it was loaded,
 * in KWT_PLANTED_IPHLPAPI. */
#include <windows.h>

#include "exchange.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        HANDLE f = CreateFileW(KWT_WIDE(KWT_PLANTED_IPHLPAPI), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (f != INVALID_HANDLE_VALUE)
            CloseHandle(f);
    }
    return TRUE;
}
