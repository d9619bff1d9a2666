// The settings dialog at work: it fills itself from the settings store each time it opens, keeps
// the combo boxes' choices in Cust_1 ... Cust_7, tidies the extension lists when the user leaves a
// grid, and on OK hands everything to the store's OK step. Its controls and working copies carry
// the names of the settings schema's rows (a working copy "D" and the name), so it walks the
// schema instead of naming each setting.

#include "app/CustDialog.h"
#include "app/Process.h"
#include "common/Numbers.h"
#include "dos/DosText.h"
#include "app/SerchDialog.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsText.h"
#include "toolkit/Application.h"

#include <algorithm>

namespace orvane {

using namespace tk;

namespace {

// The process-wide indexes of the combo boxes, in the order of the schema's choices.
int Process::* const ChoiceIndexes[] = {&Process::Cust_1, &Process::Cust_2, &Process::Cust_3, &Process::Cust_4,
                                        &Process::Cust_5, &Process::Cust_6, &Process::Cust_7};

// Rows a grid holds: those within its size and any beyond it that hold a cell.
int RowsHeld(const TStringGrid& grid)
{
    return std::max(grid.RowCount(), grid.StoredRowCount());
}

// One past the last user row (row 2 on) that holds any text; 2 when there is none.
int EndOfEntries(const TStringGrid& grid)
{
    int end = 2;
    for (int row = 2; row < RowsHeld(grid); ++row)
        if (!grid.Cell(0, row).empty() || !grid.Cell(1, row).empty())
            end = row + 1;
    return end;
}

void SetHeader(TStringGrid& grid)
{
    grid.SetCell(0, 0, ListStateHeader);
    grid.SetCell(1, 0, ListExtensionHeader);
}

// Rows 1 and on of one grid into the same rows of another, both columns.
void CopyRows(const TStringGrid& from, TStringGrid& to, int rowCount)
{
    for (int row = 1; row < rowCount; ++row) {
        to.SetCell(0, row, from.Cell(0, row));
        to.SetCell(1, row, from.Cell(1, row));
    }
}

// A list grid tidied as the user leaves it, from row 2 down to one row past the last: an empty
// extension empties its state, the list ends at the first row without either, and an entry gets
// its state and an upper-case extension. Rows below the end stay as they are. An extension that
// would read back from the settings file as a list's end ("@txt") is emptied like an empty one.
void NormaliseList(TStringGrid& grid)
{
    for (int row = 2; row <= grid.RowCount(); ++row) {
        if (IsListMarker(dos::AsciiUpper(grid.Cell(1, row))))
            grid.SetCell(1, row, "");
        if (grid.Cell(1, row).empty())
            grid.SetCell(0, row, "");
        if (grid.Cell(0, row).empty() && grid.Cell(1, row).empty())
            return;
        if (grid.Cell(0, row).empty())
            grid.SetCell(0, row, UserEntryState);
        grid.SetCell(1, row, dos::AsciiUpper(grid.Cell(1, row)));
    }
}

std::vector<TListEntry> ListEntries(const TStringGrid& grid)
{
    std::vector<TListEntry> entries;
    for (int row = 0; row < RowsHeld(grid); ++row)
        entries.push_back({grid.Cell(0, row), grid.Cell(1, row)});
    return entries;
}

}  // namespace

template <class Component>
Component* TCust::Named(const std::string& name) const
{
    for (TComponent* component : Components())
        if (component->Name() == name)
            if (auto* found = dynamic_cast<Component*>(component))
                return found;
    return nullptr;
}

// The working copy of a setting; every setting of the schema has one.
TLabel& TCust::WorkingCopy(const TSettingField& field) const
{
    return *Named<TLabel>(std::string("D") + field.name);
}

// The dialog and the OK step clamp the capture size with the desktop's size as it was when the
// dialog was made.
void TCust::FormCreate(TObject*)
{
    if (const TSettingsStore* store = m_process.Settings) {
        UpDown3->SetMax(store->Number(TSetting::CapW_Max));
        UpDown2->SetMax(store->Number(TSetting::CapH_Max));
    }
}

void TCust::FormShow(TObject*)
{
    SetClientWidth(PageControl1->Width() + PageControl1->Left() + 5);
    SetClientHeight(OkButton->Height() + OkButton->Top() + 6);
    CopyStoreToWorkingCopies();
    FillGrids();
    RestoreEditTexts();
    // An index outside a box's items (a hand-edited file) shows an empty box; its Cust_ value keeps
    // the stored number until the user chooses.
    for (const Choice& choice : Choices()) {
        int index = StrToNumber(choice.working->Caption());
        m_process.*choice.index = index;
        choice.box->SetItemIndex(index);
    }
    for (const TSettingField& field : SettingsSchema)
        if (field.control == TSettingControl::CheckBox)
            Named<TCheckBox>(field.name)->SetChecked(WorkingCopy(field).Caption() == "1");
}

std::vector<TCust::Choice> TCust::Choices() const
{
    std::vector<Choice> choices;
    for (const TSettingField& field : SettingsSchema)
        if (field.control == TSettingControl::ComboBox)
            choices.push_back({Named<TComboBox>(field.name), ChoiceIndexes[field.choice], &WorkingCopy(field)});
    return choices;
}

void TCust::CopyStoreToWorkingCopies()
{
    const TSettingsStore* store = m_process.Settings;
    if (!store)
        return;
    for (const TSettingField& field : SettingsSchema)
        WorkingCopy(field).SetCaption(store->Text(field.setting));
    const std::pair<const TStringGrid*, TStringGrid*> grids[] = {{&store->CapNames(), DCapNames},
                                                                 {&store->TextNames(), DTextNames}};
    for (const auto& [from, to] : grids) {
        SetHeader(*to);
        to->SetRowCount(RowsHeld(*from));
        CopyRows(*from, *to, RowsHeld(*from));
    }
}

// Every entry of the working copies is shown: a list holding more entries than the grid's
// designed rows gets the rows it needs and scrolls, so that no entry is kept out of sight and
// dropped by OK.
void TCust::FillGrids()
{
    const std::pair<TStringGrid*, TStringGrid*> grids[] = {{DCapNames, CapNames}, {DTextNames, TextNames}};
    for (const auto& [from, to] : grids) {
        SetHeader(*to);
        CopyRows(*from, *to, RowsHeld(*from));
        to->SetRowCount(std::max(to->RowCount(), EndOfEntries(*from)));
    }
}

void TCust::KeepEditTexts()
{
    for (const TSettingField& field : SettingsSchema)
        if (field.control == TSettingControl::Edit)
            WorkingCopy(field).SetCaption(Named<TEdit>(field.name)->Text());
}

void TCust::RestoreEditTexts()
{
    for (const TSettingField& field : SettingsSchema)
        if (field.control == TSettingControl::Edit)
            Named<TEdit>(field.name)->SetText(WorkingCopy(field).Caption());
}

// Only a text equal to one of the box's items, byte for byte, changes the choice.
void TCust::ChoiceChange(TComboBox* box)
{
    for (const Choice& choice : Choices()) {
        if (choice.box != box)
            continue;
        const std::vector<std::string>& items = box->Items();
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i] == box->Text())
                m_process.*choice.index = static_cast<int>(i);
    }
}

