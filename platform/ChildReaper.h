#pragma once

// Collects the programs this process started as each one ends, so that none stays a zombie until
// something else happens to wait for it.

#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace platform {

// A thread of its own waits on a pidfd of each watched child and collects that child, and only
// it, with waitpid when it ends: the children of Qt's QProcess and of GLib's child watches stay
// theirs to collect, and no SIGCHLD handler is installed or replaced. Where the kernel gives no
// pidfd the thread looks every quarter second instead.
class ChildReaper {
public:
    ChildReaper() = default;
    ~ChildReaper();
    ChildReaper(const ChildReaper&) = delete;
    ChildReaper& operator=(const ChildReaper&) = delete;

    // Watches a child of this process that has not been collected yet.
    void Watch(int pid);
    // Whether a watched child has ended; it has then been collected too. None for a pid never
    // watched.
    std::optional<bool> Ended(int pid);
    // Collects every watched child that has ended by now, without waiting for the thread.
    void CollectEnded();

private:
    struct Child {
        int pidfd = -1;
        bool ended = false;
    };
    void Run();
    void CollectEndedLocked();
    void Wake();

    std::mutex m_mutex;
    std::map<int, Child> m_children;
    // Descriptors of children watched again under a reused pid, for the thread to close.
    std::vector<int> m_closing;
    bool m_stopping = false;
    int m_wake = -1;
    std::thread m_thread;
};

}  // namespace platform
