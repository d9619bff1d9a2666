// The two settings files in the start folder: TavoCust2.cnf with the window positions, written
// whenever the main window closes, and TavoCust.cnf with the settings, written by the OK step of
// the settings dialog. Both are read once, when the main window is first shown.

#include "app/ImageForm.h"
#include "app/Numbers.h"
#include "platform/DosPath.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "settings/SettingsText.h"
#include "viewers/View.h"

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

// The extensions of the dialog's user rows (row 2 on) that are not empty, as file lines.
void AppendListLines(const std::vector<TListEntry>& rows, std::vector<std::string>& lines)
{
    for (size_t row = 2; row < rows.size(); ++row)
        if (!rows[row].extension.empty())
            lines.push_back(rows[row].extension);
}

// Copies the dialog's user rows into the store's grid; rows of the store beyond them stay.
void StoreList(const std::vector<TListEntry>& rows, TStringGrid& grid)
{
    for (size_t row = 2; row < rows.size(); ++row) {
        grid.SetCell(0, static_cast<int>(row), rows[row].state);
        grid.SetCell(1, static_cast<int>(row), rows[row].extension);
    }
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
    return platform::AppendToFolder(CPath->Caption(), fileName);
}

bool TImageForm::Listed(const TStringGrid& list, const std::string& extension) const
{
    for (int row = 1; row < list.RowCount(); ++row)
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
    TLabel* const cache[] = {CashDir, CashSize};
    for (size_t i = 0; i < stored.cacheLines.size(); ++i)
        cache[i]->SetCaption(stored.cacheLines[i]);
}

void TImageForm::WriteWindowPositions()
{
    std::vector<std::string> lines;
    for (const TForm* form : {static_cast<const TForm*>(this), static_cast<const TForm*>(m_process.view)})
        for (int value : {form->Top(), form->Left(), form->Width(), form->Height()})
            lines.push_back(NumberToStr(value));
    platform::ReplaceFile(m_process.Host.Drives(), SettingsFilePath("TavoCust2.cnf"), JoinSettingsLines(lines));
}

bool TImageForm::StoreSettings(const TSettingsValues& values, std::string* reason)
{
    const std::string waitTime = NumberToStr(StrToNumber(values.waitTime));
    const std::string capH = NumberToStr(ClampSize(values.capH, values.capHMax));
    const std::string capW = NumberToStr(ClampSize(values.capW, values.capWMax));
    std::vector<std::string> choices;
    for (int choice : values.choices)
        choices.push_back(NumberToStr(choice));
    const std::string menuBar = values.menuBar ? "1" : "0";
    const std::string infoBar = values.infoBar ? "1" : "0";

    std::vector<std::string> lines = {waitTime, capH, capW};
    lines.insert(lines.end(), choices.begin(), choices.end());
    lines.push_back(menuBar);
    lines.push_back(infoBar);
    AppendListLines(values.capNames, lines);
    lines.push_back("@CAP");
    AppendListLines(values.textNames, lines);
    lines.push_back("@TXT");
    lines.push_back(values.cashDir);
    lines.push_back(values.cashSize);

    // The file is written whole before anything is stored, so a file that cannot be written
    // leaves every setting as it was.
    if (!platform::ReplaceFile(m_process.Host.Drives(), values.cPath + "\\TavoCust.cnf", JoinSettingsLines(lines),
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
