// The main window's settings operations, as its start, its close and the other subsystems call
// them: each hands over to the settings store (SettingsStore.h), which owns both files.

#include "app/ImageForm.h"
#include "app/View.h"
#include "settings/SettingsStore.h"

namespace orvane {

using namespace tk;

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
