#pragma once

// Peers do not touch their widgets while a handler changes the model: each change marks the peer
// dirty and queues it here, and the queue applies every dirty peer once, on the next turn of the
// event loop. A listing that rewrites thousands of rows so reaches its widget once.

#include <QObject>

#include <vector>

namespace qtui {

class Flushable {
public:
    virtual ~Flushable() = default;
    // Brings the widget up to the model's present state.
    virtual void Flush() = 0;
};

class FlushQueue {
public:
    FlushQueue() = default;
    FlushQueue(const FlushQueue&) = delete;
    FlushQueue& operator=(const FlushQueue&) = delete;

    // Queues the target for the next flush (once, however often it is called).
    void Enqueue(Flushable& target);
    // A target that is going away leaves the queue.
    void Remove(Flushable& target);
    bool Contains(const Flushable& target) const;
    // Flushes every queued target now, in the order they were queued.
    void FlushNow();

private:
    void Schedule();

    std::vector<Flushable*> m_targets;
    // The targets of the flush that runs now; one removed meanwhile is set to null.
    std::vector<Flushable*>* m_flushing = nullptr;
    bool m_scheduled = false;
    // Receives the queued call that runs the flush; deleting it drops a pending one.
    QObject m_context;
};

}  // namespace qtui
