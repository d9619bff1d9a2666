// Rich edits in a real window: a Japanese rich text document and a large plain text side by side,
// as the screen shows them. ORVANE_SCREENSHOT=FILE.png keeps the picture; ORVANE_LARGE_TEXT_MB=N
// makes the plain text N megabytes (2 otherwise).

#include "host/HostTextFiles.h"
#include "platform/Host.h"
#include "platform/Display.h"
#include "qt/PlainTextView.h"
#include "qt/RichEditPeer.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/RichEdit.h"

#include "tests/TempTree.h"
#include "tests/qt/ScreenApplication.h"
#include "tests/qt/Pixels.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// Numbered lines in code page 932 ("日本語の行"), every seventh one long.
std::string LargeText()
{
    const char* megabytes = std::getenv("ORVANE_LARGE_TEXT_MB");
    size_t size = size_t(megabytes ? std::atoi(megabytes) : 2) << 20;
    std::string text;
    for (int line = 1; text.size() < size; ++line)
        text += "Line " + std::to_string(line) + "\t\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x8d\x73 " +
                std::string(line % 7 == 0 ? 150 : 20, char('a' + line % 26)) + "\r\n";
    return text;
}

TEST(RichEditWindow, JapaneseRichTextAndALargePlainTextAreDrawn)
{
    std::string why;
    if (!platform::DisplayReachable(why))
        GTEST_SKIP() << why;
    ScreenApplication screen;

    TempTree tree;
    std::ifstream sample(std::string(ORVANE_TEST_DATA) + "/rtf/libreoffice-japanese.rtf", std::ios::binary);
    tree.Write("japanese.rtf", (std::stringstream() << sample.rdbuf()).str());
    tree.Write("large.txt", LargeText());
    platform::DriveMap drives;
    drives.Map('C', tree.Root());
    platform::Host host(drives);
    orvane::HostTextFiles files(host);

    QImage shot;
    {
        tk::TApplication application;
        screen.backend.Install(application);
        application.SetTextFiles(&files);
        tk::TForm* form = nullptr;
        application.CreateForm(form);
        form->SetClientWidth(900);
        form->SetClientHeight(420);
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
        qtui::RichEditWidget* faces = dynamic_cast<qtui::RichEditPeer&>(*plain->Peer()).Faces();
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 15000 && !(window->windowHandle() && window->windowHandle()->isExposed() &&
                                             faces->Viewer()->Paints() > 0 && waited.elapsed() > 500))
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        shot = window->screen()->grabWindow(window->winId()).toImage();
        EXPECT_FALSE(faces->EditorShown()) << "a read-only plain text goes to the viewer";
    }
    if (const char* file = std::getenv("ORVANE_SCREENSHOT"))
        shot.save(QString::fromLocal8Bit(file));

    ASSERT_EQ(shot.size(), QSize(900, 420));
    QRect left(4, 4, 420, 390), right(454, 4, 420, 390);
    EXPECT_GT(CountNear(shot, left, Qt::red), 30) << "the red words of the document";
    EXPECT_GT(CountNear(shot, left, Qt::blue), 30) << "the blue words of the document";
    EXPECT_GT(CountNear(shot, left, Qt::black), 500) << "its black text";
    EXPECT_GT(CountNear(shot, right, Qt::black), 2000) << "lines of the plain text";
    EXPECT_GT(CountNear(shot, right, Qt::white), 50000) << "on the window colour";
}

}  // namespace
