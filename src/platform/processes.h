#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace kw {

// How one entry of the list is started.
struct LaunchPlan {
    // The program to run; empty: the system finds it in the command line.
    std::string program;
    // The complete command line (UTF-8), which the program receives whole.
    std::string commandLine;
    // The program's current folder; empty: this program's own.
    std::string folder;
    // The system folder is reached as it is, where a 32-bit program's view of it is led elsewhere.
    bool native = false;
};

// A process that this program created. Holding it keeps the operating system's handle to that very
// process, so ending it can never reach another process that later received the same ID.
class LaunchedProcess {
public:
    virtual ~LaunchedProcess() = default;
    virtual std::int32_t pid() const = 0;
    // Puts the process, before it runs, into a job of its own. Every process that it starts joins the job,
    // unless it asks to start outside it, which the job allows. False when the system refuses (Windows 7
    // refuses a process that already sits in a job): the process then stays alone.
    virtual bool joinJob() = 0;
    // Lets the process run; 0, or the system's error.
    virtual std::uint32_t resume() = 0;
    // Ends the process with the given exit code, and every process of its job that still runs. True when
    // any of them still ran. Like the system's own, it returns before they have gone.
    virtual bool terminate(std::uint32_t exitCode) = 0;
    // Waits until what `terminate` ended has gone, at most `limit` milliseconds; returns the milliseconds
    // it waited.
    virtual std::uint32_t waitGone(std::uint32_t limit) = 0;
};

class Processes {
public:
    virtual ~Processes() = default;
    // Creates the process of `plan` suspended, with the given window-show style (SW_*). Returns nullptr
    // with the system's error in `error` when the program cannot be started.
    virtual std::unique_ptr<LaunchedProcess> launch(const LaunchPlan& plan, int showWindow, std::uint32_t& error) = 0;
    // The system's description of an error, in the user's language; empty when it has none.
    virtual std::string reason(std::uint32_t error) = 0;
};

}  // namespace kw
