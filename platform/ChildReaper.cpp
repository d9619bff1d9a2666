#include "platform/ChildReaper.h"

#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <utility>
#include <vector>

namespace platform {

namespace {
// How often the thread looks at children it has no pidfd for.
constexpr int LookMs = 250;

// A file descriptor that turns readable when the process ends; -1 where the kernel has none (before
// Linux 5.3). Through syscall(): glibc 2.36 declares its wrapper without C linkage for C++.
int PidFileDescriptor(int pid)
{
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
}
}  // namespace

ChildReaper::~ChildReaper()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    if (m_thread.joinable()) {
        Wake();
        m_thread.join();
    }
    CollectEnded();
    for (int pidfd : m_closing)
        close(pidfd);
    for (auto& [pid, child] : m_children)
        if (child.pidfd >= 0)
            close(child.pidfd);
    if (m_wake >= 0)
        close(m_wake);
}

void ChildReaper::Watch(int pid)
{
    std::lock_guard lock(m_mutex);
    // The child is not collected yet, so its pid cannot name another process.
    Child& child = m_children[pid];
    if (child.pidfd >= 0)
        m_closing.push_back(child.pidfd);
    child = Child{PidFileDescriptor(pid), false};
    if (!m_thread.joinable()) {
        m_wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        // The thread takes no signal: they stay the program's, delivered to its own threads.
        sigset_t all, previous;
        sigfillset(&all);
        pthread_sigmask(SIG_SETMASK, &all, &previous);
        m_thread = std::thread([this] { Run(); });
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    }
    Wake();
}

std::optional<bool> ChildReaper::Ended(int pid)
{
    std::lock_guard lock(m_mutex);
    CollectEndedLocked();
    auto found = m_children.find(pid);
    if (found == m_children.end())
        return std::nullopt;
    return found->second.ended;
}

void ChildReaper::CollectEnded()
{
    std::lock_guard lock(m_mutex);
    CollectEndedLocked();
}

void ChildReaper::CollectEndedLocked()
{
    for (auto& [pid, child] : m_children) {
        if (child.ended)
            continue;
        int status = 0;
        pid_t result = waitpid(pid, &status, WNOHANG);
        // ECHILD: someone else collected it, so it has ended too.
        if (result == pid || (result < 0 && errno == ECHILD))
            child.ended = true;
    }
}

void ChildReaper::Wake()
{
    if (m_wake < 0)
        return;
    const uint64_t one = 1;
    while (write(m_wake, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

void ChildReaper::Run()
{
    std::vector<pollfd> watched;
    for (;;) {
        bool blind = false;
        {
            std::lock_guard lock(m_mutex);
            if (m_stopping)
                return;
            CollectEndedLocked();
            // Descriptors are closed here only, between two polls, so that none is closed, and its
            // number given to another file, while the thread waits on it.
            for (int pidfd : m_closing)
                close(pidfd);
            m_closing.clear();
            watched.assign(1, pollfd{m_wake, POLLIN, 0});
            for (auto& [pid, child] : m_children) {
                if (child.ended && child.pidfd >= 0)
                    close(std::exchange(child.pidfd, -1));
                if (child.ended)
                    continue;
                if (child.pidfd >= 0)
                    watched.push_back(pollfd{child.pidfd, POLLIN, 0});
                else
                    blind = true;
            }
        }
        poll(watched.data(), watched.size(), blind || m_wake < 0 ? LookMs : -1);
        uint64_t count = 0;
        while (read(m_wake, &count, sizeof count) < 0 && errno == EINTR) {
        }
    }
}

}  // namespace platform
