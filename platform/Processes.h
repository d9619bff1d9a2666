#pragma once

// Starting programs in the manner of CreateProcessA and waiting for them in the manner of
// WaitForInputIdle.

#include <string>

namespace platform {

struct StartedProcess {
    bool started = false;
    int pid = 0;
    // Why the start failed, for the log line; empty when it started.
    std::string error;
};

enum class IdleWait { WindowShown, Ended, TimedOut, Failed };

class IProcesses {
public:
    virtual ~IProcesses() = default;
    // Starts a command line (code page 932, that system's quoting rules; DOS paths are mapped to
    // host paths) without a shell, in the current folder of the process.
    virtual StartedProcess CreateProcess(const std::string& commandLine) = 0;
    // Returns when the program has shown a top-level window, has ended, or after the bound.
    virtual IdleWait WaitForInputIdle(const StartedProcess& process, int boundMs) = 0;
};

}  // namespace platform
