#pragma once

#include "platform/file_look_up.h"
#include "platform/processes.h"

namespace kw::win32 {

// CreateProcessW. The process handle from the launch is kept, so ending a process goes to exactly the
// one that was started, even after its ID has been given to another process.
class Win32Processes final : public Processes {
public:
    std::unique_ptr<LaunchedProcess> launch(const std::string& program, const std::string& commandLine,
                                            int showWindow) override;
};

// GetFileAttributesW, and the first two bytes of a file.
class Win32FileLookUp final : public FileLookUp {
public:
    PathKind lookUp(const std::string& path) override;
};

}  // namespace kw::win32
