// A process table. Every launch creates a process record, suspended; the handle returned by a launch acts
// only on that record and its job, as an operating-system handle does, even after its ID has gone to
// another process.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
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
    bool launchedByUs = false;  // false: a process of some other program, or one that ours started
    std::uint32_t startedAt = 0;
    bool suspended = false;
    int job = 0;  // 0: in no job
    std::int32_t parent = 0;
    bool alive = true;  // false once it has gone
    std::optional<std::uint32_t> exitCode;
    std::optional<std::uint32_t> goneAt;  // when an ended process has gone
    int terminateCalls = 0;
};

// As on Windows, an ended process goes some time after the call that ended it has returned (`endLag`
// milliseconds); waiting for it lets that time pass.
class FakeProcesses final : public Processes {
    class Handle final : public LaunchedProcess {
    public:
        Handle(FakeProcesses& system, std::shared_ptr<ProcessRecord> process)
            : system_(system), process_(std::move(process)) {}
        std::int32_t pid() const override { return process_->pid; }
        bool joinJob() override {
            if (Fails(system_.faults, "joinJob " + process_->commandLine) || system_.refuseJobs)
                return false;
            process_->job = ++system_.jobs_;
            return true;
        }
        std::uint32_t resume() override {
            if (Fails(system_.faults, "resume " + process_->commandLine))
                return 5;  // access denied
            process_->suspended = false;
            return 0;
        }
        bool terminate(std::uint32_t exitCode) override {
            ++process_->terminateCalls;
            // Access denied: the processes run on.
            if (Fails(system_.faults, "terminate " + process_->commandLine))
                return false;
            bool running = false;
            for (ProcessRecord* member : mine()) {
                if (member->alive && !member->exitCode) {
                    running = true;
                    member->exitCode = exitCode;
                    member->goneAt = system_.now() + system_.endLag;
                    if (system_.endLag == 0)
                        member->alive = false;
                }
            }
            return running;
        }
        std::uint32_t waitGone(std::uint32_t limit) override {
            if (Fails(system_.faults, "waitGone " + process_->commandLine))
                return 0;
            std::uint32_t waited = 0;
            for (ProcessRecord* member : mine()) {
                if (member->alive && member->goneAt)
                    waited = std::max(waited, std::min(limit, *member->goneAt - system_.now()));
            }
            if (waited > 0 && system_.block)
                system_.block(waited);
            system_.settle();
            return waited;
        }

    private:
        // The process, and with a job every process in it.
        std::vector<ProcessRecord*> mine() const {
            std::vector<ProcessRecord*> members;
            for (const auto& record : system_.table) {
                if (record == process_ || (process_->job != 0 && record->job == process_->job))
                    members.push_back(record.get());
            }
            return members;
        }

        FakeProcesses& system_;
        std::shared_ptr<ProcessRecord> process_;
    };

public:
    std::unique_ptr<LaunchedProcess> launch(const LaunchPlan& plan, int showWindow, std::uint32_t& error) override {
        plans.push_back(plan);
        attempts.push_back(plan.commandLine);
        programs.push_back(plan.program);
        const auto refused = failing.find(plan.commandLine);
        if (Fails(faults, "launch " + plan.commandLine) || refused != failing.end()) {
            error = refused != failing.end() ? refused->second : 2;
            return nullptr;
        }
        auto process = create(takePid());
        process->commandLine = plan.commandLine;
        process->showWindow = showWindow;
        process->launchedByUs = true;
        process->suspended = true;
        if (endingAtOnce.count(plan.commandLine) != 0) {
            process->alive = false;
            process->exitCode = 0;
        }
        return std::make_unique<Handle>(*this, process);
    }

    std::string reason(std::uint32_t error) override {
        const auto found = reasons.find(error);
        return found != reasons.end() ? found->second : "";
    }

    // The program starts a process of its own, which joins its job unless it asks to break away.
    ProcessRecord& spawn(std::int32_t parentPid, const std::string& commandLine, bool breakaway = false) {
        ProcessRecord* parent = running(parentPid);
        EXPECT_NE(parent, nullptr) << "no running process " << parentPid;
        auto child = create(takePid());
        child->commandLine = commandLine;
        child->parent = parentPid;
        child->job = parent != nullptr && !breakaway ? parent->job : 0;
        return *child;
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

    // Ended processes whose time to go has come are gone.
    void settle() {
        for (const auto& process : table) {
            if (process->alive && process->goneAt && *process->goneAt <= now())
                process->alive = false;
        }
    }

    // Processes that were ended but have not gone yet.
    int going() const {
        int count = 0;
        for (const auto& process : table)
            count += process->alive && process->exitCode ? 1 : 0;
        return count;
    }

    std::map<std::string, std::uint32_t> failing;  // command lines that cannot be started, with the error
    std::map<std::uint32_t, std::string> reasons;  // the system's texts for errors
    std::set<std::string> endingAtOnce;            // programs that end right after their start
    std::deque<std::int32_t> nextPids;             // IDs to hand out before counting on
    std::vector<LaunchPlan> plans;                 // every launch, failed ones too
    std::vector<std::string> attempts;             // their command lines
    std::vector<std::string> programs;             // the program named for each, "" where the system finds it
    std::vector<std::shared_ptr<ProcessRecord>> table;
    bool refuseJobs = false;  // Windows 7, with this program in a job already
    std::uint32_t endLag = 0;
    std::function<std::uint32_t()> clock;
    std::function<void(std::uint32_t)> block;  // time passing while the program waits for the system
    FailurePoint* faults = nullptr;

private:
    std::uint32_t now() const { return clock ? clock() : 0; }

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
        process->startedAt = now();
        table.push_back(process);
        return process;
    }

    std::int32_t counter_ = 1000;
    int jobs_ = 0;
};

// Files and folders by their full paths; every other path is missing.
// A 32-bit program's view: with `system.redirected`, a path into the system folder that is not looked at
// natively finds the 32-bit folder's files instead (`redirectedPaths`).
class FakeFileLookUp final : public FileLookUp {
public:
    PathKind lookUp(const std::string& path, bool native) override {
        lookedUp.push_back(path);
        if (native)
            lookedUpNatively.push_back(path);
        // A path that cannot be read.
        if (Fails(faults, "lookUp " + path))
            return PathKind::missing;
        const bool redirected = system.redirected && !native && path.rfind(system.system + "\\", 0) == 0;
        const auto& view = redirected ? redirectedPaths : paths;
        const auto found = view.find(path);
        return found != view.end() ? found->second : PathKind::missing;
    }

    SystemFolders folders() override {
        if (Fails(faults, "folders"))
            return {};
        return system;
    }

    bool readShortcut(const std::string& path, Shortcut& shortcut) override {
        if (Fails(faults, "readShortcut " + path))
            return false;
        const auto found = shortcuts.find(path);
        if (found == shortcuts.end())
            return false;
        shortcut = found->second;
        return true;
    }

    std::map<std::string, PathKind> paths;
    std::map<std::string, PathKind> redirectedPaths;
    std::map<std::string, Shortcut> shortcuts;
    SystemFolders system{"C:\\Windows\\system32", "C:\\Users\\Jörg", false};
    std::vector<std::string> lookedUp;
    std::vector<std::string> lookedUpNatively;
    FailurePoint* faults = nullptr;
};

}  // namespace kw::test
