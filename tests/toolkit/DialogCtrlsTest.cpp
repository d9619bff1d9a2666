// The controls of the dialogs: edits, up-down controls bound to them, combo boxes that take typed
// text, check boxes, and page controls with their tab sheets.

#include "toolkit/Application.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/Form.h"
#include "toolkit/Grids.h"
#include "toolkit/Headless.h"
#include "toolkit/StdCtrls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tk;

namespace {

struct DialogForm {
    TApplication application;
    RecordingDialogs dialogs;
    TForm* form = nullptr;
    std::vector<std::string> events;

    DialogForm()
    {
        application.SetDialogs(&dialogs);
        application.CreateForm(form);
    }

    template <class T>
    T* Make(const char* name, TWinControl* parent = nullptr)
    {
        auto* control = new T(form);
        control->SetName(name);
        control->SetParent(parent ? parent : form);
        return control;
    }
    TNotifyEvent Note(const std::string& what)
    {
        return [this, what](TObject*) { events.push_back(what); };
    }
};

}  // namespace

TEST(Edit, EveryChangeOfTextRunsOnChangeAndAReadOnlyEditTakesNoTyping)
{
    DialogForm f;
    auto* edit = f.Make<TEdit>("Edit1");
    edit->OnChange = [&](TObject*) { f.events.push_back("change " + edit->Text()); };
    edit->SetText("10");
    edit->InputText("12");
    edit->InputText("12");
    EXPECT_EQ(f.events, (std::vector<std::string>{"change 10", "change 12"})) << "the same text again is no change";

    edit->SetReadOnly(true);
    edit->InputText("99");
    EXPECT_EQ(edit->Text(), "12");
    edit->SetText("13");
    EXPECT_EQ(edit->Text(), "13") << "the program still sets a read-only edit's text";
}

// A pasted text with line breaks would carry them into the settings file and shift its lines:
// every single-line field keeps what stands before the first break, CR, LF or CR LF.
TEST(SingleLineFields, APasteKeepsTheTextUpToTheFirstLineBreak)
{
    DialogForm f;
    auto* edit = f.Make<TEdit>("Edit1");
    auto* combo = f.Make<TComboBox>("Combo1");
    auto* grid = f.Make<TStringGrid>("Grid1");
    for (const char* pasted : {"ab\ncd", "ab\r\ncd", "ab\rcd", "ab\n"}) {
        edit->InputText(pasted);
        EXPECT_EQ(edit->Text(), "ab") << pasted;
        combo->InputText(pasted);
        EXPECT_EQ(combo->Text(), "ab") << pasted;
        grid->InputCell(1, 2, pasted);
        EXPECT_EQ(grid->Cell(1, 2), "ab") << pasted;
    }
    edit->InputText("\n表示");
    EXPECT_EQ(edit->Text(), "") << "a text that starts with a break leaves nothing";
    edit->InputText("表示\x81\x5C");
    EXPECT_EQ(edit->Text(), "表示\x81\x5C") << "a text without breaks stays whole";
}

TEST(UpDown, BoundToAnEditItWritesItsPositionThereAndReadsTheNumberBack)
{
    DialogForm f;
    auto* edit = f.Make<TEdit>("Edit1");
    edit->SetBounds(100, 8, 49, 21);
    auto* upDown = new TUpDown(f.form);
    upDown->SetMin(1);
    upDown->SetMax(1638);
    upDown->SetAssociate(edit);
    EXPECT_EQ(upDown->Parent(), f.form);
    EXPECT_EQ(upDown->BoundsRect(), Bounds(149, 8, 16, 21)) << "at the edit's right, in its height";
    EXPECT_EQ(edit->Text(), "1") << "the position is held within the range";

    edit->SetText("15");
    EXPECT_EQ(upDown->Position(), 15);
    upDown->InputStep(1);
    EXPECT_EQ(edit->Text(), "16") << "a step starts from the number the program put into the edit";

    edit->SetText("abc");
    EXPECT_EQ(upDown->Position(), 16) << "a text that is no number keeps the last position";
    upDown->InputStep(-1);
    EXPECT_EQ(edit->Text(), "15");
    edit->SetText("5000");
    upDown->InputStep(1);
    EXPECT_EQ(edit->Text(), "16") << "a number outside the range counts as none";

    edit->SetText("1638");
    upDown->InputStep(1);
    EXPECT_EQ(edit->Text(), "1638");
    upDown->InputPosition(-4);
    EXPECT_EQ(edit->Text(), "1");
    EXPECT_EQ(upDown->Position(), 1);
}

TEST(UpDown, ArrowKeysInTheEditStepItAndEachUserStepRunsOnClick)
{
    DialogForm f;
    auto* edit = f.Make<TEdit>("Edit1");
    edit->SetReadOnly(true);
    auto* upDown = new TUpDown(f.form);
    upDown->SetMax(10);
    upDown->SetAssociate(edit);
    upDown->OnClick = f.Note("click");
    EXPECT_EQ(edit->InputKeyDown(vk::Up, 0), 0) << "the up-down takes the key";
    EXPECT_EQ(edit->InputKeyDown(vk::Up, 0), 0);
    EXPECT_EQ(edit->InputKeyDown(vk::Down, 0), 0);
    EXPECT_EQ(edit->Text(), "1");
    EXPECT_EQ(edit->InputKeyDown(vk::Left, 0), vk::Left);
    upDown->InputStep(1);
    upDown->InputPosition(7);
    EXPECT_EQ(f.events, (std::vector<std::string>{"click", "click"}));
    EXPECT_EQ(edit->Text(), "7");
}

