// A process table. Every launch creates a process record; the handle returned by a launch acts only
// on that record, as an operating-system handle does, even after its ID has gone to another process.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fakes/failure_point.h"
#include "platform/file_look_up.h"
#include "platform/processes.h"

namespace kw::test {

struct ProcessRecord {
    std::int32_t pid = 0;
    std::string commandLine;
    int showWindow = 0;
    bool launchedByUs = false;  // false: a process of some other program
    std::uint32_t startedAt = 0;
    bool alive = true;
    std::optional<std::uint32_t> exitCode;
    int terminateCalls = 0;
};

class FakeProcesses final : public Processes {
    class Handle final : public LaunchedProcess {
    public:
        Handle(std::shared_ptr<ProcessRecord> process, FailurePoint* const& faults)
            : process_(std::move(process)), faults_(faults) {}
        std::int32_t pid() const override { return process_->pid; }
        void terminate(std::uint32_t exitCode) override {
            ++process_->terminateCalls;
            // Access denied: the process runs on.
            if (Fails(faults_, "terminate " + process_->commandLine))
                return;
            if (process_->alive) {
                process_->alive = false;
                process_->exitCode = exitCode;
            }
        }

    private:
        std::shared_ptr<ProcessRecord> process_;
        FailurePoint* const& faults_;
    };

public:
    std::unique_ptr<LaunchedProcess> launch(const std::string& program, const std::string& commandLine,
                                            int showWindow) override {
        attempts.push_back(commandLine);
        programs.push_back(program);
        if (Fails(faults, "launch " + commandLine) || failing.count(commandLine) != 0) {
            return nullptr;
        }
        auto process = create(takePid());
        process->commandLine = commandLine;
        process->showWindow = showWindow;
        process->launchedByUs = true;
        if (endingAtOnce.count(commandLine) != 0) {
            process->alive = false;
            process->exitCode = 0;
        }
        return std::make_unique<Handle>(process, faults);
    }

    // The program ends by itself (the user closed it), freeing its ID.
    void exits(std::int32_t pid, std::uint32_t exitCode = 0) {
        ProcessRecord* process = running(pid);
        ASSERT_NE(process, nullptr) << "no running process " << pid;
        process->alive = false;
        process->exitCode = exitCode;
    }

    // Another program's process that received the ID of a process that has gone.
    ProcessRecord& foreign(std::int32_t pid) {
        auto process = create(pid);
        process->commandLine = "fremd.exe";
        return *process;
    }

    ProcessRecord* running(std::int32_t pid) {
        for (const auto& process : table) {
            if (process->alive && process->pid == pid)
                return process.get();
        }
        return nullptr;
    }

    std::vector<ProcessRecord*> launched() const {
        std::vector<ProcessRecord*> result;
        for (const auto& process : table) {
            if (process->launchedByUs)
                result.push_back(process.get());
        }
        return result;
    }

    int terminateCalls() const {
        int total = 0;
        for (const auto& process : table)
            total += process->terminateCalls;
        return total;
    }

    std::set<std::string> failing;       // command lines that cannot be started
    std::set<std::string> endingAtOnce;  // programs that end right after their start
    std::deque<std::int32_t> nextPids;   // IDs to hand out before counting on
    std::vector<std::string> attempts;   // every launch, failed ones too
    std::vector<std::string> programs;   // the program named for each, "" where the system finds it
    std::vector<std::shared_ptr<ProcessRecord>> table;
    std::function<std::uint32_t()> clock;
    FailurePoint* faults = nullptr;

private:
    std::int32_t takePid() {
        if (!nextPids.empty()) {
            const std::int32_t pid = nextPids.front();
            nextPids.pop_front();
            return pid;
        }
        do {
            counter_ += 4;
        } while (running(counter_) != nullptr);
        return counter_;
    }

    std::shared_ptr<ProcessRecord> create(std::int32_t pid) {
        // No operating system gives the ID of a running process to a second one.
        EXPECT_EQ(running(pid), nullptr) << "ID " << pid << " is still in use";
        auto process = std::make_shared<ProcessRecord>();
        process->pid = pid;
        process->startedAt = clock ? clock() : 0;
        table.push_back(process);
        return process;
    }

    std::int32_t counter_ = 1000;
};

// Files and folders by their full paths; every other path is missing.
class FakeFileLookUp final : public FileLookUp {
public:
    PathKind lookUp(const std::string& path) override {
        lookedUp.push_back(path);
        // A path that cannot be read.
        if (Fails(faults, "lookUp " + path))
            return PathKind::missing;
        const auto found = paths.find(path);
        return found != paths.end() ? found->second : PathKind::missing;
    }

    std::map<std::string, PathKind> paths;
    std::vector<std::string> lookedUp;
    FailurePoint* faults = nullptr;
};

}  // namespace kw::test
