/* Stand-in for rasapi32.dll in the end-to-end tests' Wine prefix. Wine's own rasapi32 always reports no
 * connection, so this one reports whatever the test put into KWT_RAS_ORDER ("3", "0", "error 5"), read
 * anew on every call so that the test can change the connection state of a running program. The file is
 * replaced atomically by the test, so a call never sees half a value. Like the real service, it announces
 * each connection made or ended to the events registered with RasConnectionNotification: a thread of its
 * own watches the file, since nothing else would tell it of a change. The same thread measures the program
 * from inside on request (its handles and private memory), for the bench. */
#include <windows.h>

#include <psapi.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "exchange.h"

#define RAS_FILE KWT_WIDE(KWT_RAS_ORDER)
#define RAS_LOG KWT_WIDE(KWT_RAS_LOG)
#define RAS_DIR KWT_WIDE(KWT_DIR)
#define MEASURE_REQUEST KWT_WIDE(KWT_MEASURE_REQUEST)
#define MEASURE_REPLY KWT_WIDE(KWT_MEASURE_REPLY)
#define FREED_MARK KWT_WIDE(KWT_RAS_FREED)
#define RASCN_CONNECTION 0x1u
#define RASCN_DISCONNECTION 0x2u
#define MAX_REGISTERED 8
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

/* The events registered for announcements, each a duplicate that stays valid whatever the caller closes,
 * as the real service keeps its own. */
static SRWLOCK g_lock = SRWLOCK_INIT;
static HANDLE g_events[MAX_REGISTERED];
static DWORD g_flags[MAX_REGISTERED];
static int g_registered;
static LONG g_watching;
static HANDLE g_watcher;

/* The connection count the file gives, or -1 for an error order or no file: a count that fails is no
 * connection made or ended, so it is announced to nobody. */
static long read_count(void) {
    char order[64];
    read_order(order, sizeof(order));
    if (order[0] < '0' || order[0] > '9')
        return -1;
    return strtol(order, NULL, 10);
}

static void announce(DWORD flag) {
    int i;
    AcquireSRWLockShared(&g_lock);
    for (i = 0; i < g_registered; ++i)
        if (g_flags[i] & flag)
            SetEvent(g_events[i]);
    ReleaseSRWLockShared(&g_lock);
}

