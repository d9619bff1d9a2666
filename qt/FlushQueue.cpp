#include "qt/FlushQueue.h"

#include <QMetaObject>

#include <algorithm>

namespace qtui {

void FlushQueue::Enqueue(Flushable& target)
{
    if (Contains(target))
        return;
    m_targets.push_back(&target);
    Schedule();
}

void FlushQueue::Remove(Flushable& target)
{
    std::erase(m_targets, &target);
    if (m_flushing)
        std::replace(m_flushing->begin(), m_flushing->end(), &target, static_cast<Flushable*>(nullptr));
}

bool FlushQueue::Contains(const Flushable& target) const
{
    return std::find(m_targets.begin(), m_targets.end(), &target) != m_targets.end();
}

void FlushQueue::Schedule()
{
    if (m_scheduled)
        return;
    m_scheduled = true;
    QMetaObject::invokeMethod(&m_context, [this] { FlushNow(); }, Qt::QueuedConnection);
}

void FlushQueue::FlushNow()
{
    m_scheduled = false;
    if (m_flushing) {
        Schedule();
        return;
    }
    // A flush may show a window, whose events may run handlers that queue peers again; those
    // wait for the next turn.
    std::vector<Flushable*> targets;
    targets.swap(m_targets);
    m_flushing = &targets;
    for (Flushable*& target : targets)
        if (target)
            target->Flush();
    m_flushing = nullptr;
}

}  // namespace qtui
