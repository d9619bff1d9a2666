// Sound and video and the detached viewer in real windows: a video shown in the pane below the
// list fills the pane with its pictures while it plays and keeps its last one at its end, a
// small picture shown next lies on the pane's bare background, and a picture of 1000 x 800 in the
// detached window is panned all the way by the window's scroll bars while their thumbs are
// dragged.

#include "app/ImageForm.h"
#include "app/Process.h"
#include "platform/DriveMap.h"
#include "platform/Host.h"
#include "platform/Display.h"
#include "qt/FormWidget.h"
#include "qt/WidgetPeer.h"
#include "toolkit/Application.h"
#include "app/View.h"

#include "tests/TempTree.h"
#include "tests/qt/ScreenApplication.h"
#include "tests/qt/Pixels.h"

#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QScrollBar>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace {

struct Sight {
    bool played = false;
    tk::TMPModes modeWhilePlaying = tk::TMPModes::mpClosed;
    QImage video;
    tk::TMPModes modeAtEnd = tk::TMPModes::mpClosed;
    QImage videoAtEnd;
    QImage afterVideo;
    QSize paneSize;
    QImage pictureAtStart;
    QImage pictureDragged;
    bool tracking = false;
};

void SelectAndClick(tk::TListView& list, const std::string& caption)
{
    for (int row = 0; row < list.Items().Count(); ++row)
        if (list.Items()[row].Caption() == caption) {
            list.InputSelect(row);
            list.InputClick();
            return;
        }
    ADD_FAILURE() << caption << " is not listed";
}

// Runs the steps one after another on the program's event loop, each after the wait it asks
// for, then closes the main window, which ends the program.
void RunSteps(orvane::Process& process, std::vector<std::pair<int, std::function<void()>>> steps)
{
    // The pending timer holds the chain, which refers to itself only weakly and so goes at the end.
    auto queue = std::make_shared<decltype(steps)>(std::move(steps));
    auto next = std::make_shared<std::function<void(size_t)>>();
    std::weak_ptr<std::function<void(size_t)>> self = next;
    *next = [&process, queue, self](size_t index) {
        if (index == queue->size()) {
            process.ImageForm->Close();
            return;
        }
        QTimer::singleShot((*queue)[index].first, [queue, next = self.lock(), index] {
            (*queue)[index].second();
            (*next)(index + 1);
        });
    };
    (*next)(0);
}

}  // namespace