void TCust::CapGetColChange(TObject*)
{
    ChoiceChange(CapGetCol);
}

void TCust::CapMessageChange(TObject*)
{
    ChoiceChange(CapMessage);
}

void TCust::ETCtypeChange(TObject*)
{
    ChoiceChange(ETCtype);
}

void TCust::FileViewChange(TObject*)
{
    ChoiceChange(FileView);
}

void TCust::SortFileChange(TObject*)
{
    ChoiceChange(SortFile);
}

void TCust::ViewSetChange(TObject*)
{
    ChoiceChange(ViewSet);
}

void TCust::SeFileChange(TObject*)
{
    ChoiceChange(SeFile);
}

// The info bar sits below the menu bar: it cannot be shown without it.
void TCust::MenuBarClick(TObject*)
{
    if (!MenuBar->Checked())
        InfoBar->SetChecked(false);
}

void TCust::InfoBarClick(TObject*)
{
    if (InfoBar->Checked())
        MenuBar->SetChecked(true);
}

void TCust::CapNamesExit(TObject*)
{
    NormaliseList(*CapNames);
}

void TCust::TextNamesExit(TObject*)
{
    NormaliseList(*TextNames);
}

// The edits' texts pass through their working copies on a change of tab.
void TCust::PageControl1Changing(TObject*, bool&)
{
    KeepEditTexts();
}

void TCust::PageControl1Change(TObject*)
{
    RestoreEditTexts();
}

void TCust::SerchDirClick(TObject*)
{
    auto chooser = Application()->NewForm<TSerch>(this);
    chooser->ShowModal();
}

TSettingsValues TCust::Values() const
{
    TSettingsValues values;
    for (const TSettingField& field : SettingsSchema) {
        if (field.control == TSettingControl::Edit)
            values.*field.text = Named<TEdit>(field.name)->Text();
        if (field.control == TSettingControl::CheckBox)
            values.*field.flag = Named<TCheckBox>(field.name)->Checked();
        if (field.control == TSettingControl::ComboBox)
            values.choices[field.choice] = m_process.*ChoiceIndexes[field.choice];
    }
    values.capNames = ListEntries(*CapNames);
    values.textNames = ListEntries(*TextNames);
    values.capWMax = UpDown3->Max();
    values.capHMax = UpDown2->Max();
    values.cPath = DCPath->Caption();
    return values;
}

// A blank cache folder is no folder (the cache would be looked for at the drive's root): the
// edit gets the folder in use back, the user is told, and the dialog stays open for another look.
bool TCust::AcceptCacheFolder()
{
    if (!dos::IsBlank(CashDir->Text()))
        return true;
    const std::string previous = m_process.Settings ? m_process.Settings->Text(TSetting::CashDir) : DCashDir->Caption();
    CashDir->SetText(previous);
    Application()->MessageBox("ﾃﾞｨｽｸｷｬｯｼｭﾃﾞｨﾚｸﾄﾘが空です。\n元のﾌｫﾙﾀﾞ " + previous + " に戻しました。",
                              "Orvane　環境設定", mbOk | mbIconWarning);
    return false;
}

// Settings that could not be saved are neither stored nor applied, and the user is told so, with
// the file and the system's reason, instead of the dialog closing as if they had been saved.
void TCust::OkButtonClick(TObject*)
{
    if (!AcceptCacheFolder())
        return;
    TSettingsValues values = Values();
    std::string reason;
    if (m_process.Settings && !m_process.Settings->StoreSettings(values, &reason)) {
        Application()->MessageBox("設定ファイルに書き込めませんでした。\n" + SettingsFilePath(values.cPath, SettingsFileName) + "\n" + reason +
                                      "\n設定は変更されていません。",
                                  "Orvane　環境設定", mbOk | mbIconError);
    }
    // The dialog closes either way, as its OK always did; a failure is no longer silent.
    SetModalResult(mrOk);
}

}  // namespace orvane
