// The services of the back end: the modal loop, message boxes, timers and text metrics.

#include "QtFixture.h"

#include "qt/Convert.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/Timer.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

using namespace tk;

namespace {

using Services = QtFixture;

// Runs `action` on the open message box as soon as it is up.
void WhenMessageBoxOpens(std::function<void(QMessageBox&)> action)
{
    // The pending timer holds the poll; the poll itself holds only a weak reference to itself, so
    // that it goes once it has stopped asking again.
    auto poll = std::make_shared<std::function<void()>>();
    std::weak_ptr<std::function<void()>> self = poll;
    *poll = [action, self] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            action(*box);
            return;
        }
        QTimer::singleShot(10, [again = self.lock()] { (*again)(); });
    };
    QTimer::singleShot(0, [poll] { (*poll)(); });
}

TEST_F(Services, ModalFormRunsUntilItsResultIsSet)
{
    auto dialog = application.NewForm<TForm>();
    bool windowWasModal = false;
    QTimer::singleShot(20, [&] {
        windowWasModal = WidgetOf(*dialog) && WidgetOf(*dialog)->isModal() && WidgetOf(*dialog)->isVisible();
        dialog->SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(windowWasModal);
    Turn();
    EXPECT_FALSE(WidgetOf(*dialog)->isVisible());
}

TEST_F(Services, ModalFormEndsWithCancelWhenHiddenOrClosedByItsBox)
{
    auto dialog = application.NewForm<TForm>();
    QTimer::singleShot(10, [&] { dialog->Hide(); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);

    QTimer::singleShot(10, [&] { WidgetOf(*dialog)->close(); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST_F(Services, TimersFireInsideAModalLoop)
{
    auto dialog = application.NewForm<TForm>();
    auto* timer = new TTimer(dialog.get());
    timer->SetInterval(5);
    int fired = 0;
    timer->OnTimer = [&](TObject*) {
        if (++fired == 3) {
            timer->SetEnabled(false);
            dialog->SetModalResult(mrOk);
        }
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(fired, 3);
}

TEST_F(Services, TimerFreedInItsOwnEventStopsCleanly)
{
    auto* owner = new TPanel(&application);
    auto* timer = new TTimer(owner);
    timer->SetInterval(1);
    int fired = 0;
    timer->OnTimer = [&](TObject*) {
        ++fired;
        delete timer;
    };
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 50)
        Turn();
    EXPECT_EQ(fired, 1);
}

TEST_F(Services, MessageBoxShowsConvertedTextsAndReturnsTheButton)
{
    QString text;
    QString caption;
    bool hasQuestionIcon = false;
    WhenMessageBoxOpens([&](QMessageBox& box) {
        text = box.text();
        caption = box.windowTitle();
        hasQuestionIcon = box.icon() == QMessageBox::Question;
        box.button(QMessageBox::No)->click();
    });
    // "Delete?" in code page 932: the kanji of deleting and a full-width question mark.
    int result = application.MessageBox("\x8D\xED\x8F\x9C\x81\x48", "Orvane", mbYesNo | mbIconQuestion);
    EXPECT_EQ(result, mrNo);
    EXPECT_EQ(text, QString::fromUtf16(u"\u524A\u9664\uFF1F"));
    EXPECT_EQ(caption, QStringLiteral("Orvane"));
    EXPECT_TRUE(hasQuestionIcon);

    WhenMessageBoxOpens([](QMessageBox& box) { box.button(QMessageBox::Cancel)->click(); });
    EXPECT_EQ(application.MessageBox("x", "y", mbOkCancel), mrCancel);
    WhenMessageBoxOpens([](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); });
    EXPECT_EQ(application.MessageBox("x", "y", mbOk | mbIconError), mrOk);
}

TEST_F(Services, TextMetricsMeasureInTheMappedFont)
{
    TFont font;
    font.SetPixelHeight(12);
    int narrow = application.TextMetrics().TextWidth(font, "iii");
    int wide = application.TextMetrics().TextWidth(font, "WWW");
    // Two double-byte characters take about two em.
    int kanji = application.TextMetrics().TextWidth(font, "\x8F\xEE\x95\xF1");
    EXPECT_GT(wide, narrow) << "a proportional face";
    EXPECT_GE(kanji, 20);
    EXPECT_LE(kanji, 26);
    EXPECT_GE(application.TextMetrics().TextHeight(font), 12);
}

// Each font's metrics are made once and kept: a font that differs in any part (name, height,
// style) is measured in itself, however often another was measured before.
TEST_F(Services, TextMetricsKeepEachFontApart)
{
    ITextMetrics& metrics = application.TextMetrics();
    TFont small;
    small.SetPixelHeight(12);
    TFont large = small;
    large.SetPixelHeight(24);
    TFont bold = small;
    bold.SetStyle(fsBold);
    const std::string text = "Orvane WWW";
    const int smallWidth = metrics.TextWidth(small, text);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(metrics.TextWidth(small, text), smallWidth);
        EXPECT_EQ(metrics.TextWidth(large, text), QFontMetrics(qtui::ToQFont(large)).horizontalAdvance("Orvane WWW"));
        EXPECT_EQ(metrics.TextWidth(bold, text), QFontMetrics(qtui::ToQFont(bold)).horizontalAdvance("Orvane WWW"));
        EXPECT_EQ(metrics.TextHeight(large), QFontMetrics(qtui::ToQFont(large)).height());
    }
    EXPECT_GT(metrics.TextWidth(large, text), smallWidth);
}

// The program frees its forms after its event loop has ended; their widgets, left to a loop that
// never turns again, must still be deleted, or every run ends with the whole window leaked.
TEST_F(Services, WidgetsOfFormsFreedAfterTheLoopGoWithTheBackend)
{
    QPointer<QWidget> window, label;
    {
        qtui::QtBackend ownBackend;
        TApplication ownApplication;
        ownBackend.Install(ownApplication);
        TForm* form = nullptr;
        ownApplication.CreateForm(form);
        auto* caption = new TLabel(form);
        caption->SetParent(form);
        form->Show();
        Turn();
        window = WidgetOf(*form);
        label = WidgetOf(*caption);
        ASSERT_TRUE(window && label);
    }
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(label.isNull());
}

TEST_F(Services, QuitBeforeRunReturnsAtOnce)
{
    application.Terminate();
    application.Run();
    SUCCEED();
}

}  // namespace
