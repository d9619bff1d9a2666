// The settings dialog and its folder chooser in a real X display, opened from the running program
// as the user opens them: every tab is drawn with its Japanese texts in the program's font, and
// the chooser shows its folders. With ORVANE_SCREENSHOTS naming a folder, the shots are kept there.

#include "app/ImageForm.h"
#include "app/Process.h"
#include "platform/DriveMap.h"
#include "platform/Host.h"
#include "qt/Convert.h"
#include "platform/Display.h"
#include "qt/PageControlPeer.h"
#include "qt/StringGridPeer.h"
#include "qt/UpDownPeer.h"
#include "qt/WidgetPeer.h"
#include "app/CustDialog.h"
#include "app/SerchDialog.h"
#include "toolkit/Application.h"

#include "tests/TempTree.h"
#include "tests/qt/ScreenApplication.h"
#include "tests/qt/InputEvents.h"
#include "tests/qt/Pixels.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The window of the innermost modal form of the kind, once it is on the screen; null when none
// comes within the time.
template <class Form>
QWidget* OpenedWindow(tk::TApplication& application, Form*& form)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 15000) {
        form = application.ModalForms().empty() ? nullptr : dynamic_cast<Form*>(application.ModalForms().back());
        QWidget* window = form ? qtui::WidgetOf(*form) : nullptr;
        if (window && window->windowHandle() && window->windowHandle()->isExposed())
            return window;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return nullptr;
}

void Press(const tk::TControl& button)
{
    if (auto* widget = dynamic_cast<QAbstractButton*>(qtui::WidgetOf(button)))
        widget->click();
}

struct Sight {
    std::vector<QImage> tabs;
    QImage chooser;
    // Texts of the dialog that its font cannot draw, and the face it got.
    QStringList missing;
    QString family;
    QString chooserFolder;
    // Whether the capture list offers to scroll to its third entry.
    bool captureListScrolls = false;
};

// Every visible text of the dialog, checked glyph by glyph against the font of its widget.
void CheckTexts(orvane::TCust& dialog, Sight& sight)
{
    for (tk::TComponent* component : dialog.Components()) {
        auto* control = dynamic_cast<tk::TControl*>(component);
        QWidget* widget = control ? qtui::WidgetOf(*control) : nullptr;
        if (!widget || control->Parent() == dialog.Datas)
            continue;
        std::vector<std::string> texts = {control->Caption()};
        if (auto* combo = dynamic_cast<tk::TComboBox*>(control))
            texts = combo->Items();
        QFontMetrics metrics(widget->font());
        for (const std::string& text : texts)
            for (char32_t c : qtui::ToQString(text).toUcs4())
                if (c > 0x7F && !metrics.inFontUcs4(c))
                    sight.missing << qtui::ToQString(text);
    }
    sight.family = QFontInfo(qtui::WidgetOf(*dialog.Label1)->font()).family();
}

void LookAtChooser(tk::TApplication& application, Sight& sight)
{
    orvane::TSerch* chooser = nullptr;
    QWidget* window = OpenedWindow(application, chooser);
    if (!window)
        return;
    sight.chooser = ShotOf(*window, QStringLiteral("settings-chooser.png"));
    sight.chooserFolder = qtui::ToQString(chooser->DirectoryList->Directory());
    Press(*chooser->Cancel);
}

// Shows each tab in turn through the tab bar, as a click would, then the folder chooser from the
// cache tab; Cancel closes both. Each look starts on a timer set before its dialog opens, and so
// runs inside the dialog's modal loop.
void LookAtDialog(tk::TApplication& application, Sight& sight)
{
    orvane::TCust* dialog = nullptr;
    QWidget* window = OpenedWindow(application, dialog);
    if (!window)
        return;
    CheckTexts(*dialog, sight);
    if (auto* table = dynamic_cast<QAbstractScrollArea*>(qtui::WidgetOf(*dialog->CapNames)))
        sight.captureListScrolls = table->verticalScrollBar()->isVisible();
    auto* pages = dynamic_cast<qtui::PageControlWidget*>(qtui::WidgetOf(*dialog->PageControl1));
    for (int tab = 0; tab < 4; ++tab) {
        pages->Tabs()->setCurrentIndex(tab);
        sight.tabs.push_back(ShotOf(*window, QStringLiteral("settings-tab%1.png").arg(tab + 1)));
    }
    pages->Tabs()->setCurrentIndex(2);
    Wait(100);
    QTimer::singleShot(300, [&application, &sight] { LookAtChooser(application, sight); });
    Press(*dialog->SerchDir);
    Press(*dialog->CanButton);
}

