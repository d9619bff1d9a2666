#pragma once

// The Qt application of a test in a real window: the program's classic look, and the back end
// that gives the toolkit's components their widgets. One lives for the length of one test. With
// the helpers the window tests share: waiting while events run, and taking a window's picture.

#include "qt/ClassicLook.h"
#include "qt/QtBackend.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QScreen>
#include <QString>
#include <QWidget>

struct ScreenApplication {
    ScreenApplication() { qtui::ApplyClassicLook(qt); }

    static inline int argc = 1;
    static inline char name[] = "window_tests";
    static inline char* argv[] = {name, nullptr};
    QApplication qt{argc, argv};
    qtui::QtBackend backend;
};

// Runs the events for that long.
inline void Wait(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The window as the screen shows it once it has settled; kept as `name` in the folder that
// ORVANE_SCREENSHOTS names, when it names one.
inline QImage ShotOf(QWidget& window, const QString& name)
{
    Wait(400);
    QImage shot = window.screen()->grabWindow(window.winId()).toImage();
    QString folder = qEnvironmentVariable("ORVANE_SCREENSHOTS");
    if (!folder.isEmpty())
        shot.save(QDir(folder).filePath(name));
    return shot;
}
