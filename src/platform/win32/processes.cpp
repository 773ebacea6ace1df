#include "platform/win32/processes.h"

#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/strings.h"

namespace kw::win32 {
namespace {

// A 32-bit program on 64-bit Windows sees SysWOW64 where it names System32. Around the calls that must
// reach the real system folder, the redirection is turned off for this thread, and on again at once: the
// thread's DLL loads depend on it.
class NativeSystemFolder {
public:
    explicit NativeSystemFolder(bool native) { off_ = native && Wow64DisableWow64FsRedirection(&state_) != FALSE; }
    NativeSystemFolder(const NativeSystemFolder&) = delete;
    NativeSystemFolder& operator=(const NativeSystemFolder&) = delete;
    ~NativeSystemFolder() {
        if (off_) {
            Wow64RevertWow64FsRedirection(state_);
        }
    }

private:
    void* state_ = nullptr;
    bool off_ = false;
};

// The system starts any file with an executable header, whatever its name. Every sharing mode is offered,
// so a program that is running can still be read; a file that cannot be read could not be started either.
bool IsImage(const std::wstring& path) {
    const HANDLE opened =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const Kernel file(opened != INVALID_HANDLE_VALUE ? opened : nullptr);
    char header[2] = {};
    DWORD read = 0;
    return file.valid() && ReadFile(file.get(), header, sizeof header, &read, nullptr) && read == sizeof header &&
           header[0] == 'M' && header[1] == 'Z';
}

// The shell's shortcut object and the profile folder, named here: taking them from the import library
// would link its whole table of the system's GUIDs, some 50 KB.
constexpr GUID kShellLink = {0x00021401, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kProfileFolder = {0x5e6c858f, 0x0e22, 0x4760, {0x9a, 0xfe, 0xea, 0x33, 0x17, 0xb6, 0x71, 0x73}};

// Processes of the job still running; 0 when it cannot be asked.
DWORD ActiveProcesses(HANDLE job) {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
    if (!QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &accounting, sizeof accounting, nullptr)) {
        return 0;
    }
    return accounting.ActiveProcesses;
}

class Win32LaunchedProcess final : public LaunchedProcess {
public:
    Win32LaunchedProcess(Kernel process, Kernel thread, DWORD processId)
        : process_(std::move(process)), thread_(std::move(thread)), id_(processId) {}

    std::int32_t pid() const override { return static_cast<std::int32_t>(id_); }

    // The job's one limit lets a process start a child outside it on request; closing the job's last
    // handle ends nothing.
    bool joinJob() override {
        Kernel job(CreateJobObjectW(nullptr, nullptr));
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_BREAKAWAY_OK;
        if (!job.valid() ||
            !SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits) ||
            !AssignProcessToJobObject(job.get(), process_.get())) {
            return false;
        }
        job_ = std::move(job);
        return true;
    }

    std::uint32_t resume() override {
        const DWORD result = ResumeThread(thread_.get());
        thread_.reset(nullptr);
        return result == static_cast<DWORD>(-1) ? GetLastError() : 0;
    }

    // A process that has already exited stays a valid handle target, so this never reaches a stranger; a
    // job holds only processes that the launched one started.
    bool terminate(std::uint32_t exitCode) override {
        if (job_.valid()) {
            const bool running = ActiveProcesses(job_.get()) > 0;
            return TerminateJobObject(job_.get(), exitCode) != FALSE && running;
        }
        const bool running = WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
        return TerminateProcess(process_.get(), exitCode) != FALSE && running;
    }

    std::uint32_t waitGone(std::uint32_t limit) override {
        const ULONGLONG start = GetTickCount64();
        const auto waited = [start] { return static_cast<std::uint32_t>(GetTickCount64() - start); };
        WaitForSingleObject(process_.get(), limit);
        // The job has no handle that tells when its last process has gone: it is asked, a few times.
        while (job_.valid() && ActiveProcesses(job_.get()) > 0 && waited() < limit) {
            Sleep(5);
        }
        return std::min(waited(), limit);
    }

private:
    Kernel process_;
    Kernel thread_;  // until the process runs
    Kernel job_;
    DWORD id_;
};

std::string KnownFolder(REFKNOWNFOLDERID id) {
    wchar_t* path = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) {
        folder = Narrow(path);
    }
    CoTaskMemFree(path);
    return folder;
}

}  // namespace

PathKind Win32FileLookUp::lookUp(const std::string& path, bool native) {
    const std::wstring wide = Widen(path);
    const NativeSystemFolder view(native);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return PathKind::missing;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return PathKind::folder;
    }
    return IsImage(wide) ? PathKind::image : PathKind::file;
}

SystemFolders Win32FileLookUp::folders() {
    SystemFolders folders;
    wchar_t system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        folders.system = Narrow(system);
    }
    folders.profile = KnownFolder(kProfileFolder);
    BOOL wow64 = FALSE;
    folders.redirected = IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
    return folders;
}

// The shell's own reader of shortcuts; COM is initialised on this thread for the drops that bring them.
bool Win32FileLookUp::readShortcut(const std::string& path, Shortcut& shortcut) {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(kShellLink, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkW),
                                reinterpret_cast<void**>(&link)))) {
        return false;
    }
    IPersistFile* file = nullptr;
    std::vector<wchar_t> target(32768, L'\0');
    std::vector<wchar_t> arguments(32768, L'\0');
    const bool read = SUCCEEDED(link->QueryInterface(__uuidof(IPersistFile), reinterpret_cast<void**>(&file))) &&
                      SUCCEEDED(file->Load(Widen(path).c_str(), STGM_READ)) &&
                      link->GetPath(target.data(), static_cast<int>(target.size()), nullptr, 0) == S_OK &&
                      SUCCEEDED(link->GetArguments(arguments.data(), static_cast<int>(arguments.size())));
    if (file != nullptr) {
        file->Release();
    }
    link->Release();
    if (read) {
        shortcut.target = Narrow(target.data());
        shortcut.arguments = Narrow(arguments.data());
    }
    return read;
}

std::unique_ptr<LaunchedProcess> Win32Processes::launch(const LaunchPlan& plan, int showWindow, std::uint32_t& error) {
    // With the program named, the system does not read it out of the command line.
    const std::wstring image = Widen(plan.program);
    const wchar_t* application = plan.program.empty() ? nullptr : image.c_str();
    const std::wstring folder = Widen(plan.folder);
    // CreateProcessW may write into the command line, so it gets its own NUL-terminated copy.
    const std::wstring wide = Widen(plan.commandLine);
    std::vector<wchar_t> buffer(wide.begin(), wide.end());
    buffer.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showWindow);
    PROCESS_INFORMATION info{};
    BOOL created = FALSE;
    {
        const NativeSystemFolder view(plan.native);
        created = CreateProcessW(application, buffer.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                                 plan.folder.empty() ? nullptr : folder.c_str(), &startup, &info);
        error = created ? 0 : GetLastError();
    }
    if (!created) {
        return nullptr;
    }
    return std::make_unique<Win32LaunchedProcess>(Kernel(info.hProcess), Kernel(info.hThread), info.dwProcessId);
}

std::string Win32Processes::reason(std::uint32_t error) {
    return ErrorText(error);
}

}  // namespace kw::win32