// The program in a fresh start folder holding the settings file; `look` runs inside the settings
// dialog opened from the File menu's command, and `after` once the dialog has closed. The
// settings file's lines are given without their line ends; the cache lies in the start folder.
struct ProgramRun {
    std::vector<std::string> settings;
    std::function<void(tk::TApplication&)> look;
    std::function<void(orvane::TImageForm&)> after;
    // The settings file as the program left it.
    std::string written;

    void Run(ScreenApplication& screen)
    {
        TempTree tree("settings-window");
        const std::string& folder = tree.Root();
        ASSERT_FALSE(folder.empty());
        ASSERT_EQ(chdir(folder.c_str()), 0);
        std::string cache = "Z:" + folder + "/View";
        std::replace(cache.begin(), cache.end(), '/', '\\');
        {
            std::ofstream file(folder + "/TavoCust.cnf", std::ios::binary);
            for (const std::string& line : settings)
                file << (line == "CACHE" ? cache : line) << "\r\n";
        }
        {
            tk::TApplication application;
            screen.backend.Install(application);
            platform::Host host(platform::DriveMap::Default());
            orvane::Process process(application, host);
            QTimer::singleShot(0, [&] {
                Wait(300);
                QTimer::singleShot(300, [&] { look(application); });
                process.ImageForm->OptionClick(nullptr);
                if (after)
                    after(*process.ImageForm);
                process.ImageForm->Close();
            });
            orvane::RunProcess(process);
        }
        std::ifstream file(folder + "/TavoCust.cnf", std::ios::binary);
        written.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
};

std::vector<std::string> SettingsLines(std::vector<std::string> captures)
{
    std::vector<std::string> lines = {"10", "480", "600", "0", "0", "0", "1", "0", "1", "0", "1", "1"};
    lines.insert(lines.end(), captures.begin(), captures.end());
    lines.insert(lines.end(), {"@CAP", "@TXT", "CACHE", "10"});
    return lines;
}

TEST(SettingsDialogWindow, EveryTabAndTheFolderChooserAreDrawnWithTheirJapaneseTexts)
{
    std::string why;
    if (!platform::DisplayReachable(why))
        GTEST_SKIP() << why;
    ScreenApplication screen;
    Sight sight;
    ProgramRun run;
    // Three capture entries, one more than the capture list's rows show.
    run.settings = SettingsLines({"DOC", "PPT", "PDF"});
    run.look = [&sight](tk::TApplication& application) { LookAtDialog(application, sight); };
    run.Run(screen);

    ASSERT_EQ(sight.tabs.size(), 4u) << "the dialog never showed";
    EXPECT_TRUE(sight.missing.isEmpty()) << "texts the font lacks: " << sight.missing.join(u' ').toStdString();
    EXPECT_EQ(sight.family.toStdString(), "IPAPGothic");
    EXPECT_TRUE(sight.captureListScrolls) << "the third capture entry lies below the grid's rows";
    for (size_t tab = 0; tab < sight.tabs.size(); ++tab) {
        const QImage& shot = sight.tabs[tab];
        SCOPED_TRACE("tab " + std::to_string(tab + 1));
        ASSERT_EQ(shot.size(), QSize(320, 285));
        EXPECT_GT(CountDark(shot, QRect(10, 8, 300, 20)), 150) << "the four tab captions";
        EXPECT_GT(CountDark(shot, QRect(14, 34, 140, 150)), 150) << "the labels of the page";
        EXPECT_GT(CountDark(shot, QRect(160, 254, 155, 25)), 60) << "the OK and Cancel buttons";
        EXPECT_GT(CountColour(shot, QRect(14, 34, 290, 200), 0xFFFFFF), 1500) << "white fields and edge";
        for (size_t other = 0; other < tab; ++other)
            EXPECT_NE(shot.copy(12, 32, 299, 212), sight.tabs[other].copy(12, 32, 299, 212))
                << "tab " << tab + 1 << " shows its own page, not that of tab " << other + 1;
    }
    ASSERT_EQ(sight.chooser.size(), QSize(208, 248)) << "the folder chooser never showed";
    EXPECT_GT(CountDark(sight.chooser, QRect(18, 18, 170, 160)), 40) << "the folder lines";
    EXPECT_GT(CountColour(sight.chooser, QRect(18, 18, 170, 160), 0xFFFFFF), 10000) << "on the window colour";
    EXPECT_FALSE(sight.chooserFolder.isEmpty());
}


// The user's own input through the widgets: a cell typed into the capture list and left by
// clicking into an edit, a width typed, the waiting time stepped, a viewer chosen from its list and
// the menu bar cleared; OK saves all of it and the main window takes it at once.
struct Changes {
    QString cellAfterLeaving;
    QString stateAfterLeaving;
    bool infoBarCleared = false;
    bool rightViewShown = false;
    int bandHeight = -1;
};

void ChangeSettings(tk::TApplication& application, Changes& changes)
{
    orvane::TCust* dialog = nullptr;
    if (!OpenedWindow(application, dialog))
        return;
    auto* table = dynamic_cast<qtui::StringGridWidget*>(qtui::WidgetOf(*dialog->CapNames));
    table->setFocus();
    QModelIndex cell = table->model()->index(1, 0);  // grid row 2, the extension column
    table->setCurrentIndex(cell);
    table->edit(cell);
    Wait(50);
    auto* editor = table->viewport()->findChild<QLineEdit*>();
    if (editor)
        editor->setText(QStringLiteral("jpg"));
    auto* width = dynamic_cast<QLineEdit*>(qtui::WidgetOf(*dialog->CapW));
    width->setFocus(Qt::MouseFocusReason);
    Wait(100);
    changes.cellAfterLeaving = table->model()->index(1, 0).data().toString();
    changes.stateAfterLeaving = table->model()->headerData(1, Qt::Vertical).toString();
    width->selectAll();
    for (QChar c : QStringLiteral("777")) {
        Type(*width, 0, QString(c));
        Wait(20);
    }
    auto* arrows = dynamic_cast<qtui::UpDownWidget*>(qtui::WidgetOf(*dialog->UpDown1));
    arrows->UpButton()->click();
    arrows->UpButton()->click();

    dynamic_cast<qtui::PageControlWidget*>(qtui::WidgetOf(*dialog->PageControl1))->Tabs()->setCurrentIndex(3);
    Wait(100);
    auto* viewer = dynamic_cast<QComboBox*>(qtui::WidgetOf(*dialog->ViewSet));
    viewer->setCurrentIndex(2);
    emit viewer->activated(2);
    Press(*dialog->MenuBar);
    Wait(100);
    changes.infoBarCleared = !dynamic_cast<QAbstractButton*>(qtui::WidgetOf(*dialog->InfoBar))->isChecked();
    Press(*dialog->OkButton);
}

TEST(SettingsDialogWindow, WhatTheUserChangesIsSavedAndAppliedOnOk)
{
    std::string why;
    if (!platform::DisplayReachable(why))
        GTEST_SKIP() << why;
    ScreenApplication screen;
    Changes changes;
    ProgramRun run;
    run.settings = SettingsLines({});
    run.look = [&changes](tk::TApplication& application) { ChangeSettings(application, changes); };
    run.after = [&changes](orvane::TImageForm& form) {
        changes.rightViewShown = form.Image3->Visible();
        changes.bandHeight = form.UpDoor->Top();
    };
    run.Run(screen);

    EXPECT_EQ(changes.cellAfterLeaving.toStdString(), "JPG") << "leaving the grid upper-cased the entry";
    EXPECT_EQ(changes.stateAfterLeaving, QString::fromUtf16(u"\uFF95\uFF70\uFF7B\uFF9E\uFF70\u6E08"));
    EXPECT_TRUE(changes.infoBarCleared) << "the info bar goes with the menu bar";
    EXPECT_EQ(run.written, "12\r\n480\r\n777\r\n0\r\n0\r\n0\r\n1\r\n0\r\n2\r\n0\r\n0\r\n0\r\nJPG\r\n@CAP\r\n@TXT\r\n" +
                               run.written.substr(run.written.find("@TXT\r\n") + 6));
    EXPECT_TRUE(changes.rightViewShown) << "the viewer moved right of the list at once";
    EXPECT_EQ(changes.bandHeight, 0) << "no menu bar, no info bar";
}

}  // namespace
