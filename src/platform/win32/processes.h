#pragma once

#include "platform/file_look_up.h"
#include "platform/processes.h"

namespace kw::win32 {

// CreateProcessW, suspended, and a job object for each process. The process handle from the launch is
// kept, so ending a process goes to exactly the one that was started, even after its ID has been given to
// another process.
class Win32Processes final : public Processes {
public:
    std::unique_ptr<LaunchedProcess> launch(const LaunchPlan& plan, int showWindow, std::uint32_t& error) override;
    std::string reason(std::uint32_t error) override;
};

// GetFileAttributesW and the first two bytes of a file; the system and profile folders; shortcuts.
class Win32FileLookUp final : public FileLookUp {
public:
    PathKind lookUp(const std::string& path, bool native) override;
    SystemFolders folders() override;
    bool readShortcut(const std::string& path, Shortcut& shortcut) override;
};

}  // namespace kw::win32
