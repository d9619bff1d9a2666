// The peers of the dialog controls: what the model holds shows in the widgets, the user's typing,
// choosing, ticking, stepping and tab clicks enter the model, and what a handler made of them
// shows afterwards.

#include "InputEvents.h"
#include "QtFixture.h"

#include "qt/Convert.h"
#include "qt/PageControlPeer.h"
#include "qt/UpDownPeer.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/StdCtrls.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QToolButton>

#include <string>
#include <vector>

using namespace tk;

namespace {

// "hyouji suru" and "hyouji shinai" in code page 932, and the same in Unicode.
const std::string Show = "\x95\x5c\x8e\xa6\x82\xb7\x82\xe9";
const std::string DoNotShow = "\x95\x5c\x8e\xa6\x82\xb5\x82\xc8\x82\xa2";
const QString ShowText = QString::fromUtf16(u"\u8868\u793A\u3059\u308B");

class DialogCtrlsPeerTest : public QtFixture {
protected:
    DialogCtrlsPeerTest() { form = ShownForm(320, 285); }

    // Types the text into the focused line edit key by key, with a turn of the event loop after
    // each key, as the keyboard would.
    static void TypeText(QLineEdit& edit, const QString& text)
    {
        edit.setFocus();
        for (QChar c : text) {
            Type(edit, 0, QString(c));
            Turn();
        }
    }

    TForm* form;
    std::vector<std::string> log;
};

TEST_F(DialogCtrlsPeerTest, AnEditShowsTheModelsTextAndTheUsersTypingEntersIt)
{
    auto* edit = Child<TEdit>(*form);
    edit->SetBounds(10, 10, 100, 21);
    edit->SetText("C:\\work");
    // A handler that keeps the text in upper case.
    edit->OnChange = [&](TObject*) {
        std::string upper = edit->Text();
        for (char& c : upper)
            c = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
        log.push_back(edit->Text());
        edit->SetText(upper);
    };
    Turn();
    auto* line = WidgetOf<QLineEdit>(*edit);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), QStringLiteral("C:\\work"));
    EXPECT_FALSE(line->isReadOnly());
    line->clear();
    TypeText(*line, QStringLiteral("ab"));
    Turn();
    EXPECT_EQ(log, (std::vector<std::string>{"a", "A", "Ab", "AB"}));
    EXPECT_EQ(line->text(), QStringLiteral("AB")) << "the widget shows what the handler kept";

    line->clearFocus();
    edit->SetText("C:\\a very long folder name that the field cannot show whole");
    Turn();
    EXPECT_EQ(line->cursorPosition(), 0) << "a text the program sets shows from its start";

    edit->SetReadOnly(true);
    Turn();
    EXPECT_TRUE(line->isReadOnly());
    TypeText(*line, QStringLiteral("x"));
    EXPECT_EQ(edit->Text().substr(0, 4), "C:\\A") << "typing into a read-only edit changes nothing";
}

TEST_F(DialogCtrlsPeerTest, AComboBoxShowsItsItemsAndTakesTypedTextAndChoices)
{
    auto* combo = Child<TComboBox>(*form);
    combo->SetBounds(10, 10, 120, 20);
    combo->SetItems({DoNotShow, Show});
    combo->SetItemIndex(1);
    combo->OnChange = [&](TObject*) { log.push_back(combo->Text() + " " + std::to_string(combo->ItemIndex())); };
    Turn();
    auto* box = WidgetOf<QComboBox>(*combo);
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->count(), 2);
    EXPECT_TRUE(box->isEditable());
    EXPECT_EQ(box->itemText(1), ShowText);
    EXPECT_EQ(box->currentText(), ShowText);

    combo->SetItemIndex(9);
    Turn();
    EXPECT_EQ(box->currentText(), QString()) << "an index outside the items shows an empty box";
    TypeText(*box->lineEdit(), QStringLiteral("7"));
    Turn();
    emit box->activated(0);
    Turn();
    EXPECT_EQ(log, (std::vector<std::string>{"7 -1", DoNotShow + " 0"}));
    EXPECT_EQ(box->count(), 2) << "typed text adds no item";
    EXPECT_EQ(box->currentText(), qtui::ToQString(DoNotShow));
}

TEST_F(DialogCtrlsPeerTest, EscInAComboBoxFieldPressesTheCancelButton)
{
    auto* combo = Child<TComboBox>(*form);
    auto* cancel = Child<TButton>(*form);
    cancel->SetBounds(200, 250, 75, 25);
    cancel->SetCancel(true);
    cancel->OnClick = [&](TObject*) { log.push_back("cancel"); };
    Turn();
    QLineEdit& field = *WidgetOf<QComboBox>(*combo)->lineEdit();
    field.setFocus();
    Type(field, Qt::Key_Escape);
    EXPECT_EQ(log, (std::vector<std::string>{"cancel"}));
}

