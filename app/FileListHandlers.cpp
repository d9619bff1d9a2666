// The main window's operations and handlers of the file list, each handed to the list itself.

#include "app/ImageForm.h"

namespace orvane {

using namespace tk;

void TImageForm::BindSortingHandlers()
{
    const std::pair<TControl*, void (TImageForm::*)(TObject*)> bindings[] = {
        {SortFilename, &TImageForm::SortFilenameClick}, {Sfname, &TImageForm::SfnameClick},
        {SortSize, &TImageForm::SortSizeClick},         {Sfsize, &TImageForm::SfsizeClick},
        {SortShurui, &TImageForm::SortShuruiClick},     {Sfshurui, &TImageForm::SfshuruiClick},
        {SortDay, &TImageForm::SortDayClick},           {Sfday, &TImageForm::SfdayClick},
        {Asort, &TImageForm::AsortClick},               {Zsort, &TImageForm::ZsortClick},
        {Sfupdn, &TImageForm::SfupdnClick},             {ListView, &TImageForm::ListViewClick},
        {SIconView, &TImageForm::SIconViewClick},       {LIconView, &TImageForm::LIconViewClick},
    };
    for (const auto& [control, handler] : bindings)
        control->OnClick = [this, handler = handler](TObject* sender) { (this->*handler)(sender); };
}

void TImageForm::ListFolder() { m_files->ListFolder(); }
void TImageForm::ResolveIcon(const std::string& extension, const std::string& name, int row)
{
    m_files->ResolveIcon(extension, name, row);
}
std::string TImageForm::PathInCurrentFolder(const std::string& name) const { return m_files->PathInCurrentFolder(name); }

void TImageForm::DirectoryListBox1Change(TObject*)
{
    SetCaption(CaptionPrefix + DirectoryListBox1->Directory());
    ListFolder();
}

void TImageForm::ListView1DblClick(TObject*) { m_files->LaunchSelected(); }

void TImageForm::ListView1KeyUp(TObject* sender, uint16_t& key, TShiftState)
{
    if (key == vk::Return)
        ListView1DblClick(sender);
    else
        ListView1Click(sender);
}

void TImageForm::SortByName() { m_files->SortByName(); }
void TImageForm::SortBySize() { m_files->SortBySize(); }
void TImageForm::SortByType() { m_files->SortByType(); }
void TImageForm::SortByDate() { m_files->SortByDate(); }
void TImageForm::SortAscending() { m_files->SortAscending(); }
void TImageForm::SortDescending() { m_files->SortDescending(); }
void TImageForm::ToggleSortOrder() { m_files->ToggleSortOrder(); }
void TImageForm::SetReportStyle() { m_files->SetReportStyle(); }
void TImageForm::SetListStyle() { m_files->SetListStyle(); }
void TImageForm::SetIconStyle() { m_files->SetIconStyle(); }

void TImageForm::SortFilenameClick(TObject*) { SortByName(); }
void TImageForm::SfnameClick(TObject*) { SortByName(); }
void TImageForm::SortSizeClick(TObject*) { SortBySize(); }
void TImageForm::SfsizeClick(TObject*) { SortBySize(); }
void TImageForm::SortShuruiClick(TObject*) { SortByType(); }
void TImageForm::SfshuruiClick(TObject*) { SortByType(); }
void TImageForm::SortDayClick(TObject*) { SortByDate(); }
void TImageForm::SfdayClick(TObject*) { SortByDate(); }
void TImageForm::AsortClick(TObject*) { SortAscending(); }
void TImageForm::ZsortClick(TObject*) { SortDescending(); }
void TImageForm::SfupdnClick(TObject*) { ToggleSortOrder(); }
void TImageForm::ListViewClick(TObject*) { SetReportStyle(); }
void TImageForm::SIconViewClick(TObject*) { SetListStyle(); }
void TImageForm::LIconViewClick(TObject*) { SetIconStyle(); }

}  // namespace orvane
