#include "platform/win32/processes.h"

#include <windows.h>

#include <vector>

#include "platform/win32/strings.h"
#include "watch/program_path.h"

namespace kw::win32 {
namespace {

// The system starts any file with an executable header, whatever its name. Every sharing mode is offered,
// so a program that is running can still be read; a file that cannot be read could not be started either.
bool IsImage(const std::string& path) {
    const HANDLE file =
        CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    char header[2] = {};
    DWORD read = 0;
    const BOOL done = ReadFile(file, header, sizeof header, &read, nullptr);
    CloseHandle(file);
    return done && read == sizeof header && header[0] == 'M' && header[1] == 'Z';
}

PathKind LookUp(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return PathKind::missing;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return PathKind::folder;
    }
    return IsImage(path) ? PathKind::image : PathKind::file;
}

class Win32LaunchedProcess final : public LaunchedProcess {
public:
    Win32LaunchedProcess(HANDLE process, DWORD processId) : process_(process), id_(processId) {}
    Win32LaunchedProcess(const Win32LaunchedProcess&) = delete;
    Win32LaunchedProcess& operator=(const Win32LaunchedProcess&) = delete;
    ~Win32LaunchedProcess() override { CloseHandle(process_); }

    std::int32_t pid() const override { return static_cast<std::int32_t>(id_); }
    // A process that has already exited stays a valid handle target, so this never reaches a stranger.
    void terminate(std::uint32_t exitCode) override { TerminateProcess(process_, exitCode); }

private:
    HANDLE process_;
    DWORD id_;
};

}  // namespace

std::unique_ptr<LaunchedProcess> Win32Processes::launch(const std::string& commandLine, int showWindow) {
    if (commandLine.empty()) {
        return nullptr;
    }
    const ProgramChoice choice = ChooseProgram(commandLine, LookUp);
    if (choice.kind == ProgramChoice::Kind::NotFound) {
        return nullptr;
    }
    // With the program named, the system does not read it out of the command line, which the program
    // receives whole, as stored.
    const std::wstring program = Widen(choice.program);
    const wchar_t* application = choice.kind == ProgramChoice::Kind::Found ? program.c_str() : nullptr;
    // CreateProcessW may write into the command line, so it gets its own NUL-terminated copy.
    const std::wstring wide = Widen(commandLine);
    std::vector<wchar_t> buffer(wide.begin(), wide.end());
    buffer.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showWindow);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(application, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return nullptr;
    }
    CloseHandle(info.hThread);
    return std::make_unique<Win32LaunchedProcess>(info.hProcess, info.dwProcessId);
}

}  // namespace kw::win32
