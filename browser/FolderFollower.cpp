#include "browser/FolderFollower.h"

#include "app/ImageForm.h"
#include "app/Process.h"
#include "platform/Files.h"
#include "toolkit/Application.h"
#include "toolkit/ListView.h"
#include "toolkit/Timer.h"

#include <string>

namespace orvane {

FolderFollower::FolderFollower(Process& process) : m_process(process) {}

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
    m_timer = new tk::TTimer(&m_process.Application);
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
    if (!m_pending || !m_process.ImageForm)
        return;
    m_pending = false;
    m_waited = 0;
    Relist();
}

void FolderFollower::Relist()
{
    TImageForm& form = *m_process.ImageForm;
    tk::TListView& list = *form.ListView1;
    const tk::TListItem* selected = list.Selected();
    const std::string name = selected ? selected->Caption() : std::string();
    form.ListFolder();
    int index = -1;
    if (!name.empty())
        for (int row = 0; row < list.Items().Count(); ++row)
            if (list.Items()[row].Caption() == name) {
                index = row;
                break;
            }
    list.SetItemIndex(index);
}

}  // namespace orvane
