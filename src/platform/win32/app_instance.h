#pragma once

#include <windows.h>

#include "platform/app_instance.h"
#include "platform/win32/handles.h"

namespace kw::win32 {

// One copy per user and session: a named mutex in the session's own namespace, named after the program
// and the user's SID. The mutex is held until the process ends.
class Win32AppInstance final : public AppInstance {
public:
    bool anotherCopyRuns() override;
    void endProcess() override;

private:
    Kernel mutex_;
};

}  // namespace kw::win32
