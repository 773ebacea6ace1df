/* Stand-in for rasapi32.dll in the end-to-end tests' Wine prefix. Wine's own rasapi32 always reports no
 * connection, so this one reports whatever the test put into C:\kwtest\ras.txt ("3", "0", "error 5"), read
 * anew on every call so that the test can change the connection state of a running program. The file is
 * replaced atomically by the test, so a call never sees half a value. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define RAS_FILE L"C:\\kwtest\\ras.txt"
#define RAS_LOG L"C:\\kwtest\\ras-log.txt"
#define RAS_RECORD_412 412u
#define ERROR_BUFFER_TOO_SMALL_RAS 603u
#define ERROR_INVALID_SIZE_RAS 632u

#ifdef KW_PLANTED
static const int kPlanted = 1;
#else
static const int kPlanted = 0;
#endif

static LONG g_calls;

static void read_order(char* buf, DWORD size) {
    HANDLE f;
    DWORD got = 0;
    buf[0] = 0;
    /* FILE_SHARE_DELETE: the test's MoveFileEx must never fail because this read happens to be open. */
    f = CreateFileW(RAS_FILE, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                    0, NULL);
    if (f == INVALID_HANDLE_VALUE)
        return;
    if (!ReadFile(f, buf, size - 1, &got, NULL))
        got = 0;
    buf[got] = 0;
    CloseHandle(f);
}

/* The test checks that the program hands over the original record size and the whole buffer. */
static void log_call(DWORD dwSize, DWORD cb, const char* order, DWORD result) {
    char line[256];
    DWORD written;
    HANDLE f;
    LONG calls = InterlockedIncrement(&g_calls);
    int n = snprintf(line, sizeof(line), "dwSize=%lu cb=%lu calls=%ld order=%s result=%lu\r\n", (unsigned long)dwSize,
                     (unsigned long)cb, (long)calls, order, (unsigned long)result);
    f = CreateFileW(RAS_LOG, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, CREATE_ALWAYS,
                    0, NULL);
    if (f == INVALID_HANDLE_VALUE)
        return;
    WriteFile(f, line, (DWORD)n, &written, NULL);
    CloseHandle(f);
}

DWORD WINAPI RasEnumConnectionsA(void* lprasconn, DWORD* lpcb, DWORD* lpcConnections) {
    char order[64];
    char* p;
    DWORD dwSize = lprasconn ? *(DWORD*)lprasconn : 0;
    DWORD cb = lpcb ? *lpcb : 0;
    DWORD result = 0;
    unsigned long count = 0;

    /* The copy planted beside the program reports a count that the system directory's copy never does. */
    if (kPlanted)
        strcpy(order, "77");
    else
        read_order(order, sizeof(order));
    for (p = order; *p; ++p)
        if (*p == '\r' || *p == '\n')
            *p = 0;

    if (lpcConnections)
        *lpcConnections = 0;
    if (strncmp(order, "error ", 6) == 0) {
        result = (DWORD)strtoul(order + 6, NULL, 10);
    } else if (!lprasconn || !lpcb || !lpcConnections) {
        result = ERROR_INVALID_PARAMETER;
    } else if (dwSize != RAS_RECORD_412) {
        result = ERROR_INVALID_SIZE_RAS;
    } else {
        count = strtoul(order, NULL, 10);
        if (count * RAS_RECORD_412 > cb) {
            *lpcb = (DWORD)(count * RAS_RECORD_412);
            result = ERROR_BUFFER_TOO_SMALL_RAS;
        } else {
            unsigned long i;
            BYTE* rec = (BYTE*)lprasconn;
            for (i = 0; i < count; ++i, rec += RAS_RECORD_412) {
                *(DWORD*)rec = RAS_RECORD_412;
                *(DWORD*)(rec + 4) = (DWORD)(0x1000 + i);
                snprintf((char*)rec + 8, 257, "Verbindung %lu", i + 1);
            }
            *lpcb = (DWORD)(count * RAS_RECORD_412);
            *lpcConnections = (DWORD)count;
        }
    }
    if (!kPlanted)
        log_call(dwSize, cb, order, result);
    return result;
}
