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

FolderFollower::~FolderFollower()
{
    if (m_timer) {
        m_timer->SetEnabled(false);
        m_timer->OnTimer = nullptr;
    }
}

void FolderFollower::Start()
{
    if (m_timer)
        return;
    m_timer = new tk::TTimer(&m_process.Application);
    m_timer->SetInterval(IntervalMs);
    m_timer->OnTimer = [this](tk::TObject*) { Tick(); };
    m_watch.Watch(platform::CurrentHostFolder());
}

void FolderFollower::Tick()
{
    // The listing lists the current folder; a new one is watched from its first turn on.
    const std::string folder = platform::CurrentHostFolder();
    if (folder != m_watch.Folder()) {
        m_watch.Watch(folder);
        m_pending = false;
        m_waited = 0;
        return;
    }
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
    // The program's own writes in the folder (its settings files) come back as events too.
    m_watch.TakeChanges();
}

}  // namespace orvane
