#include "harness.h"

#include <shellapi.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace kwt {

namespace {

int g_checks = 0;
int g_failures = 0;

// msvcrt's printf writes CP1252; the host reads UTF-8, and the expected texts carry umlauts.
void WriteOut(const std::string& text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string Format(const char* format, va_list args) {
    char buf[4096];
    vsnprintf(buf, sizeof(buf), format, args);
    return buf;
}

const char* BaseName(const char* path) {
    const char* base = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == '\\')
            base = p + 1;
    return base;
}

}  // namespace

void Print(const char* format, ...) {
    va_list args;
    va_start(args, format);
    WriteOut(Format(format, args));
    va_end(args);
}

bool Check(const char* file, int line, bool condition, const char* format, ...) {
    ++g_checks;
    if (condition)
        return true;
    ++g_failures;
    va_list args;
    va_start(args, format);
    WriteOut(std::string(BaseName(file)) + ":" + std::to_string(line) + ": Test failed: " + Format(format, args) +
             "\n");
    va_end(args);
    return false;
}

void Note(const char* file, int line, const char* format, ...) {
    va_list args;
    va_start(args, format);
    WriteOut(std::string(BaseName(file)) + ":" + std::to_string(line) + ": " + Format(format, args) + "\n");
    va_end(args);
}

int RunDriver(const char* driver, const std::vector<Area>& areas) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc == 2 && wcscmp(argv[1], L"warmup") == 0) {
        // The first window of a Wine session starts the desktop process (explorer), and the first program
        // the system services; the fixture does this with its output in a file, so that they do not hold
        // the test runner's pipes for the rest of the session.
        HWND window = CreateWindowW(L"STATIC", L"warmup", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        if (window)
            DestroyWindow(window);
        Print("warmup: window %s\n", window ? "created" : "failed");
        return window ? 0 : 1;
    }
    if (argc < 3) {
        Print("usage: %s.exe <area> <kopplungswacht.exe> [...]\n", driver);
        return 2;
    }
    const std::string name = Utf8(argv[1]);
    const Args args(argv + 2, argv + argc);
    for (const Area& area : areas) {
        if (name != area.name)
            continue;
        const double start = NowMs();
        area.run(args);
        Print("%s %s: %d tests executed (%d failures), %.1f s\n", driver, area.name, Checks(), Failures(),
              (NowMs() - start) / 1000.0);
        return Failures() ? 1 : 0;
    }
    Print("unknown area %s\n", name.c_str());
    return 2;
}

int Failures() {
    return g_failures;
}
int Checks() {
    return g_checks;
}

double NowMs() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void SleepPumping(DWORD ms) {
    double end = NowMs() + ms;
    for (;;) {
        Pump();
        double left = end - NowMs();
        if (left <= 0)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
    }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
    double end = NowMs() + timeoutMs;
    for (;;) {
        Pump();
        if (condition())
            return true;
        if (NowMs() >= end)
            return false;
        SleepPumping(pollMs);
    }
}

const wchar_t* const kTestDir = KWT_WIDE(KWT_DIR);
const wchar_t* const kOutDir = KWT_WIDE(KWT_OUT_DIR);

bool ReadWholeFile(const std::wstring& path, std::string& content) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    content.clear();
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof(buf), &got, nullptr) && got > 0)
        content.append(buf, got);
    CloseHandle(f);
    return true;
}

bool WriteFileAtomically(const std::wstring& path, const std::string& content) {
    std::wstring temp = path + L".new";
    HANDLE f = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL wrote = WriteFile(f, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(f);
    if (!wrote)
        return false;
    // The reader may hold the old file open for an instant; it shares delete, but retry to be safe.
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
            return true;
        Sleep(2);
    }
    return false;
}

std::wstring OutFile(const wchar_t* name) {
    return std::wstring(kOutDir) + L"\\" + name;
}

std::wstring BesideThisExe(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    return dir.substr(0, dir.find_last_of(L'\\') + 1) + name;
}

std::wstring ChildExe() {
    return BesideThisExe(L"kwchild.exe");
}

void SetConnections(const std::string& order) {
    bool written = WriteFileAtomically(KWT_WIDE(KWT_RAS_ORDER), order);
    ok(written, "could not write the connection order \"%s\" (error %lu)", order.c_str(), GetLastError());
}

bool LastRasCall(RasCall& call) {
    std::string log;
    if (!ReadWholeFile(KWT_WIDE(KWT_RAS_LOG), log))
        return false;
    return sscanf(log.c_str(), "dwSize=%lu cb=%lu calls=%ld", &call.dwSize, &call.cb, &call.calls) == 3;
}

// The script polls KWT_HOST_REQUEST and answers "<number> <exit code>" in KWT_HOST_DONE.
bool Host(const std::string& command) {
    static int number = 0;
    const std::string mine = std::to_string(++number);
    CreateDirectoryW(KWT_WIDE(KWT_HOST_DIR), nullptr);
    if (!ok(WriteFileAtomically(KWT_WIDE(KWT_HOST_REQUEST), mine + " " + command + "\n"),
            "could not ask the host for [%s]: error %lu", command.c_str(), GetLastError()))
        return false;
    std::string done;
    const bool answered = WaitUntil(
        [&] { return ReadWholeFile(KWT_WIDE(KWT_HOST_DONE), done) && done.rfind(mine + " ", 0) == 0; }, 20000, 5);
    if (!ok(answered, "the host did not carry out [%s] within 20 s", command.c_str()))
        return false;
    return ok(done == mine + " 0\n", "the host failed [%s]: [%s]", command.c_str(), done.c_str());
}

const wchar_t* const kAppKey = L"Software\\Kopplungswacht";

bool RegSet(const std::wstring& subkey, const wchar_t* name, const std::string& value) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr))
        return false;
    std::wstring w = Wide(value);
    LONG rc = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(w.c_str()),
                             static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool RegGet(const std::wstring& subkey, const wchar_t* name, std::string& value) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_QUERY_VALUE, &key))
        return false;
    wchar_t buf[2048];
    DWORD size = sizeof(buf) - sizeof(wchar_t);
    DWORD type = 0;
    LONG rc = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_SZ)
        return false;
    std::wstring w(buf, size / sizeof(wchar_t));
    while (!w.empty() && w.back() == L'\0')
        w.pop_back();
    value = Utf8(w);
    return true;
}

void RegDeleteTree(const std::wstring& subkey) {
    RegDeleteTreeW(HKEY_CURRENT_USER, subkey.c_str());
}

void StoreSettings(const std::vector<std::string>& files, const std::string& delay) {
    std::wstring filesKey = std::wstring(kAppKey) + L"\\Files";
    for (int i = 0; i < 10; ++i) {
        std::wstring name = L"datei" + std::to_wstring(i);
        std::string value = i < static_cast<int>(files.size()) ? files[i] : "";
        ok(RegSet(filesKey, name.c_str(), value), "could not store %s", Utf8(name).c_str());
    }
    ok(RegSet(std::wstring(kAppKey) + L"\\Schlafen", L"schlafen", delay), "could not store the delay");
}

void ResetWorld() {
    CreateDirectoryW(kTestDir, nullptr);
    CreateDirectoryW(kOutDir, nullptr);
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((std::wstring(kOutDir) + L"\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((std::wstring(kOutDir) + L"\\" + fd.cFileName).c_str());
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    DeleteFileW(KWT_WIDE(KWT_RAS_LOG));
    RegDeleteTree(kAppKey);
    SetConnections("0");
}

}  // namespace kwt
