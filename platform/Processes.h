#pragma once

// Starting programs in the manner of CreateProcessA and waiting for them in the manner of
// WaitForInputIdle.

#include "platform/ChildReaper.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {

class DriveMap;
class XConnection;

struct StartedProcess {
    bool started = false;
    int pid = 0;
    // Why the start failed, for the log line (UTF-8); empty when it started.
    std::string error;
};

enum class IdleWait { WindowShown, Ended, TimedOut, Failed };

// The bound of a wait without a time limit (INFINITE).
inline constexpr int InfiniteWait = -1;

class IProcesses {
public:
    virtual ~IProcesses() = default;
    // Starts a command line (code page 932, that system's quoting rules; DOS paths are mapped to
    // host paths) without a shell, in the current folder of the process.
    virtual StartedProcess CreateProcess(const std::string& commandLine) = 0;
    // Returns when the program has shown a top-level window, has ended, or after the bound
    // (milliseconds, or InfiniteWait).
    virtual IdleWait WaitForInputIdle(const StartedProcess& process, int boundMs) = 0;
};

// One start, as the test harness lists them.
struct SpawnRecord {
    std::string commandLine;  // Code page 932, as given.
    bool ok = false;
};

// The host's processes. The program is the command line's first word: a .desktop file runs its
// Exec line, any other file must be executable and runs itself; a bare name is looked up on
// PATH. When the rest of the command line names an existing file or folder it is handed over
// whole, as one argument, so that a path with blanks arrives intact; otherwise the rest is split
// into arguments. DOS paths among the arguments arrive as host paths.
class Processes final : public IProcesses {
public:
    // The drive map must outlive the service.
    explicit Processes(const DriveMap& drives);
    ~Processes() override;

    StartedProcess CreateProcess(const std::string& commandLine) override;
    // Ends with WindowShown once the program, or a program it started, has mapped a top-level
    // window on the X display (by the windows' _NET_WM_PID). Without a display no window can be
    // seen, so the wait then ends only when the program ends or at the bound. Every wait is held
    // to the service's bound, a wait without a time limit included. Failed for a process that
    // never started.
    IdleWait WaitForInputIdle(const StartedProcess& process, int boundMs) override;

    int IdleBound() const { return m_idleBoundMs; }
    void SetIdleBound(int milliseconds) { m_idleBoundMs = milliseconds < 0 ? 0 : milliseconds; }

    // Every start since the last call.
    std::vector<SpawnRecord> TakeStarts();
    // Collects the programs that have ended by now, without waiting for the reaper's thread,
    // which collects each as it ends so that none is left a zombie. Starting and waiting do this
    // too.
    void ReapEnded();

private:
    bool HasEnded(int pid);
    bool HasShownWindow(int pid);

    const DriveMap& m_drives;
    int m_idleBoundMs = 5000;
    ChildReaper m_reaper;
    std::vector<SpawnRecord> m_starts;
    std::unique_ptr<XConnection> m_display;
};

}  // namespace platform
