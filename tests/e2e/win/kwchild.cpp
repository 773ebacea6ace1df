// A program for the product to launch. It records how it was started (its process ID, its whole command
// line, the show state it was handed) into the file named by its first argument, then waits to be ended.
// With an argument "/exit:N" it ends by itself N milliseconds later, with exit code kSelfExitCode, so that
// a test can free its process ID while the product still counts it as launched. It also records its
// current folder, and the processes it started on request (/spawn:, /spawnaway:).
// A copy under another name (C:\Program.exe, say) takes no file argument: it records into
// KWT_OUT_DIR\<its name>.txt, so that a test can give it any command line and still see who ran.
#include <windows.h>

#include <shellapi.h>

#include <cstdlib>
#include <string>

#include "exchange.h"
#include "utf.h"

namespace {

constexpr UINT kSelfExitCode = 3;

// The test polls for the file; writing it under another name and renaming it means it never reads half.
void WriteRecord(const std::wstring& path, const std::string& record) {
    std::wstring temp = path + L".tmp";
    HANDLE f = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(f, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(f);
    MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

// Empty for kwchild.exe itself.
std::wstring CopyRecordPath() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, n);
    name.erase(0, name.find_last_of(L'\\') + 1);
    if (_wcsicmp(name.c_str(), L"kwchild.exe") == 0)
        return L"";
    return KWT_WIDE(KWT_OUT_DIR "\\") + name.substr(0, name.find_last_of(L'.')) + L".txt";
}

// "/spawn:FILE" starts another kwchild.exe of this image that records into FILE, as a program starts a
// helper; "/spawnaway:FILE" starts it outside the job this process is in. Returns its process ID, or 0.
DWORD Spawn(const wchar_t* file, bool away) {
    wchar_t image[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, image, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(image, n) + L"\" " + file;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, away ? CREATE_BREAKAWAY_FROM_JOB : 0, nullptr,
                        nullptr, &si, &pi))
        return 0;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return pi.dwProcessId;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int nCmdShow) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring recordPath = CopyRecordPath();
    if (!argv || (recordPath.empty() && argc < 2))
        return 2;
    if (recordPath.empty())
        recordPath = argv[1];

    STARTUPINFOW si{};
    si.cb = sizeof(si);
    GetStartupInfoW(&si);

    DWORD exitAfter = INFINITE;
    std::string spawned;
    for (int i = 1; i < argc; ++i) {
        if (wcsncmp(argv[i], L"/exit:", 6) == 0)
            exitAfter = static_cast<DWORD>(wcstoul(argv[i] + 6, nullptr, 10));
        const bool away = wcsncmp(argv[i], L"/spawnaway:", 11) == 0;
        if (away || wcsncmp(argv[i], L"/spawn:", 7) == 0)
            spawned += std::to_string(Spawn(argv[i] + (away ? 11 : 7), away)) + " ";
    }

    std::string record = "pid=" + std::to_string(GetCurrentProcessId()) + "\n";
    record += "flags=" + std::to_string(si.dwFlags) + "\n";
    record += "show=" + std::to_string(si.wShowWindow) + "\n";
    record += "cmdshow=" + std::to_string(nCmdShow) + "\n";
    record += "cmdline=" + kwt::Utf8(GetCommandLineW()) + "\n";
    wchar_t folder[MAX_PATH] = {};
    record += "cwd=" + kwt::Utf8(std::wstring(folder, GetCurrentDirectoryW(MAX_PATH, folder))) + "\n";
    record += "spawned=" + spawned + "\n";
    WriteRecord(recordPath, record);
    LocalFree(argv);

    if (exitAfter != INFINITE) {
        Sleep(exitAfter);
        return static_cast<int>(kSelfExitCode);
    }
    for (;;)
        Sleep(60000);
}
