// A control's peer may go while the user's input is on its way: a handler closes the dialog and
// frees it, or moves the control to another panel, which gives it a new peer. The old widget lives
// on until the next turn of the event loop and may go on reporting (a combo box reports a choice
// and then its text, a scroll bar its action and then its value); none of that may reach the
// control, nor the peer that went. Each kind of peer is tried here the same way: its first report
// moves the control, and the widget left behind reports once more.

#include "QtFixture.h"

#include "tests/FakeFolders.h"
#include "qt/DirectoryListPeer.h"
#include "qt/FormWidget.h"
#include "qt/ListViewWidget.h"
#include "qt/PageControlPeer.h"
#include "qt/RichEditPeer.h"
#include "qt/StringGridModel.h"
#include "qt/StringGridPeer.h"
#include "qt/UpDownPeer.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/FileCtrls.h"
#include "toolkit/Grids.h"
#include "toolkit/ListView.h"
#include "toolkit/RichEdit.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/StdCtrls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTextEdit>
#include <QToolButton>

#include <string>

using namespace tk;

namespace {

class PeerGone : public QtFixture {
protected:
    PeerGone()
    {
        application.SetFolders(&folders);
        form = ShownForm(400, 300);
        home = Child<TPanel>(*form);
        home->SetBounds(0, 0, 200, 300);
        elsewhere = Child<TPanel>(*form);
        elsewhere->SetBounds(200, 0, 200, 300);
    }

    template <class T>
    T* Made()
    {
        auto* control = Child<T>(*form, home);
        control->SetBounds(10, 10, 150, 100);
        return control;
    }

    // The handler of the control's input: counts it, and moves the control to the other panel.
    void Move(TControl& control)
    {
        ++inputs;
        control.SetParent(elsewhere);
    }

    // Reports input on the control's widget as the user would, a first time, which moves the
    // control and so takes its peer, and a second time from the widget left behind. Each report
    // gets its number, so that the two differ (another text, another row).
    template <class W, class Report>
    void ReportTwice(TControl& control, Report report)
    {
        Turn();
        QPointer<W> widget = WidgetOf<W>(control);
        ASSERT_TRUE(widget) << "the control has no widget of the kind expected";
        report(*widget, 1);
        ASSERT_EQ(inputs, 1) << "the first report did not reach the control";
        ASSERT_NE(WidgetOf(control), widget.data()) << "the control was not given a new widget";
        ASSERT_TRUE(widget) << "the widget left behind is gone before the next turn";
        report(*widget, 2);
        EXPECT_EQ(inputs, 1) << "the widget left behind reported to the control";
        Turn();
        EXPECT_FALSE(widget) << "the widget left behind outlived the turn";
    }

