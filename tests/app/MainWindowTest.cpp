// The whole program's main window in a real X display: it comes up at its declared client size
// with its caption, and what the display shows of it is drawn, title mark included.

#include "app/ImageForm.h"
#include "app/Process.h"
#include "platform/DriveMap.h"
#include "platform/Host.h"
#include "qt/Convert.h"
#include "platform/Display.h"
#include "qt/WidgetPeer.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

#include "tests/TempTree.h"
#include "tests/qt/ScreenApplication.h"
#include "tests/qt/Pixels.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QScreen>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>

#include <functional>
#include <memory>
#include <string>

namespace {

struct Sight {
    bool exposed = false;
    QString title;
    QSize clientSize;
    QImage shot;
};

// Waits until the main window is exposed, lets it paint, and takes what the screen shows of it;
// then closes it, which ends the program.
void WatchMainWindow(orvane::Process& process, Sight& sight)
{
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    auto exposedAt = std::make_shared<qint64>(-1);
    // The pending timer holds the poll, which refers to itself only weakly and so goes at the end.
    auto poll = std::make_shared<std::function<void()>>();
    std::weak_ptr<std::function<void()>> self = poll;
    *poll = [&process, &sight, started, exposedAt, self] {
        QWidget* window = process.ImageForm ? qtui::WidgetOf(*process.ImageForm) : nullptr;
        bool exposed = window && window->windowHandle() && window->windowHandle()->isExposed();
        if (exposed && *exposedAt < 0)
            *exposedAt = started->elapsed();
        if (exposed && started->elapsed() - *exposedAt >= 500) {
            sight.exposed = true;
            sight.title = window->windowTitle();
            sight.clientSize = window->size();
            sight.shot = window->screen()->grabWindow(window->winId()).toImage();
        }
        if (sight.exposed || started->elapsed() > 15000) {
            if (process.ImageForm)
                process.ImageForm->Close();
            return;
        }
        QTimer::singleShot(50, [again = self.lock()] { (*again)(); });
    };
    QTimer::singleShot(0, [poll] { (*poll)(); });
}

TEST(MainWindow, ComesUpAtItsClientSizeWithCaptionAndTitleMark)
{
    std::string why;
    if (!platform::DisplayReachable(why))
        GTEST_SKIP() << why;
    ScreenApplication screen;
    Sight sight;
    QString expectedTitle;
    // The program keeps its settings files and cache folder in the folder it starts in.
    TempTree tree("window");
    ASSERT_FALSE(tree.Root().empty());
    ASSERT_EQ(chdir(tree.Root().c_str()), 0);
    {
        tk::TApplication application;
        screen.backend.Install(application);
        platform::Host host(platform::DriveMap::Default());
        orvane::Process process(application, host);
        expectedTitle = QStringLiteral("Orvane - ") + qtui::ToQString(host.GetCurrentDirectory());
        WatchMainWindow(process, sight);
        orvane::RunProcess(process);
    }

    ASSERT_TRUE(sight.exposed) << "the main window never showed";
    EXPECT_EQ(sight.title.toStdString(), expectedTitle.toStdString());
    EXPECT_EQ(sight.clientSize, QSize(594, 336));
    ASSERT_EQ(sight.shot.size(), QSize(594, 336));

    QSet<QRgb> colours;
    for (int y = 0; y < sight.shot.height(); y += 2)
        for (int x = 0; x < sight.shot.width(); x += 2)
            colours.insert(sight.shot.pixel(x, y) & 0xFFFFFF);
    EXPECT_GE(colours.size(), 4) << "face, bevels, the mark and its text";
    EXPECT_GT(CountColour(sight.shot, QRect(440, 0, 90, 20), 0xC0C0C0), 1000) << "the classic button face of the top band";

    // The black title mark at the top right, with "Orvane" in fuchsia on it.
    QRect markArea(480, 0, 114, 50);
    EXPECT_GT(CountColour(sight.shot, markArea, 0x000000), 800);
    EXPECT_GT(CountColour(sight.shot, markArea, 0xFF00FF), 40);
}

}  // namespace