TEST_F(DialogCtrlsPeerTest, ACheckBoxShowsTheModelsStateAfterAHandlerChangedIt)
{
    auto* menuBar = Child<TCheckBox>(*form);
    menuBar->SetBounds(10, 10, 90, 17);
    menuBar->SetCaption("Menu");
    auto* infoBar = Child<TCheckBox>(*form);
    infoBar->SetBounds(10, 30, 90, 17);
    menuBar->SetChecked(true);
    infoBar->SetChecked(true);
    // Clearing the first clears the second.
    menuBar->OnClick = [&](TObject*) {
        if (!menuBar->Checked())
            infoBar->SetChecked(false);
    };
    Turn();
    auto* first = WidgetOf<QCheckBox>(*menuBar);
    auto* second = WidgetOf<QCheckBox>(*infoBar);
    EXPECT_EQ(first->text(), QStringLiteral("Menu"));
    EXPECT_TRUE(second->isChecked());
    first->click();
    Turn();
    EXPECT_FALSE(menuBar->Checked());
    EXPECT_FALSE(infoBar->Checked());
    EXPECT_FALSE(second->isChecked());
}

TEST_F(DialogCtrlsPeerTest, UpDownArrowsStepTheNumberInTheEdit)
{
    auto* edit = Child<TEdit>(*form);
    edit->SetBounds(10, 10, 49, 21);
    edit->SetReadOnly(true);
    auto* upDown = new TUpDown(form);
    upDown->SetMin(1);
    upDown->SetMax(1638);
    upDown->SetAssociate(edit);
    edit->SetText("1637");
    Turn();
    auto* arrows = WidgetOf<qtui::UpDownWidget>(*upDown);
    ASSERT_NE(arrows, nullptr);
    EXPECT_EQ(arrows->geometry(), QRect(59, 10, 16, 21));
    EXPECT_EQ(arrows->UpButton()->geometry(), QRect(0, 0, 16, 10));
    EXPECT_EQ(arrows->DownButton()->geometry(), QRect(0, 10, 16, 11));
    arrows->UpButton()->click();
    arrows->UpButton()->click();
    Turn();
    EXPECT_EQ(WidgetOf<QLineEdit>(*edit)->text(), QStringLiteral("1638"));
    arrows->DownButton()->click();
    Turn();
    EXPECT_EQ(WidgetOf<QLineEdit>(*edit)->text(), QStringLiteral("1637"));
}

TEST_F(DialogCtrlsPeerTest, TabsShowThePagesAndAClickOnATabAsksTheModel)
{
    auto* pages = Child<TPageControl>(*form);
    pages->SetBounds(8, 8, 307, 240);
    std::vector<TTabSheet*> sheets;
    for (const char* caption : {"One", "Two", "Three"}) {
        auto* sheet = new TTabSheet(form);
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
        sheets.push_back(sheet);
    }
    bool allow = true;
    pages->OnChanging = [&](TObject*, bool& allowChange) { allowChange = allow; };
    Turn();
    auto* widget = WidgetOf<qtui::PageControlWidget>(*pages);
    ASSERT_NE(widget, nullptr);
    QTabBar& tabs = *widget->Tabs();
    ASSERT_EQ(tabs.count(), 3);
    EXPECT_EQ(tabs.tabText(2), QStringLiteral("Three"));
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_EQ(WidgetOf(*sheets[0])->geometry(), QRect(4, 24, 299, 212));
    EXPECT_TRUE(WidgetOf(*sheets[0])->isVisible());
    EXPECT_FALSE(WidgetOf(*sheets[1])->isVisible());

    tabs.setCurrentIndex(2);
    Turn();
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_TRUE(WidgetOf(*sheets[2])->isVisible());
    EXPECT_FALSE(WidgetOf(*sheets[0])->isVisible());

    allow = false;
    tabs.setCurrentIndex(1);
    Turn();
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_EQ(tabs.currentIndex(), 2) << "a refused change puts the tab back";

    sheets[1]->SetCaption("Second");
    Turn();
    EXPECT_EQ(tabs.tabText(1), QStringLiteral("Second"));
}

}  // namespace

// A text with line breaks pasted into an edit (a folder name copied from a terminal with its line
// end) would carry them into the settings file: the edit keeps what stands before the first one,
// in the model and on screen.
TEST_F(DialogCtrlsPeerTest, APasteWithLineBreaksKeepsItsFirstLine)
{
    auto* edit = Child<TEdit>(*form);
    edit->SetBounds(10, 10, 100, 21);
    Turn();
    auto* line = WidgetOf<QLineEdit>(*edit);
    ASSERT_NE(line, nullptr);
    QGuiApplication::clipboard()->setText(QStringLiteral("C:\\cache\nnext line"));
    line->setFocus();
    line->paste();
    Turn();
    EXPECT_EQ(edit->Text(), "C:\\cache");
    EXPECT_EQ(line->text(), QStringLiteral("C:\\cache"));
}
