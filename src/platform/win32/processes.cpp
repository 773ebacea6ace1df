#include "platform/win32/processes.h"

#include <windows.h>

#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/strings.h"

namespace kw::win32 {
namespace {

// The system starts any file with an executable header, whatever its name. Every sharing mode is offered,
// so a program that is running can still be read; a file that cannot be read could not be started either.
bool IsImage(const std::string& path) {
    const HANDLE opened =
        CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const Kernel file(opened != INVALID_HANDLE_VALUE ? opened : nullptr);
    char header[2] = {};
    DWORD read = 0;
    return file.valid() && ReadFile(file.get(), header, sizeof header, &read, nullptr) && read == sizeof header &&
           header[0] == 'M' && header[1] == 'Z';
}

class Win32LaunchedProcess final : public LaunchedProcess {
public:
    Win32LaunchedProcess(Kernel process, DWORD processId) : process_(std::move(process)), id_(processId) {}

    std::int32_t pid() const override { return static_cast<std::int32_t>(id_); }
    // A process that has already exited stays a valid handle target, so this never reaches a stranger.
    void terminate(std::uint32_t exitCode) override { TerminateProcess(process_.get(), exitCode); }

private:
    Kernel process_;
    DWORD id_;
};

}  // namespace

PathKind Win32FileLookUp::lookUp(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return PathKind::missing;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return PathKind::folder;
    }
    return IsImage(path) ? PathKind::image : PathKind::file;
}

std::unique_ptr<LaunchedProcess> Win32Processes::launch(const std::string& program, const std::string& commandLine,
                                                        int showWindow) {
    // With the program named, the system does not read it out of the command line.
    const std::wstring image = Widen(program);
    const wchar_t* application = program.empty() ? nullptr : image.c_str();
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
    const Kernel thread(info.hThread);
    return std::make_unique<Win32LaunchedProcess>(Kernel(info.hProcess), info.dwProcessId);
}

}  // namespace kw::win32
