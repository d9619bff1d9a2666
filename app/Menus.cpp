// The menu state shared by every command: which caption was last entered, and menu mode.

#include "app/ImageForm.h"

namespace orvane {

using namespace tk;

void TImageForm::HideDropDowns(TDropDowns which)
{
    if (which != TDropDowns::SecondLevel)
        for (TPanel* dropDown : {MenuFile, FView, FTool, FHelp})
            dropDown->Hide();
    if (which != TDropDowns::FirstLevel)
        for (TPanel* dropDown : {ViewFile, ViewSeiretu, SortMethod})
            dropDown->Hide();
}

// The second-level drop-downs stay: their own commands close them.
void TImageForm::CloseMenus()
{
    HideDropDowns(TDropDowns::FirstLevel);
    if (m_process.HoveredMenu != Process::NoMenu) {
        for (TPanel* caption : {PanelFile, PanelView, PanelTool, PanelHelp})
            caption->SetBevelOuter(TBevelCut::bvNone);
        m_process.HoveredMenu = Process::NoMenu;
    }
    m_process.MenuMode = 0;
}

void TImageForm::FormClick(TObject*)
{
    CloseMenus();
}

void TImageForm::RRichEditMouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    CloseMenus();
}

// The window's surfaces where a click closes the menus.
void TImageForm::BindMenuStateHandlers()
{
    OnClick = [this](TObject* sender) { FormClick(sender); };
    for (TControl* surface : std::initializer_list<TControl*>{CenterDoor, UImage, DownDoor, RImage, UpperView, PanelInfo,
                                                              InfoButton, DriveComboBox2, DirButton, Mark, UpDoor})
        surface->OnClick = [this](TObject* sender) { FormClick(sender); };
    RRichEdit->OnChange = [this](TObject* sender) { FormClick(sender); };
    for (TRichEdit* edit : {URichEdit, RRichEdit})
        edit->OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
            RRichEditMouseDown(sender, button, shift, x, y);
        };
    UScrollBarY->OnChange = [this](TObject* sender) { UScrollBarYChange(sender); };
    UScrollBarX->OnChange = [this](TObject* sender) { UScrollBarXChange(sender); };
    RScrollBarY->OnChange = [this](TObject* sender) { RScrollBarYChange(sender); };
    RScrollBarX->OnChange = [this](TObject* sender) { RScrollBarXChange(sender); };
}

}  // namespace orvane
