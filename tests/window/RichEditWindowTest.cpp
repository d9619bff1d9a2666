// Rich edits in a real window: a Japanese rich text document and a large plain text, side by side,
// as the screen shows them. With ORVANE_SCREENSHOT=FILE.png the test keeps the picture; with
// ORVANE_LARGE_TEXT_MB=N the plain text is N megabytes (2 otherwise).

#include "app/HostTextFiles.h"
#include "platform/DriveMap.h"
#include "platform/Host.h"
#include "qt/ClassicLook.h"
#include "qt/Display.h"
#include "qt/PlainTextView.h"
#include "qt/QtBackend.h"
#include "qt/RichEditPeer.h"
#include "qt/WidgetPeer.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/RichEdit.h"

#include "../platform/TempTree.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string Sample(const std::string& name)
{
    std::ifstream file(std::string(ORVANE_TEST_DATA) + "/rtf/" + name, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

// Numbered lines in code page 932, some Japanese, some long.
std::string LargeText()
{
    const char* megabytes = std::getenv("ORVANE_LARGE_TEXT_MB");
    size_t size = size_t(megabytes ? std::max(1, std::atoi(megabytes)) : 2) << 20;
    // "日本語の行" in code page 932.
    const std::string japanese = "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x8d\x73";
    std::string text;
    for (int line = 1; text.size() < size; ++line) {
        text += "Line " + std::to_string(line) + "\t" + japanese + " ";
        text += std::string(line % 7 == 0 ? 150 : 20, char('a' + line % 26));
        text += "\r\n";
    }
    return text;
}

int CountNear(const QImage& image, const QRect& area, QRgb colour)
{
    int count = 0;
    QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            QRgb pixel = image.pixel(x, y);
            count += std::abs(qRed(pixel) - qRed(colour)) < 60 && std::abs(qGreen(pixel) - qGreen(colour)) < 60 &&
                     std::abs(qBlue(pixel) - qBlue(colour)) < 60;
        }
    return count;
}

void WaitUntil(const std::function<bool()>& done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

TEST(RichEditWindow, JapaneseRichTextAndALargePlainTextAreDrawn)
{
    std::string why;
    if (!qtui::DisplayReachable(why))
        GTEST_SKIP() << why;
    static int argc = 1;
    static char name[] = "window_tests";
    static char* argv[] = {name, nullptr};
    QApplication qtApplication(argc, argv);
    qtui::ApplyClassicLook(qtApplication);
    qtui::QtBackend backend;

    TempTree tree;
    tree.Write("japanese.rtf", Sample("libreoffice-japanese.rtf"));
    tree.Write("large.txt", LargeText());
    platform::DriveMap drives;
    drives.Map('C', tree.Root());
    platform::Host host(drives);
    orvane::HostTextFiles files(host);

    QImage shot;
    {
        tk::TApplication application;
        backend.Install(application);
        application.SetTextFiles(&files);
        tk::TForm* form = nullptr;
        application.CreateForm(form);
        form->SetClientWidth(900);
        form->SetClientHeight(420);
        form->SetCaption("Orvane - rich edits");
        auto* rich = new tk::TRichEdit(form);
        auto* plain = new tk::TRichEdit(form);
        for (tk::TRichEdit* edit : {rich, plain}) {
            edit->SetParent(form);
            edit->SetReadOnly(true);
            edit->SetScrollBars(tk::TScrollStyle::ssBoth);
            edit->SetWordWrap(false);
        }
        rich->SetBounds(0, 0, 450, 420);
        plain->SetBounds(450, 0, 450, 420);
        form->Show();
        rich->Lines().LoadFromFile("C:\\japanese.rtf");
        plain->Lines().LoadFromFile("C:\\large.txt");

        QWidget* window = qtui::WidgetOf(*form);
        auto* peer = dynamic_cast<qtui::RichEditPeer*>(plain->Peer());
        ASSERT_NE(peer, nullptr);
        WaitUntil([&] { return window->windowHandle() && window->windowHandle()->isExposed() && peer->Faces()->Viewer()->Paints() > 0; }, 15000);
        WaitUntil([] { return false; }, 500);
        shot = window->screen()->grabWindow(window->winId()).toImage();
        EXPECT_FALSE(peer->Faces()->EditorShown()) << "a read-only plain text goes to the viewer";
        EXPECT_TRUE(dynamic_cast<qtui::RichEditPeer*>(rich->Peer())->Faces()->EditorShown());
    }
    if (const char* file = std::getenv("ORVANE_SCREENSHOT"))
        shot.save(QString::fromLocal8Bit(file));

    ASSERT_EQ(shot.size(), QSize(900, 420));
    QRect left(4, 4, 420, 390);
    QRect right(454, 4, 420, 390);
    EXPECT_GT(CountNear(shot, left, qRgb(255, 0, 0)), 30) << "the red words of the document";
    EXPECT_GT(CountNear(shot, left, qRgb(0, 0, 255)), 30) << "the blue words of the document";
    EXPECT_GT(CountNear(shot, left, qRgb(0, 0, 0)), 500) << "its black text";
    EXPECT_GT(CountNear(shot, right, qRgb(0, 0, 0)), 2000) << "lines of the plain text";
    EXPECT_GT(CountNear(shot, right, qRgb(255, 255, 255)), 50000) << "on the window colour";
}

}  // namespace
