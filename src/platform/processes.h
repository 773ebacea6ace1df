#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace kw {

// A process that this program created. Holding it keeps the operating system's handle to that very
// process, so ending it can never reach another process that later received the same ID.
class LaunchedProcess {
public:
    virtual ~LaunchedProcess() = default;
    virtual std::int32_t pid() const = 0;
    // Ends the process with the given exit code; does nothing if it has already gone.
    virtual void terminate(std::uint32_t exitCode) = 0;
};

class Processes {
public:
    virtual ~Processes() = default;
    // Runs `program` with a complete command line (UTF-8), which the program receives whole, and the given
    // window-show style (SW_*). An empty `program` leaves the system to find it in the command line.
    // Returns nullptr when the program cannot be started.
    virtual std::unique_ptr<LaunchedProcess> launch(const std::string& program, const std::string& commandLine,
                                                    int showWindow) = 0;
};

}  // namespace kw
