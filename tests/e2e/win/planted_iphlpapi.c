/* A DLL named iphlpapi.dll as it would be planted beside the program: it only records that it was loaded,
 * in C:\kwtest\out\planted-iphlpapi.txt. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        HANDLE f = CreateFileW(L"C:\\kwtest\\out\\planted-iphlpapi.txt", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0,
                               NULL);
        if (f != INVALID_HANDLE_VALUE)
            CloseHandle(f);
    }
    return TRUE;
}
