#pragma once

// The Qt application of a test in a real window: the program's classic look, and the back end
// that gives the toolkit's components their widgets. One lives for the length of one test.

#include "qt/ClassicLook.h"
#include "qt/QtBackend.h"

#include <QApplication>

struct ScreenApplication {
    ScreenApplication() { qtui::ApplyClassicLook(qt); }

    static inline int argc = 1;
    static inline char name[] = "window_tests";
    static inline char* argv[] = {name, nullptr};
    QApplication qt{argc, argv};
    qtui::QtBackend backend;
};
