// Commands on controls that hold rows, items or texts. A command on a control of another kind
// names the kind it needs.

#include "platform/CodePage.h"
#include "probe/Arguments.h"
#include "probe/Probe.h"
#include "probe/Names.h"
#include "probe/Session.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/FileCtrls.h"
#include "toolkit/Grids.h"
#include "toolkit/ListView.h"

namespace probe {

namespace {
[[noreturn]] void NotA(Probe& probe, const Words& words, const char* kind)
{
    ComponentArgument(probe, words, 1);
    throw ProbeError(words[0] + ": " + words[1] + " is not " + kind);
}

// The row a script names: "#N" counts from 0, "none" is no row, anything else is a caption.
int RowArgument(const tk::TListView& list, const Words& words, size_t index)
{
    const std::string& row = words[index];
    if (row == "none")
        return -1;
    if (row.size() > 1 && row[0] == '#') {
        int number = IntegerArgument({"", row.substr(1)}, 1, "ROW");
        if (number < 0 || number >= list.Items().Count())
            throw ProbeError(words[0] + ": " + words[1] + " has no row " + row);
        return number;
    }
    std::string caption = platform::Utf8ToCp932(row);
    for (int i = 0; i < list.Items().Count(); ++i)
        if (list.Items()[i].Caption() == caption)
            return i;
    throw ProbeError(words[0] + ": " + words[1] + " has no row " + row);
}
// An item a script names: "#N" counts from 0, anything else is the item's text.
int ItemArgument(const std::vector<std::string>& items, const Words& words, size_t index)
{
    const std::string& item = words[index];
    if (item.size() > 1 && item[0] == '#') {
        int number = IntegerArgument({"", item.substr(1)}, 1, "ITEM");
        if (number >= 0 && number < static_cast<int>(items.size()))
            return number;
    } else {
        std::string text = platform::Utf8ToCp932(item);
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i] == text)
                return static_cast<int>(i);
    }
    throw ProbeError(words[0] + ": " + words[1] + " has no item " + item);
}

}  // namespace

void Select(Probe& probe, const Words& words)
{
    auto* list = dynamic_cast<tk::TListView*>(&InputControlArgument(probe, words, 1));
    if (!list)
        NotA(probe, words, "a list view");
    list->InputSelect(RowArgument(*list, words, 2));
}

void Type(Probe& probe, const Words& words)
{
    tk::TControl& control = InputControlArgument(probe, words, 1);
    std::string text = platform::Utf8ToCp932(words[2]);
    if (auto* edit = dynamic_cast<tk::TEdit*>(&control)) {
        if (edit->ReadOnly())
            throw ProbeError("type: " + words[1] + " is read-only");
        edit->InputText(text);
        return;
    }
    if (auto* combo = dynamic_cast<tk::TComboBox*>(&control)) {
        combo->InputText(text);
        return;
    }
    NotA(probe, words, "an edit or combo box");
}

void Cell(Probe& probe, const Words& words)
{
    int col = IntegerArgument(words, 2, "COL");
    int row = IntegerArgument(words, 3, "ROW");
    auto* grid = dynamic_cast<tk::TStringGrid*>(&InputControlArgument(probe, words, 1));
    if (!grid)
        NotA(probe, words, "a string grid");
    if (col < 0 || row < 0)
        throw ProbeError("cell: COL and ROW must not be negative");
    grid->InputCell(col, row, platform::Utf8ToCp932(words[4]));
}

// A click toggles the box, so it is given only when the box is not in the wanted state yet.
void Check(Probe& probe, const Words& words)
{
    auto* box = dynamic_cast<tk::TCheckBox*>(&InputControlArgument(probe, words, 1));
    if (!box)
        NotA(probe, words, "a check box");
    bool wanted = words[0] == "check";
    if (box->Checked() != wanted)
        box->InputClick();
}

void Choose(Probe& probe, const Words& words)
{
    tk::TControl& control = InputControlArgument(probe, words, 1);
    if (auto* drives = dynamic_cast<tk::TDriveComboBox*>(&control)) {
        drives->InputChoose(ItemArgument(drives->Items(), words, 2));
        return;
    }
    if (auto* combo = dynamic_cast<tk::TComboBox*>(&control)) {
        combo->InputChoose(ItemArgument(combo->Items(), words, 2));
        return;
    }
    // Picking a line of a folder list opens that folder.
    if (auto* folders = dynamic_cast<tk::TDirectoryListBox*>(&control)) {
        std::vector<std::string> captions;
        for (const tk::TFolderItem& item : folders->Items())
            captions.push_back(item.caption);
        folders->InputOpenItem(ItemArgument(captions, words, 2));
        return;
    }
    if (auto* pages = dynamic_cast<tk::TPageControl*>(&control)) {
        std::vector<std::string> captions;
        for (int i = 0; i < pages->PageCount(); ++i)
            captions.push_back(pages->Pages(i)->Caption());
        pages->InputChoose(ItemArgument(captions, words, 2));
        return;
    }
    NotA(probe, words, "a combo box, drive box, folder list or tab control");
}

void UpDown(Probe& probe, const Words& words)
{
    int position = IntegerArgument(words, 2, "N");
    auto* upDown = dynamic_cast<tk::TUpDown*>(&InputControlArgument(probe, words, 1));
    if (!upDown)
        NotA(probe, words, "an up-down control");
    upDown->InputPosition(position);
}

void Dir(Probe& probe, const Words& words)
{
    auto* tree = dynamic_cast<tk::TDirectoryListBox*>(FindNamed(probe.Running().Application(), "ImageForm.DirectoryListBox1"));
    if (!tree)
        throw ProbeError("dir: the main window has no folder tree");
    tree->InputDirectory(platform::Utf8ToCp932(words[1]));
}

}  // namespace probe
