// The two settings files in the start folder: TavoCust2.cnf with the window positions, written
// whenever the main window closes, and TavoCust.cnf with the settings, written by the OK step of
// the settings dialog. Both are read once, when the main window is first shown.

#include "app/ImageForm.h"
#include "common/Numbers.h"
#include "dos/DosPath.h"
#include "dos/DosText.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "settings/SettingsText.h"
#include "app/View.h"

#include <algorithm>
#include <iterator>

namespace orvane {

using namespace tk;

namespace {

const char* const UserEntryState = "ﾕｰｻﾞｰ済";

// Writes the stored extensions into the grid's rows from row 2 on.
void ReadList(const std::vector<std::string>& extensions, TStringGrid& grid)
{
    for (size_t i = 0; i < extensions.size(); ++i) {
        grid.SetCell(1, static_cast<int>(i) + 2, extensions[i]);
        grid.SetCell(0, static_cast<int>(i) + 2, UserEntryState);
    }
}

void PrepareListGrid(TStringGrid& grid, const char* preset)
{
    grid.SetCell(0, 0, "状態");
    grid.SetCell(1, 0, "拡張子");
    grid.SetCell(0, 1, "設定済");
    grid.SetCell(1, 1, preset);
}

// The extensions of the dialog's user rows (row 2 on); the writer leaves the empty ones out.
std::vector<std::string> UserExtensions(const std::vector<TListEntry>& rows)
{
    std::vector<std::string> extensions;
    for (size_t row = 2; row < rows.size(); ++row)
        extensions.push_back(rows[row].extension);
    return extensions;
}

// Copies the dialog's user rows into the store's grid; rows of the store beyond them stay.
void StoreList(const std::vector<TListEntry>& rows, TStringGrid& grid)
{
    for (size_t row = 2; row < rows.size(); ++row) {
        grid.SetCell(0, static_cast<int>(row), rows[row].state);
        grid.SetCell(1, static_cast<int>(row), rows[row].extension);
    }
}

// The dialog's values as the file can hold them, so that what is stored now and what is read back
// at the next start are the same: a value keeps its first line only, and a list entry the file
// would not hold back (one equal to a list's end marker) is emptied like an empty one.
TSettingsValues AsFileCanHoldThem(TSettingsValues values)
{
    for (std::string* text : {&values.waitTime, &values.capH, &values.capW, &values.cashDir, &values.cashSize})
        *text = AsSettingsLine(*text);
    for (auto* list : {&values.capNames, &values.textNames})
        for (TListEntry& entry : *list) {
            entry.state = AsSettingsLine(entry.state);
            entry.extension = AsSettingsLine(entry.extension);
            if (!entry.extension.empty() && !IsWrittenEntry(entry.extension))
                entry = TListEntry();
        }
    return values;
}

// The smallest outer size a user can drag a window with a title bar to.
constexpr int MinimumWindowWidth = 112;
constexpr int MinimumWindowHeight = 27;

int ClampSize(const std::string& text, int upperBound)
{
    int value = StrToNumber(text);
    if (value < 10)
        value = 10;
    if (value > upperBound)
        value = upperBound;
    return value;
}

}  // namespace

std::string TImageForm::SettingsFilePath(const char* fileName) const
{
    return dos::AppendToFolder(CPath->Caption(), fileName);
}

// Every row that holds an entry counts, those past the grid's visible rows too: the settings
// dialog shows and writes them, so they must not sit in the file without effect.
bool TImageForm::Listed(const TStringGrid& list, const std::string& extension) const
{
    const int rows = std::max(list.RowCount(), list.StoredRowCount());
    for (int row = 1; row < rows; ++row)
        if (list.Cell(1, row) == extension)
            return true;
    return false;
}

void TImageForm::PrepareSettingsGrids()
{
    PrepareListGrid(*CapNames, "XLS");
    PrepareListGrid(*TextNames, "TXT");
}

// Stored bounds that would leave a window smaller than the desktop lets a user drag one (its
// minimum tracking size) or wholly off the desktop are not applied: the window keeps its design
// bounds, so a damaged or hand-edited file cannot make the program unusable. Bounds that fit are
// applied as read, one property after the other, as they always were.
void TImageForm::ReadWindowPositions()
{
    auto content = platform::ReadWholeFile(m_process.Host.Drives(), SettingsFilePath("TavoCust2.cnf"));
    if (!content)
        return;
    SettingsReader reader(*content);
    const platform::ScreenRect desktop = m_process.Host.Screen().DesktopRect();
    using Getter = int (TControl::*)() const;
    using Setter = void (TControl::*)(int);
    const Getter getters[] = {&TControl::Top, &TControl::Left, &TControl::Width, &TControl::Height};
    const Setter setters[] = {&TControl::SetTop, &TControl::SetLeft, &TControl::SetWidth, &TControl::SetHeight};
    for (TForm* form : {static_cast<TForm*>(this), static_cast<TForm*>(m_process.view)}) {
        // A file that ends early sets what it holds and leaves the rest as they are.
        int bounds[4];
        int count = 0;
        for (; count < 4; ++count) {
            const SettingsLine* line = reader.Next();
            if (!line)
                break;
            bounds[count] = StrToNumber(line->value);
        }
        if (!form)
            continue;
        for (int i = count; i < 4; ++i)
            bounds[i] = (form->*getters[i])();
        const long long top = bounds[0], left = bounds[1], width = bounds[2], height = bounds[3];
        const bool usable = width >= MinimumWindowWidth && height >= MinimumWindowHeight;
        const bool onDesktop = left < desktop.right && top < desktop.bottom && left + width > desktop.left
            && top + height > desktop.top;
        if (usable && onDesktop)
            for (int i = 0; i < count; ++i)
                (form->*setters[i])(bounds[i]);
        if (count < 4)
            return;
    }
}

void TImageForm::ReadSettings()
{
    auto content = platform::ReadWholeFile(m_process.Host.Drives(), SettingsFilePath("TavoCust.cnf"));
    if (!content)
        return;
    const StoredSettingsLines stored = ReadSettingsLines(*content);
    TLabel* const settings[] = {WaitTime, CapH,     CapW,   CapGetCol, CapMessage, ETCtype,
                                FileView, SortFile, ViewSet, SeFile,   MenuBar,    InfoBar};
    static_assert(std::size(settings) == StoredSettingsLines::SettingCount);
    for (size_t i = 0; i < stored.settings.size(); ++i)
        settings[i]->SetCaption(stored.settings[i]);
    ReadList(stored.capNames, *CapNames);
    ReadList(stored.textNames, *TextNames);
    // A blank cache folder (only a hand-edited file holds one) is no folder: it would be taken for
    // the current drive's root. The start value, the start folder's "View", stays.
    if (!stored.cacheLines.empty() && !dos::IsBlank(stored.cacheLines[0]))
        CashDir->SetCaption(stored.cacheLines[0]);
    if (stored.cacheLines.size() > 1)
        CashSize->SetCaption(stored.cacheLines[1]);
}

void TImageForm::WriteWindowPositions()
{
    std::vector<std::string> lines;
    for (const TForm* form : {static_cast<const TForm*>(this), static_cast<const TForm*>(m_process.view)})
        for (int value : {form->Top(), form->Left(), form->Width(), form->Height()})
            lines.push_back(NumberToStr(value));
    platform::ReplaceFile(m_process.Host.Drives(), SettingsFilePath("TavoCust2.cnf"), JoinSettingsLines(lines));
}

bool TImageForm::StoreSettings(const TSettingsValues& dialogValues, std::string* reason)
{
    TSettingsValues values = AsFileCanHoldThem(dialogValues);
    // A blank cache folder is never taken: the folder stays the one in use.
    if (dos::IsBlank(values.cashDir))
        values.cashDir = CashDir->Caption();
    const std::string waitTime = NumberToStr(StrToNumber(values.waitTime));
    const std::string capH = NumberToStr(ClampSize(values.capH, values.capHMax));
    const std::string capW = NumberToStr(ClampSize(values.capW, values.capWMax));
    std::vector<std::string> choices;
    for (int choice : values.choices)
        choices.push_back(NumberToStr(choice));
    const std::string menuBar = values.menuBar ? "1" : "0";
    const std::string infoBar = values.infoBar ? "1" : "0";

    StoredSettingsLines file;
    file.settings = {waitTime, capH, capW};
    file.settings.insert(file.settings.end(), choices.begin(), choices.end());
    file.settings.push_back(menuBar);
    file.settings.push_back(infoBar);
    file.capNames = UserExtensions(values.capNames);
    file.textNames = UserExtensions(values.textNames);
    file.cacheLines = {values.cashDir, values.cashSize};

    // The file is written whole before anything is stored, so a file that cannot be written
    // leaves every setting as it was.
    if (!platform::ReplaceFile(m_process.Host.Drives(), values.cPath + "\\TavoCust.cnf", WriteSettingsLines(file),
                               reason))
        return false;

    WaitTime->SetCaption(waitTime);
    CapH->SetCaption(capH);
    CapW->SetCaption(capW);
    TLabel* chosen[] = {CapGetCol, CapMessage, ETCtype, FileView, SortFile, ViewSet, SeFile};
    for (int i = 0; i < 7; ++i)
        chosen[i]->SetCaption(choices[i]);
    MenuBar->SetCaption(menuBar);
    InfoBar->SetCaption(infoBar);
    StoreList(values.capNames, *CapNames);
    StoreList(values.textNames, *TextNames);
    CashDir->SetCaption(values.cashDir);
    CashSize->SetCaption(values.cashSize);
    Ini();
    return true;
}

}  // namespace orvane
