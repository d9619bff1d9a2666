#pragma once

// Counting the paints of a Qt view, for benchmarks that time work up to what the user sees.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>

namespace bench {

// Counts the paint events of the widget it watches.
class PaintCounter : public QObject {
public:
    int paints = 0;

    // Runs the event loop until a paint after the `before`-th has come and `done` holds, or ten
    // seconds pass; false in that case.
    template <class Done>
    bool WaitForPaint(int before, const Done& done)
    {
        QElapsedTimer bound;
        bound.start();
        while (!(paints > before && done()) && bound.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return paints > before && done();
    }
    bool WaitForPaint(int before)
    {
        return WaitForPaint(before, [] { return true; });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

}  // namespace bench
