// One counter shared by the fakes: every platform call that can fail asks it first, and the k-th call
// of a scenario fails, each fake in its own facility's way. The calls are logged in order, so that a
// test can tell what happened after the failure.
#pragma once

#include <string>
#include <vector>

namespace kw::test {

class FailurePoint {
public:
    // Counts a call; true when it is the one to fail.
    bool fails(std::string call) {
        calls.push_back(std::move(call));
        if (failAt != 0 && calls.size() == failAt) {
            failed = calls.back();
            return true;
        }
        return false;
    }

    // The position of the failed call in `calls`, or calls.size() when none failed.
    std::size_t failedIndex() const { return failed.empty() ? calls.size() : failAt - 1; }

    std::size_t failAt = 0;  // 1-based; 0 fails nothing
    std::vector<std::string> calls;
    std::string failed;  // the call that failed, "" while none has
};

// For the fakes: true when `faults` is set and this call is the one to fail.
inline bool Fails(FailurePoint* faults, std::string call) {
    return faults != nullptr && faults->fails(std::move(call));
}

}  // namespace kw::test
