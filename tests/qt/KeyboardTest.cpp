// Where the keyboard goes: a key press reaches one control once and its release only the control
// that took the press, however the focus moved meanwhile; Enter presses the focused button; Tab
// leaves a grid; Ctrl+Tab turns the pages; a dialog opens with the keyboard on its first control.

#include "InputEvents.h"
#include "QtFixture.h"

#include "toolkit/ComCtrls.h"
#include "toolkit/Grids.h"
#include "toolkit/ListView.h"
#include "toolkit/StdCtrls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

using namespace tk;

namespace {

using Lines = std::vector<std::string>;

class Keyboard : public QtFixture {
protected:
    Keyboard() { form = ShownForm(400, 300); }
    // The window goes before the log: a widget that hides with the focus would pass it on, and
    // the exit events that follow would write into a log that is gone.
    ~Keyboard() override
    {
        form->Hide();
        Turn();
    }

    // Writes down the key-downs and key-ups of the control as "NAME down 13", "NAME up 13".
    void LogKeys(TWinControl& control, const std::string& name)
    {
        control.OnKeyDown = [this, name](TObject*, uint16_t& key, TShiftState) {
            log.push_back(name + " down " + std::to_string(key));
        };
        control.OnKeyUp = [this, name](TObject*, uint16_t& key, TShiftState) {
            log.push_back(name + " up " + std::to_string(key));
        };
    }

    void LogClicks(TControl& control, const std::string& name)
    {
        control.OnClick = [this, name](TObject*) { log.push_back(name + " click"); };
    }

    // A key pressed and let go as the window system delivers them: each to the widget that has
    // the focus at that moment. A window that a message box left inactive is activated again, as
    // the window manager does when the box goes.
    static void TypeToFocus(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QPointer<QWidget> window;
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            if (!QApplication::focusWidget() && window) {
                window->activateWindow();
                Turn();
            }
            QWidget* focus = QApplication::focusWidget();
            if (!focus) {
                ADD_FAILURE() << "no widget has the focus for key " << key;
                return;
            }
            window = focus->window();
            SendKey(*focus, type, key, QString(), false, modifiers);
        }
        Turn();
    }

    static QWidget* Focus() { return QApplication::focusWidget(); }

    void Focus(TWinControl& control)
    {
        WidgetOf(control)->window()->activateWindow();
        control.SetFocus();
        Turn();
        ASSERT_NE(Focus(), nullptr);
    }

    // Runs `during` inside the modal loop of the next message box or modal form, once it is up.
    static void WhenModal(std::function<void()> during)
    {
        QTimer::singleShot(0, [during] {
            // The window shows at a flush, and the window system activates it after that.
            for (int turn = 0; turn < 10; ++turn) {
                QWidget* modal = QApplication::activeModalWidget();
                if (modal && QApplication::activeWindow() == modal)
                    break;
                Turn();
            }
            during();
        });
    }

    static QMessageBox* OpenBox() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }

    TForm* form;
    Lines log;
};

