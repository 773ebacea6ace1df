#pragma once

namespace kw {

// The program as one process among others of the same user.
class AppInstance {
public:
    virtual ~AppInstance() = default;
    // True when another copy of this program already runs in the user's session. Asked once, first thing.
    virtual bool anotherCopyRuns() = 0;
    // Ends the process at once: no window is destroyed and no unload handler runs.
    virtual void endProcess() = 0;
};

}  // namespace kw
