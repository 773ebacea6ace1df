#pragma once

#include <windows.h>

#include "platform/app_instance.h"

namespace kw::win32 {

// One copy per user and session: a named mutex in the session's own namespace, named after the program
// and the user's SID. The mutex is held until the process ends.
class Win32AppInstance final : public AppInstance {
public:
    Win32AppInstance() = default;
    Win32AppInstance(const Win32AppInstance&) = delete;
    Win32AppInstance& operator=(const Win32AppInstance&) = delete;
    ~Win32AppInstance() override;

    bool anotherCopyRuns() override;
    void endProcess() override;

private:
    HANDLE mutex_ = nullptr;
};

}  // namespace kw::win32