TEST_F(Keyboard, AKeyUpReachesOnlyTheControlThatTookItsKeyDown)
{
    auto* panel = Child<TPanel>(*form);
    panel->SetBounds(0, 0, 400, 300);
    auto* edit = Child<TEdit>(*form, panel);
    edit->SetBounds(10, 10, 100, 21);
    auto* combo = Child<TComboBox>(*form, panel);
    combo->SetBounds(10, 40, 100, 21);
    auto* grid = Child<TStringGrid>(*form, panel);
    grid->SetBounds(10, 70, 150, 80);
    auto* list = Child<TListView>(*form, panel);
    list->SetBounds(170, 10, 150, 140);
    auto* button = Child<TButton>(*form, panel);
    button->SetBounds(10, 160, 75, 25);
    auto* pages = Child<TPageControl>(*form, panel);
    pages->SetBounds(170, 160, 200, 120);
    auto* sheet = new TTabSheet(form);
    sheet->SetPageControl(pages);
    const std::vector<std::pair<TWinControl*, std::string>> controls = {
        {edit, "edit"}, {combo, "combo"}, {grid, "grid"}, {list, "list"}, {button, "button"}, {pages, "pages"}};
    for (const auto& [control, name] : controls)
        LogKeys(*control, name);
    LogKeys(*panel, "panel");
    LogKeys(*form, "form");
    Turn();

    for (const auto& [control, name] : controls) {
        Focus(*control);
        log.clear();
        SendKey(*Focus(), QEvent::KeyRelease, Qt::Key_Return, QString(), false);
        EXPECT_EQ(log, Lines{}) << "a key-up without its key-down reached a handler, the focus on " << name;
        TypeToFocus(Qt::Key_F5);
        EXPECT_EQ(log, (Lines{name + " down 116", name + " up 116"})) << "a key typed on " << name;
    }

    // Pressed on the edit, let go on the list: the list learns nothing of it.
    Focus(*edit);
    log.clear();
    SendKey(*Focus(), QEvent::KeyPress, Qt::Key_Return, QString(), false);
    Focus(*list);
    SendKey(*Focus(), QEvent::KeyRelease, Qt::Key_Return, QString(), false);
    EXPECT_EQ(log, (Lines{"edit down 13"}));

    // A held key whose press went elsewhere repeats its key-downs here, but its release is not ours.
    log.clear();
    SendKey(*Focus(), QEvent::KeyPress, Qt::Key_Down, QString(), true);
    SendKey(*Focus(), QEvent::KeyRelease, Qt::Key_Down, QString(), true);
    SendKey(*Focus(), QEvent::KeyPress, Qt::Key_Down, QString(), true);
    SendKey(*Focus(), QEvent::KeyRelease, Qt::Key_Down, QString(), false);
    EXPECT_EQ(log, (Lines{"list down 40", "list down 40"}));
}

// The list starts the selected file on the release of Enter; a file that cannot be started gives
// a message box. The box closes on the press of Enter, and the release comes to the list.
TEST_F(Keyboard, AMessageBoxThatAKeyUpOpensGivesNoSecondKeyUp)
{
    auto* panel = Child<TPanel>(*form);
    panel->SetBounds(0, 0, 300, 200);
    auto* list = Child<TListView>(*form, panel);
    list->SetBounds(10, 10, 200, 150);
    LogKeys(*panel, "panel");
    LogKeys(*form, "form");
    Turn();
    enum class Closing { EnterOnTheBox, ClickOnItsButton };
    for (Closing closing : {Closing::EnterOnTheBox, Closing::ClickOnItsButton}) {
        int boxes = 0;
        list->OnKeyUp = [&](TObject*, uint16_t& key, TShiftState) {
            log.push_back("list up " + std::to_string(key));
            // A second box would be the fault; it is counted, not opened.
            if (key != vk::Return || ++boxes > 1)
                return;
            QWidget* view = Focus();
            WhenModal([&, view] {
                QMessageBox* box = OpenBox();
                ASSERT_NE(box, nullptr);
                if (closing == Closing::ClickOnItsButton) {
                    box->button(QMessageBox::Ok)->click();
                    return;
                }
                SendKey(*box, QEvent::KeyPress, Qt::Key_Return, QString(), false);
                SendKey(*view, QEvent::KeyRelease, Qt::Key_Return, QString(), false);
            });
            application.MessageBox("cannot start", "Error", mbOk);
        };
        Focus(*list);
        log.clear();
        TypeToFocus(Qt::Key_Return);
        EXPECT_EQ(boxes, 1) << "closed by " << (closing == Closing::EnterOnTheBox ? "Enter" : "a click");
        EXPECT_EQ(log, (Lines{"list up 13"}));
    }
}

