// Whether another copy runs; ending the process is only recorded, so the caller must stop by itself.
#pragma once

#include <string>
#include <vector>

#include "fakes/failure_point.h"
#include "platform/app_instance.h"

namespace kw::test {

class FakeAppInstance final : public AppInstance {
public:
    bool anotherCopyRuns() override {
        if (journal)
            journal->push_back("anotherCopyRuns");
        // Where the check itself fails, the program cannot tell and runs.
        if (Fails(faults, "anotherCopyRuns"))
            return false;
        return otherCopy;
    }
    void endProcess() override {
        ++ended;
        if (journal)
            journal->push_back("endProcess");
    }

    bool otherCopy = false;
    int ended = 0;
    std::vector<std::string>* journal = nullptr;
    FailurePoint* faults = nullptr;
};

}  // namespace kw::test
