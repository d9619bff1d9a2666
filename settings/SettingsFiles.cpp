// The main window's settings operations, as its start, its close and the other subsystems call
// them: each hands over to the settings store (SettingsStore.h), which owns both files.

#include "app/ImageForm.h"
#include "settings/SettingsStore.h"
#include "viewers/View.h"

#include <algorithm>

namespace orvane {

using namespace tk;

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
    m_settings->PrepareGrids();
}

void TImageForm::ReadWindowPositions()
{
    m_settings->ReadWindowPositions(*this, m_process.view);
}

void TImageForm::ReadSettings()
{
    m_settings->ReadSettings();
}

void TImageForm::WriteWindowPositions()
{
    m_settings->WriteWindowPositions(*this, m_process.view);
}

bool TImageForm::StoreSettings(const TSettingsValues& values, std::string* reason)
{
    return m_settings->StoreSettings(values, reason);
}

}  // namespace orvane