// The key-down handler opens a box, which a click closes. The key goes to no other control, not
// even the containers of the list; its release is dropped, as the window lost the keyboard to the
// box meanwhile and cannot tell this release from that of a press in the box.
TEST_F(Keyboard, AKeyDownThatOpensAMessageBoxReachesNoOtherControl)
{
    auto* panel = Child<TPanel>(*form);
    panel->SetBounds(0, 0, 300, 200);
    auto* list = Child<TListView>(*form, panel);
    list->SetBounds(10, 10, 200, 150);
    LogKeys(*list, "list");
    LogKeys(*panel, "panel");
    LogKeys(*form, "form");
    list->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) {
        log.push_back("list down " + std::to_string(key));
        WhenModal([] {
            ASSERT_NE(OpenBox(), nullptr);
            OpenBox()->button(QMessageBox::Ok)->click();
        });
        application.MessageBox("a notice", "Orvane", mbOk);
    };
    Turn();
    Focus(*list);
    log.clear();
    TypeToFocus(Qt::Key_Return);
    EXPECT_EQ(log, (Lines{"list down 13"}));
}

TEST_F(Keyboard, EnterPressesTheFocusedButtonAndElsewhereOnlyTheDefaultButton)
{
    auto* edit = Child<TEdit>(*form);
    edit->SetBounds(10, 10, 100, 21);
    auto* ok = Child<TButton>(*form);
    ok->SetBounds(10, 100, 75, 25);
    ok->SetDefault(true);
    auto* other = Child<TButton>(*form);
    other->SetBounds(100, 100, 75, 25);
    LogClicks(*ok, "ok");
    LogClicks(*other, "other");
    Turn();

    Focus(*other);
    TypeToFocus(Qt::Key_Return);
    EXPECT_EQ(log, (Lines{"other click"}));
    TypeToFocus(Qt::Key_Enter);
    EXPECT_EQ(log, (Lines{"other click", "other click"})) << "the keypad's Enter";
    log.clear();
    TypeToFocus(Qt::Key_Space);
    EXPECT_EQ(log, (Lines{"other click"})) << "Space presses the focused button once";

    log.clear();
    Focus(*edit);
    TypeToFocus(Qt::Key_Return);
    EXPECT_EQ(log, (Lines{"ok click"}));
    ok->SetDefault(false);
    log.clear();
    TypeToFocus(Qt::Key_Return);
    EXPECT_EQ(log, Lines{}) << "without a default button Enter in an edit presses nothing";
}