TEST(UpDown, EitherOfTheTwoMayBeFreedFirst)
{
    DialogForm f;
    auto* edit = f.Make<TEdit>("Edit1");
    auto* upDown = new TUpDown(f.form);
    upDown->SetAssociate(edit);
    delete edit;
    EXPECT_EQ(upDown->Associate(), nullptr);
    upDown->InputStep(1);
    EXPECT_EQ(upDown->Position(), 1);

    auto* other = f.Make<TEdit>("Edit2");
    upDown->SetAssociate(other);
    delete upDown;
    EXPECT_EQ(other->UpDown(), nullptr);
    EXPECT_EQ(other->InputKeyDown(vk::Up, 0), vk::Up) << "no up-down steps any more";
}

TEST(ComboBox, TheTextIsTheChosenItemAndAnIndexOutsideTheItemsShowsNothing)
{
    DialogForm f;
    auto* combo = f.Make<TComboBox>("Combo1");
    combo->SetItems({"昇　順", "降　順"});
    combo->OnChange = f.Note("change");
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Text(), "降　順");
    combo->SetItemIndex(7);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");
    combo->SetText("昇　順");
    EXPECT_EQ(combo->ItemIndex(), 0) << "a text equal to an item is that item";
    EXPECT_TRUE(f.events.empty()) << "the program's own changes run no event";
}

TEST(ComboBox, TypingAndChoosingRunOnChange)
{
    DialogForm f;
    auto* combo = f.Make<TComboBox>("Combo1");
    combo->SetItems({"表示しない", "表示する"});
    combo->OnChange = [&](TObject*) {
        f.events.push_back("change " + combo->Text() + " " + std::to_string(combo->ItemIndex()));
    };
    combo->InputText("表示");
    combo->InputText("表示する");
    combo->InputChoose(0);
    combo->InputChoose(0);
    combo->InputChoose(5);
    EXPECT_EQ(f.events, (std::vector<std::string>{"change 表示 -1", "change 表示する 1", "change 表示しない 0",
                                                  "change 表示しない 0"}))
        << "every pick from the list counts, an index past the items none";
}

TEST(CheckBox, AClickTogglesItAndEveryChangeOfStateRunsOnClick)
{
    DialogForm f;
    auto* box = f.Make<TCheckBox>("Check1");
    box->OnClick = [&](TObject*) { f.events.push_back(box->Checked() ? "on" : "off"); };
    box->InputClick();
    box->InputClick();
    box->SetChecked(true);
    box->SetChecked(true);
    EXPECT_EQ(f.events, (std::vector<std::string>{"on", "off", "on"}));
}

TEST(PageControl, OnlyTheActivePageShowsAndItLiesInsideTheFrame)
{
    DialogForm f;
    auto* pages = f.Make<TPageControl>("Pages");
    pages->SetBounds(8, 8, 307, 240);
    std::vector<TTabSheet*> sheets;
    for (const char* name : {"Sheet1", "Sheet2", "Sheet3"}) {
        auto* sheet = new TTabSheet(f.form);
        sheet->SetName(name);
        sheet->SetCaption(name);
        sheet->SetPageControl(pages);
        sheets.push_back(sheet);
    }
    auto* edit = f.Make<TEdit>("Edit1", sheets[1]);
    f.form->Show();
    EXPECT_EQ(pages->ActivePage(), sheets[0]) << "the first page comes up active";
    EXPECT_EQ(sheets[2]->PageIndex(), 2);
    EXPECT_EQ(sheets[0]->BoundsRect(), Bounds(4, 24, 299, 212));
    EXPECT_FALSE(edit->Showing());
    pages->SetActivePage(sheets[1]);
    EXPECT_TRUE(edit->Showing());
    EXPECT_FALSE(sheets[0]->Visible());

    pages->SetBounds(8, 8, 400, 300);
    EXPECT_EQ(sheets[2]->BoundsRect(), Bounds(4, 24, 392, 272));
}

TEST(PageControl, AUserChangeOfTabAsksOnChangingFirstWhichMayRefuseIt)
{
    DialogForm f;
    auto* pages = f.Make<TPageControl>("Pages");
    std::vector<TTabSheet*> sheets;
    for (int i = 0; i < 3; ++i) {
        sheets.push_back(new TTabSheet(f.form));
        sheets.back()->SetPageControl(pages);
    }
    bool allow = true;
    pages->OnChanging = [&](TObject*, bool& allowChange) {
        f.events.push_back("changing from " + std::to_string(pages->ActivePageIndex()));
        allowChange = allow;
    };
    pages->OnChange = [&](TObject*) { f.events.push_back("change to " + std::to_string(pages->ActivePageIndex())); };
    pages->InputChoose(2);
    pages->InputChoose(2);
    allow = false;
    pages->InputChoose(1);
    pages->SetActivePage(sheets[0]);
    EXPECT_EQ(f.events, (std::vector<std::string>{"changing from 0", "change to 2", "changing from 2"}))
        << "the tab already shown and the program's own choice run nothing";
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
}

TEST(PageControl, PagesAndTheControlMayBeFreedInEitherOrder)
{
    DialogForm f;
    auto* pages = f.Make<TPageControl>("Pages");
    auto* first = new TTabSheet(f.form);
    first->SetPageControl(pages);
    auto* second = new TTabSheet(f.form);
    second->SetPageControl(pages);
    delete first;
    EXPECT_EQ(pages->PageCount(), 1);
    EXPECT_EQ(pages->ActivePage(), second) << "the next page takes the place of the active one";
    EXPECT_TRUE(second->Visible());
    EXPECT_EQ(second->PageIndex(), 0);
    delete pages;
    EXPECT_EQ(second->PageControl(), nullptr);
    EXPECT_EQ(second->PageIndex(), -1);
}