TEST(MediaWindow, AVideoFillsThePaneAndALargePictureIsPannedInTheDetachedWindow)
{
    std::string why;
    if (!platform::DisplayReachable(why))
        GTEST_SKIP() << why;
    // The application first: a display that goes away aborts the process, and the folder is not
    // made yet.
    ScreenApplication screen;
    TempTree tree("media-window");
    const std::string& folder = tree.Root();
    ASSERT_FALSE(folder.empty());
    std::filesystem::copy_file(ORVANE_TEST_DATA "/media/clip.avi", tree / "clip.avi");
    ASSERT_EQ(chdir(folder.c_str()), 0);
    // Green grows to the right and blue downwards, so a pixel tells which part of it shows.
    QImage big(1000, 800, QImage::Format_RGB32);
    for (int y = 0; y < 800; ++y)
        for (int x = 0; x < 1000; ++x)
            big.setPixel(x, y, qRgb(0, x * 255 / 999, y * 255 / 799));
    ASSERT_TRUE(big.save(QString::fromStdString(folder) + "/big.bmp", "BMP"));
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(qRgb(255, 255, 255));
    ASSERT_TRUE(small.save(QString::fromStdString(folder) + "/small.bmp", "BMP"));

    Sight sight;
    {
        tk::TApplication application;
        screen.backend.Install(application);
        platform::DriveMap drives;
        drives.Map('C', folder);
        drives.Map('Z', "/");
        platform::Host host(drives);
        orvane::Process process(application, host);
        RunSteps(process,
                 {{500, [&] { SelectAndClick(*process.ImageForm->ListView1, "clip.avi"); }},
                  {600,
                   [&] {
                       sight.modeWhilePlaying = process.ImageForm->UnderMediaPlay->Mode();
                       QWidget* pane = qtui::WidgetOf(*process.ImageForm->UnderView);
                       sight.paneSize = pane->size();
                       sight.video = pane->grab().toImage();
                   }},
                  {900,
                   [&] {
                       sight.modeAtEnd = process.ImageForm->UnderMediaPlay->Mode();
                       sight.videoAtEnd = qtui::WidgetOf(*process.ImageForm->UnderView)->grab().toImage();
                       SelectAndClick(*process.ImageForm->ListView1, "small.bmp");
                   }},
                  {400, [&] { sight.afterVideo = qtui::WidgetOf(*process.ImageForm->UnderView)->grab().toImage(); }},
                  {0,
                   [&] {
                       process.ImageForm->ShowSeparateView();
                       SelectAndClick(*process.ImageForm->ListView1, "big.bmp");
                   }},
                  {500,
                   [&] {
                       auto* window = dynamic_cast<qtui::FormWidget*>(qtui::WidgetOf(*process.view));
                       ASSERT_NE(window, nullptr);
                       sight.pictureAtStart = window->grab().toImage();
                       QScrollBar* bars[] = {window->HorzScrollBar(), window->VertScrollBar()};
                       for (QScrollBar* bar : bars) {
                           sight.tracking = bar->isVisible() && bar->hasTracking();
                           bar->setSliderDown(true);
                           bar->setSliderPosition(bar->maximum());
                       }
                       // Still held down: the picture moves during the drag.
                       sight.pictureDragged = window->grab().toImage();
                       for (QScrollBar* bar : bars)
                           bar->setSliderDown(false);
                   }}});
        orvane::RunProcess(process);
    }

    EXPECT_EQ(sight.modeWhilePlaying, tk::TMPModes::mpPlaying);
    ASSERT_FALSE(sight.video.isNull());
    // The test picture's colour bars, scaled to the pane's height: many colours over most of it.
    QSet<QRgb> colours;
    for (int y = 40; y < sight.video.height() - 4; y += 3)
        for (int x = 4; x < sight.video.width() - 4; x += 3)
            colours.insert(sight.video.pixel(x, y) & 0xFFFFFF);
    EXPECT_GE(colours.size(), 6) << "the video's pictures are drawn in the pane";
    // Scaled to the pane's height with its proportions (4:3) kept, centred between black bars.
    const int row = sight.video.height() / 2;
    int left = 2, right = sight.video.width() - 3;  // inside the bevel
    while (left < right && (sight.video.pixel(left, row) & 0xFFFFFF) == 0)
        ++left;
    while (right > left && (sight.video.pixel(right, row) & 0xFFFFFF) == 0)
        --right;
    const int inner = sight.paneSize.height() - 2;
    EXPECT_NEAR(right - left + 1, inner * 4 / 3, 4) << "scaled to fit the pane";
    EXPECT_NEAR(left + (right - left + 1) / 2, sight.paneSize.width() / 2, 4) << "centred";

    // A video at its end keeps its last picture; a picture shown after it lies on the pane's own
    // background, with nothing of the video left around it.
    EXPECT_EQ(sight.modeAtEnd, tk::TMPModes::mpStopped) << "the video of one second has ended";
    auto coloursOutsideTheCorner = [](const QImage& shot) {
        QSet<QRgb> found;
        for (int y = 24; y < shot.height() - 4; y += 2)
            for (int x = 24; x < shot.width() - 4; x += 2)
                found.insert(shot.pixel(x, y) & 0xFFFFFF);
        return found.size();
    };
    ASSERT_FALSE(sight.videoAtEnd.isNull());
    EXPECT_GE(coloursOutsideTheCorner(sight.videoAtEnd), 6) << "the last picture stays";
    ASSERT_FALSE(sight.afterVideo.isNull());
    EXPECT_EQ(coloursOutsideTheCorner(sight.afterVideo), 1) << "only the pane's background around the picture";

    EXPECT_TRUE(sight.tracking);
    ASSERT_FALSE(sight.pictureAtStart.isNull());
    ASSERT_FALSE(sight.pictureDragged.isNull());
    QRgb start = sight.pictureAtStart.pixel(100, 100);
    QRgb dragged = sight.pictureDragged.pixel(sight.pictureDragged.width() - 40, sight.pictureDragged.height() - 40);
    EXPECT_LT(qGreen(start), 60);
    EXPECT_LT(qBlue(start), 60);
    EXPECT_GT(qGreen(dragged), 180) << "the right part of the picture shows";
    EXPECT_GT(qBlue(dragged), 180) << "the bottom part of the picture shows";
}
