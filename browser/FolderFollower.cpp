#include "browser/FolderFollower.h"

#include "platform/Files.h"
#include "toolkit/Timer.h"

#include <string>

namespace orvane {

FolderFollower::FolderFollower(tk::TComponent& timerOwner) : m_timerOwner(timerOwner) {}

// The timer may already be gone with the application (the probe ends the application first);
// a tick after this finds no follower.
FolderFollower::~FolderFollower()
{
    *m_self = nullptr;
}

void FolderFollower::Start()
{
    if (m_timer)
        return;
    m_timer = new tk::TTimer(&m_timerOwner);
    m_timer->SetInterval(IntervalMs);
    m_timer->OnTimer = [self = std::weak_ptr<FolderFollower*>(m_self)](tk::TObject*) {
        if (std::shared_ptr<FolderFollower*> follower = self.lock(); follower && *follower)
            (*follower)->Tick();
    };
    WatchCurrentFolder();
}

void FolderFollower::WatchCurrentFolder()
{
    const std::string folder = platform::CurrentHostFolder();
    if (folder == m_watch.Folder())
        return;
    m_watch.Watch(folder);
    m_pending = false;
    m_waited = 0;
}

void FolderFollower::Tick()
{
    // The listing watches the folder it lists; this is for a current folder changed without one.
    WatchCurrentFolder();
    if (m_watch.TakeChanges()) {
        m_pending = true;
        if (++m_waited < LongestWait)
            return;
    }
    if (!m_pending || !OnChange)
        return;
    m_pending = false;
    m_waited = 0;
    OnChange();
}

}  // namespace orvane
