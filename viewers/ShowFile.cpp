// Showing the selected file in the viewer of the current arrangement.

#include "app/ImageForm.h"

namespace orvane {

using namespace tk;

void TImageForm::ListView1Click(TObject*)
{
    m_process.DateSeparator = '-';
    CloseMenus();
}

}  // namespace orvane