static void write_atomically(const wchar_t* path, const char* text) {
    wchar_t temp[MAX_PATH];
    DWORD written;
    HANDLE f;
    lstrcpynW(temp, path, MAX_PATH - 4);
    lstrcatW(temp, L".new");
    f = CreateFileW(temp, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (f == INVALID_HANDLE_VALUE)
        return;
    WriteFile(f, text, (DWORD)strlen(text), &written, NULL);
    CloseHandle(f);
    MoveFileExW(temp, path, MOVEFILE_REPLACE_EXISTING);
}

/* Wine's GetProcessHandleCount answers 0, so the handles are counted one by one: handle values are
 * multiples of 4, and a long run of invalid ones means the table has ended. */
static long count_handles(void) {
    long count = 0, invalid = 0;
    ULONG_PTR value;
    for (value = 4; invalid < 1024; value += 4) {
        DWORD flags;
        if (GetHandleInformation((HANDLE)value, &flags)) {
            ++count;
            invalid = 0;
        } else {
            ++invalid;
        }
    }
    return count;
}

/* The bench writes a label into the request file; the answer names it, so that the bench knows it is
 * fresh: "<label> handles=<n> private=<bytes>". */
static void answer_measure_request(char* last, size_t size) {
    HANDLE f;
    char label[64], reply[160];
    DWORD got = 0;
    PROCESS_MEMORY_COUNTERS memory;
    f = CreateFileW(MEASURE_REQUEST, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                    OPEN_EXISTING, 0, NULL);
    if (f == INVALID_HANDLE_VALUE)
        return;
    if (!ReadFile(f, label, sizeof(label) - 1, &got, NULL))
        got = 0;
    CloseHandle(f);
    label[got] = 0;
    if (got == 0 || strcmp(label, last) == 0)
        return;
    snprintf(last, size, "%s", label);
    memset(&memory, 0, sizeof(memory));
    memory.cb = sizeof(memory);
    {
        const long handles = count_handles();
        K32GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
        snprintf(reply, sizeof(reply), "%s handles=%ld private=%lu\r\n", label, handles,
                 (unsigned long)memory.PagefileUsage);
    }
    write_atomically(MEASURE_REPLY, reply);
}

/* A change in the folder wakes the thread at once; the timeout is for a change notification that never
 * comes. It is re-armed before the file is read, so that no change slips between the two. */
static DWORD WINAPI watch_count(void* unused) {
    HANDLE change =
        FindFirstChangeNotificationW(RAS_DIR, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE);
    long last = read_count();
    char measured[64] = "";
    (void)unused;
    if (last < 0)
        last = 0;
    for (;;) {
        long now;
        if (change != INVALID_HANDLE_VALUE) {
            /* Re-armed only once it has fired: under Wine each call queues another watch of the folder,
             * and a watch re-armed at every timeout piles up memory in the program without end. */
            if (WaitForSingleObject(change, 20) == WAIT_OBJECT_0)
                FindNextChangeNotification(change);
        } else {
            Sleep(5);
        }
        answer_measure_request(measured, sizeof(measured));
        now = read_count();
        if (now < 0 || now == last)
            continue;
        announce(now > last ? RASCN_CONNECTION : RASCN_DISCONNECTION);
        last = now;
    }
    return 0;
}

/* Only INVALID_HANDLE_VALUE, every connection: this stand-in has no connection handles of its own. The
 * watching thread runs until the process ends, or until the program frees this DLL (see DllMain). */
static DWORD notification(HANDLE hrasconn, HANDLE event, DWORD flags) {
    DWORD result = ERROR_SUCCESS;
    HANDLE copy = NULL;
    if (hrasconn != INVALID_HANDLE_VALUE) {
        result = ERROR_INVALID_HANDLE;
    } else if (!event || !(flags & (RASCN_CONNECTION | RASCN_DISCONNECTION)) ||
               !DuplicateHandle(GetCurrentProcess(), event, GetCurrentProcess(), &copy, 0, FALSE,
                                DUPLICATE_SAME_ACCESS)) {
        result = ERROR_INVALID_PARAMETER;
    } else {
        AcquireSRWLockExclusive(&g_lock);
        if (g_registered < MAX_REGISTERED) {
            g_events[g_registered] = copy;
            g_flags[g_registered] = flags;
            ++g_registered;
            copy = NULL;
        } else {
            result = ERROR_NOT_ENOUGH_MEMORY;
        }
        ReleaseSRWLockExclusive(&g_lock);
        if (copy)
            CloseHandle(copy);
    }
    if (result == ERROR_SUCCESS && InterlockedCompareExchange(&g_watching, 1, 0) == 0)
        g_watcher = CreateThread(NULL, 0, watch_count, NULL, 0, NULL);
    return result;
}

/* The service keeps signalling a registered event for as long as the process lives, and a real DLL may
 * run code of its own for it: a program that frees the DLL after registering pulls that code away. Such a
 * free is marked for the tests, and the watching thread is stopped, since its code goes with the DLL.
 * (reserved is null for a FreeLibrary, not null when the process ends.) */
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved) {
    (void)instance;
    if (reason == DLL_PROCESS_DETACH && reserved == NULL && g_registered > 0) {
        if (!kPlanted)
            write_atomically(FREED_MARK, "freed while a notification was registered\r\n");
        if (g_watcher)
            TerminateThread(g_watcher, 0);
    }
    return TRUE;
}

DWORD WINAPI RasConnectionNotificationA(HANDLE hrasconn, HANDLE hEvent, DWORD dwFlags) {
    return notification(hrasconn, hEvent, dwFlags);
}

DWORD WINAPI RasConnectionNotificationW(HANDLE hrasconn, HANDLE hEvent, DWORD dwFlags) {
    return notification(hrasconn, hEvent, dwFlags);
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
