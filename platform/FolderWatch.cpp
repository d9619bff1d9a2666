#include "platform/FolderWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

namespace {

// An entry made, removed, renamed in or out, written to its end, or its time or mode changed;
// and the folder itself removed or renamed. A write in progress (IN_MODIFY) comes many times a
// second; its end is enough.
constexpr uint32_t Events = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE | IN_ATTRIB |
                            IN_DELETE_SELF | IN_MOVE_SELF;

}  // namespace

FolderWatch::FolderWatch() : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

FolderWatch::~FolderWatch()
{
    if (m_fd >= 0)
        close(m_fd);
}

bool FolderWatch::Watch(const std::string& hostFolder)
{
    if (m_fd < 0)
        return false;
    if (m_watch >= 0)
        inotify_rm_watch(m_fd, m_watch);
    // The events of the folder before are of no interest any more.
    TakeChanges();
    m_folder = hostFolder;
    m_watch = inotify_add_watch(m_fd, hostFolder.c_str(), Events | IN_ONLYDIR);
    return m_watch >= 0;
}

bool FolderWatch::TakeChanges()
{
    if (m_fd < 0)
        return false;
    bool changed = false;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        ssize_t length = read(m_fd, buffer, sizeof buffer);
        if (length < 0 && errno == EINTR)
            continue;
        if (length <= 0)
            break;
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            // An overflow of the queue lost events: the folder may have changed in any way.
            if (event->wd == m_watch || (event->mask & IN_Q_OVERFLOW))
                changed = true;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return changed;
}

}  // namespace platform