    testing_support::FakeFolders folders;
    TForm* form;
    TPanel* home;
    TPanel* elsewhere;
    int inputs = 0;
};

TEST_F(PeerGone, ButtonsAndCheckBoxesLeftBehindClickNoMore)
{
    auto* button = Made<TButton>();
    button->OnClick = [&](TObject*) { Move(*button); };
    ReportTwice<QPushButton>(*button, [](QPushButton& widget, int) { widget.click(); });

    inputs = 0;
    auto* box = Made<TCheckBox>();
    box->OnClick = [&](TObject*) { Move(*box); };
    ReportTwice<QCheckBox>(*box, [](QCheckBox& widget, int) { widget.click(); });
}

TEST_F(PeerGone, EditsLeftBehindTypeNoMore)
{
    auto* edit = Made<TEdit>();
    edit->OnChange = [&](TObject*) { Move(*edit); };
    ReportTwice<QLineEdit>(*edit, [](QLineEdit& widget, int n) { emit widget.textEdited(QString::number(n)); });

    inputs = 0;
    auto* richEdit = Made<TRichEdit>();
    richEdit->OnChange = [&](TObject*) { Move(*richEdit); };
    ReportTwice<qtui::RichEditWidget>(
        *richEdit, [](qtui::RichEditWidget& widget, int n) { widget.Editor()->setPlainText(QString::number(n)); });
}

TEST_F(PeerGone, ComboBoxesLeftBehindTypeAndChooseNoMore)
{
    auto* typed = Made<TComboBox>();
    typed->OnChange = [&](TObject*) { Move(*typed); };
    ReportTwice<QComboBox>(*typed,
                           [](QComboBox& widget, int n) { emit widget.lineEdit()->textEdited(QString::number(n)); });

    inputs = 0;
    auto* chosen = Made<TComboBox>();
    chosen->SetItems({"one", "two"});
    chosen->SetItemIndex(0);
    chosen->OnChange = [&](TObject*) { Move(*chosen); };
    ReportTwice<QComboBox>(*chosen, [](QComboBox& widget, int n) { emit widget.activated(n % 2); });

    inputs = 0;
    auto* drives = Made<TDriveComboBox>();
    drives->OnClick = [&](TObject*) { Move(*drives); };
    ReportTwice<QComboBox>(*drives, [](QComboBox& widget, int n) { emit widget.activated(n % 2); });
}

TEST_F(PeerGone, ScrollBarsAndArrowsLeftBehindMoveNothing)
{
    auto* bar = Made<TScrollBar>();
    bar->SetParams(0, 0, 100);
    bar->OnChange = [&](TObject*) { Move(*bar); };
    ReportTwice<QScrollBar>(*bar, [](QScrollBar& widget, int n) { widget.setValue(n * 10); });

    inputs = 0;
    auto* pageBar = Made<TScrollBar>();
    pageBar->SetParams(0, 0, 100);
    pageBar->OnChange = [&](TObject*) { Move(*pageBar); };
    ReportTwice<QScrollBar>(*pageBar,
                            [](QScrollBar& widget, int) { widget.triggerAction(QAbstractSlider::SliderPageStepAdd); });

    inputs = 0;
    auto* arrows = Made<TUpDown>();
    arrows->SetMax(10);
    arrows->OnClick = [&](TObject*) { Move(*arrows); };
    ReportTwice<qtui::UpDownWidget>(*arrows, [](qtui::UpDownWidget& widget, int) { widget.UpButton()->click(); });
}

TEST_F(PeerGone, ListsGridsAndTabsLeftBehindSelectNothing)
{
    auto* list = Made<TListView>();
    for (int i = 0; i < 3; ++i)
        list->Items().Add().SetCaption("row " + std::to_string(i));
    list->OnChange = [&](TObject*) { Move(*list); };
    ReportTwice<qtui::ListViewWidget>(*list, [](qtui::ListViewWidget& widget, int n) { widget.OnUserSelect(n); });

    inputs = 0;
    auto* folders = Made<TDirectoryListBox>();
    folders->OnChange = [&](TObject*) { Move(*folders); };
    // The lines below the current folder "C:\work": its subfolders.
    ReportTwice<qtui::FolderListWidget>(*folders, [](qtui::FolderListWidget& widget, int n) { widget.OnOpen(n + 1); });

    inputs = 0;
    auto* grid = Made<TStringGrid>();
    grid->SetEditing(true);
    grid->OnSetEditText = [&](TObject*) { Move(*grid); };
    ReportTwice<qtui::StringGridWidget>(*grid, [](qtui::StringGridWidget& widget, int n) {
        widget.Model()->OnUserEdit(1, 1, std::to_string(n));
    });

    inputs = 0;
    auto* pages = Made<TPageControl>();
    for (const char* caption : {"One", "Two", "Three"}) {
        auto* sheet = new TTabSheet(form);
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
    }
    pages->OnChange = [&](TObject*) { Move(*pages); };
    ReportTwice<qtui::PageControlWidget>(*pages,
                                         [](qtui::PageControlWidget& widget, int n) { widget.Tabs()->setCurrentIndex(n); });
}

// A form's peer goes with the form: its window, left until the next turn, reports a resize, a
// move, a close request and a scroll to nobody.
TEST_F(PeerGone, AWindowWhoseFormIsFreedReportsToNobody)
{
    auto dialog = application.NewForm<TForm>();
    int reports = 0;
    dialog->OnResize = [&](TObject*) { ++reports; };
    dialog->OnClose = [&](TObject*, TCloseAction& action) {
        ++reports;
        action = TCloseAction::caNone;
    };
    dialog->Show();
    Turn();
    QPointer<qtui::FormWidget> window = WidgetOf<qtui::FormWidget>(*dialog);
    ASSERT_TRUE(window);
    window->OnUserResize(320, 240);
    window->OnUserClose();
    ASSERT_EQ(reports, 2) << "the window's reports reach its form";

    dialog.reset();
    ASSERT_TRUE(window) << "the window lives until the next turn";
    window->OnUserResize(330, 250);
    window->OnUserMove(10, 20);
    window->OnUserClose();
    window->OnUserScroll(Qt::Vertical, 10);
    EXPECT_EQ(reports, 2) << "the freed form's handlers ran";
    Turn();
    EXPECT_FALSE(window);
}

}  // namespace
