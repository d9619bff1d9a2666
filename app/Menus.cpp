// The menu state shared by every command: which caption was last entered, and menu mode.

#include "app/ImageForm.h"

namespace orvane {

using namespace tk;

// The second-level drop-downs stay: their own commands close them.
void TImageForm::CloseMenus()
{
    for (TPanel* dropDown : {MenuFile, FView, FTool, FHelp})
        dropDown->Hide();
    if (m_process.HoveredMenu != 0) {
        for (TPanel* caption : {PanelFile, PanelView, PanelTool, PanelHelp})
            caption->SetBevelOuter(TBevelCut::bvNone);
        m_process.HoveredMenu = 0;
    }
    m_process.MenuMode = 0;
}

}  // namespace orvane