// The About box: its one button is the default and the cancel button and closes it. Enter on it
// closes the box, and the release of Enter comes to the list of the window below.
TEST_F(Keyboard, ADialogOpensWithTheKeyboardOnItsFirstControlAndEnterThatClosesItStartsNothingBelow)
{
    auto* list = Child<TListView>(*form);
    list->SetBounds(10, 10, 200, 150);
    LogKeys(*list, "list");
    Turn();
    Focus(*list);
    QWidget* view = Focus();

    auto dialog = application.NewForm<TForm>();
    dialog->SetClientWidth(240);
    dialog->SetClientHeight(130);
    auto* panel = Child<TPanel>(*dialog);
    panel->SetBounds(50, 8, 170, 70);
    auto* label = Child<TLabel>(*dialog, panel);
    label->SetCaption("Orvane");
    auto* button = Child<TButton>(*dialog);
    button->SetBounds(90, 96, 65, 25);
    button->SetDefault(true);
    button->SetCancel(true);
    button->SetModalResult(mrOk);
    LogClicks(*button, "button");
    WhenModal([&] {
        EXPECT_EQ(dialog->ActiveControl(), button);
        EXPECT_EQ(Focus(), WidgetOf(*button));
        SendKey(*WidgetOf(*button), QEvent::KeyPress, Qt::Key_Return, QString(), false);
        SendKey(*view, QEvent::KeyRelease, Qt::Key_Return, QString(), false);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    dialog.reset();
    Turn();
    EXPECT_EQ(log, (Lines{"button click"}));

    // The first control in tab order: a control's own children come before its next sibling, and
    // what cannot take the focus is passed over.
    auto second = application.NewForm<TForm>();
    auto* box = Child<TPanel>(*second);
    box->SetBounds(0, 0, 200, 100);
    auto* disabled = Child<TEdit>(*second, box);
    disabled->SetEnabled(false);
    auto* hidden = Child<TEdit>(*second, box);
    hidden->SetVisible(false);
    auto* first = Child<TEdit>(*second, box);
    first->SetBounds(10, 40, 100, 21);
    auto* later = Child<TButton>(*second);
    later->SetBounds(10, 110, 75, 25);
    WhenModal([&] {
        EXPECT_EQ(second->ActiveControl(), first);
        EXPECT_EQ(Focus(), WidgetOf(*first));
        second->SetModalResult(mrCancel);
    });
    second->ShowModal();
}

class GridKeys : public Keyboard {
protected:
    GridKeys()
    {
        before = Child<TEdit>(*form);
        before->SetBounds(10, 10, 100, 21);
        grid = Child<TStringGrid>(*form);
        grid->SetBounds(10, 40, 150, 90);
        grid->SetColCount(2);
        grid->SetRowCount(4);
        grid->SetFixedCols(1);
        grid->SetFixedRows(1);
        grid->SetEditing(true);
        after = Child<TButton>(*form);
        after->SetBounds(10, 140, 75, 25);
        grid->OnExit = [this](TObject*) { log.push_back("grid exit"); };
        Turn();
    }

    QTableView& Table() { return *WidgetOf<QTableView>(*grid); }

    // Opens the cell editor on the grid's cell and types the text into it.
    QLineEdit* Edit(int col, int row, const QString& text)
    {
        Focus(*grid);
        QModelIndex index = Table().model()->index(row - 1, col - 1);
        Table().setCurrentIndex(index);
        Table().edit(index);
        auto* editor = Table().viewport()->findChild<QLineEdit*>();
        if (editor) {
            editor->setText(text);
            editor->setFocus();
        }
        return editor;
    }

    TEdit* before;
    TStringGrid* grid;
    TButton* after;
};

TEST_F(GridKeys, TabAndShiftTabLeaveTheGridForTheNextAndPreviousControl)
{
    Focus(*grid);
    TypeToFocus(Qt::Key_Tab);
    EXPECT_EQ(Focus(), WidgetOf(*after));
    EXPECT_EQ(form->ActiveControl(), after);
    EXPECT_EQ(log, (Lines{"grid exit"}));
    TypeToFocus(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Focus(), &Table());
    EXPECT_EQ(form->ActiveControl(), grid);
    TypeToFocus(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Focus(), WidgetOf(*before));
    EXPECT_EQ(form->ActiveControl(), before);

    // From a cell editor, with its text kept.
    log.clear();
    ASSERT_NE(Edit(1, 2, QStringLiteral("jpg")), nullptr);
    TypeToFocus(Qt::Key_Tab);
    EXPECT_EQ(grid->Cell(1, 2), "jpg");
    EXPECT_EQ(Focus(), WidgetOf(*after));
    EXPECT_EQ(log, (Lines{"grid exit"}));
    ASSERT_NE(Edit(1, 3, QStringLiteral("gif")), nullptr);
    TypeToFocus(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid->Cell(1, 3), "gif");
    EXPECT_EQ(Focus(), WidgetOf(*before));
}

TEST_F(GridKeys, EnterInACellTakesItsTextAndPressesNoButton)
{
    after->SetModalResult(mrOk);
    LogClicks(*after, "after");
    ASSERT_NE(Edit(1, 1, QStringLiteral("txt")), nullptr);
    TypeToFocus(Qt::Key_Return);
    Turn();
    EXPECT_EQ(grid->Cell(1, 1), "txt");
    EXPECT_EQ(Focus(), &Table());
    TypeToFocus(Qt::Key_Return);
    EXPECT_EQ(log, Lines{});
}

class PageKeys : public Keyboard {
protected:
    PageKeys()
    {
        pages = Child<TPageControl>(*form);
        pages->SetBounds(10, 10, 300, 200);
        for (int i = 0; i < 3; ++i) {
            sheets[i] = new TTabSheet(form);
            sheets[i]->SetCaption("page " + std::to_string(i + 1));
            sheets[i]->SetPageControl(pages);
        }
        grid = Child<TStringGrid>(*form, sheets[0]);
        grid->SetBounds(8, 8, 150, 90);
        grid->SetColCount(2);
        grid->SetRowCount(4);
        grid->SetFixedCols(1);
        grid->SetFixedRows(1);
        grid->SetEditing(true);
        edit = Child<TEdit>(*form, sheets[1]);
        edit->SetBounds(8, 8, 100, 21);
        Child<TLabel>(*form, sheets[2])->SetCaption("nothing to focus");
        ok = Child<TButton>(*form);
        ok->SetBounds(10, 220, 75, 25);
        pages->OnChanging = [this](TObject*, bool& allow) {
            log.push_back("changing from " + std::to_string(pages->ActivePageIndex()));
            allow = allowChange;
        };
        pages->OnChange = [this](TObject*) { log.push_back("change to " + std::to_string(pages->ActivePageIndex())); };
        grid->OnExit = [this](TObject*) { log.push_back("grid exit"); };
        Turn();
    }

    QTabBar& Tabs() { return *WidgetOf(*pages)->findChild<QTabBar*>(); }

    void CtrlTab() { TypeToFocus(Qt::Key_Tab, Qt::ControlModifier); }
    void CtrlShiftTab() { TypeToFocus(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier); }

    TPageControl* pages;
    TTabSheet* sheets[3];
    TStringGrid* grid;
    TEdit* edit;
    TButton* ok;
    bool allowChange = true;
};

TEST_F(PageKeys, CtrlTabTurnsToTheNextPageAndCtrlShiftTabToThePreviousRoundTheEnds)
{
    Focus(*pages);
    EXPECT_EQ(Focus(), &Tabs()) << "the page control takes the focus on its tabs";
    CtrlTab();
    EXPECT_EQ(pages->ActivePageIndex(), 1);
    EXPECT_EQ(Tabs().currentIndex(), 1);
    EXPECT_EQ(log, (Lines{"changing from 0", "change to 1"}));
    CtrlTab();
    CtrlTab();
    EXPECT_EQ(pages->ActivePageIndex(), 0);
    CtrlShiftTab();
    EXPECT_EQ(pages->ActivePageIndex(), 2);
    EXPECT_EQ(Tabs().currentIndex(), 2);
    EXPECT_EQ(Focus(), &Tabs()) << "the focus stays on the tabs";

    allowChange = false;
    log.clear();
    CtrlTab();
    EXPECT_EQ(pages->ActivePageIndex(), 2) << "OnChanging refused";
    EXPECT_EQ(Tabs().currentIndex(), 2);
    EXPECT_EQ(log, (Lines{"changing from 2"}));
}

TEST_F(PageKeys, CtrlTabOnAPageTakesTheFocusToTheNewPagesFirstControl)
{
    Focus(*grid);
    ASSERT_EQ(Focus(), WidgetOf(*grid));
    CtrlTab();
    EXPECT_EQ(pages->ActivePageIndex(), 1);
    EXPECT_EQ(Focus(), WidgetOf(*edit));
    EXPECT_EQ(form->ActiveControl(), edit);
    EXPECT_EQ(log, (Lines{"changing from 0", "grid exit", "change to 1"}));
    // A page without a control that takes the focus leaves it on the tabs.
    CtrlTab();
    EXPECT_EQ(pages->ActivePageIndex(), 2);
    EXPECT_EQ(Focus(), &Tabs());
    EXPECT_EQ(form->ActiveControl(), pages);

    // From a cell editor, with its text kept; Ctrl+Shift+Tab goes back.
    CtrlTab();
    log.clear();
    Focus(*grid);
    QModelIndex index = WidgetOf<QTableView>(*grid)->model()->index(1, 0);
    WidgetOf<QTableView>(*grid)->setCurrentIndex(index);
    WidgetOf<QTableView>(*grid)->edit(index);
    auto* editor = WidgetOf(*grid)->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("png"));
    editor->setFocus();
    CtrlShiftTab();
    EXPECT_EQ(grid->Cell(1, 2), "png");
    EXPECT_EQ(pages->ActivePageIndex(), 2);
    EXPECT_EQ(Focus(), &Tabs());
}

}  // namespace
