// Bringing the window into line with the stored settings through the same operations the menus
// run, each only where its state is not shown already. The values come from the settings store;
// what they change is the window's own layout, so this stays with the window.

#include "app/ImageForm.h"
#include "common/Numbers.h"
#include "settings/SettingsStore.h"

namespace orvane {

using namespace tk;

namespace {
// The stored choices are the item numbers of the settings dialog's lists (CustDesign.cpp): the
// list's style (FileView), its sort direction (SortFile) and its sort key (SeFile). The sort keys
// run in the dialog's order, which is not the order of TSortKey.
enum StoredStyle : int { StoredReport = 0, StoredSmallIcons = 1, StoredLargeIcons = 2 };
enum StoredDirection : int { StoredAscending = 0, StoredDescending = 1 };
enum StoredSortKey : int { StoredByName = 0, StoredByType = 1, StoredByDate = 2, StoredBySize = 3 };
}  // namespace

void TImageForm::Ini()
{
    const TSettingsStore& settings = *m_settings;
    const int fileView = settings.Number(TSetting::FileView);
    const int sortFile = settings.Number(TSetting::SortFile);
    const int viewSet = settings.Number(TSetting::ViewSet);
    const int seFile = settings.Number(TSetting::SeFile);

    using Operation = void (TImageForm::*)();
    struct Choice {
        int value;
        TImage* check;
        Operation operation;
    };
    auto apply = [this](int setting, std::initializer_list<Choice> choices) {
        for (const Choice& choice : choices)
            if (setting == choice.value && !choice.check->Visible())
                (this->*choice.operation)();
    };
    apply(fileView, {{StoredReport, Image10, &TImageForm::SetReportStyle},
                     {StoredSmallIcons, Image11, &TImageForm::SetListStyle},
                     {StoredLargeIcons, Image12, &TImageForm::SetIconStyle}});
    apply(sortFile, {{StoredAscending, Image13, &TImageForm::SortAscending},
                     {StoredDescending, Image14, &TImageForm::SortDescending}});
    if (viewSet >= static_cast<int>(TArrangement::Separate) && viewSet <= static_cast<int>(TArrangement::Right))
        ShowArrangement(static_cast<TArrangement>(viewSet));
    apply(seFile, {{StoredByName, Image6, &TImageForm::SortByName},
                   {StoredByType, Image7, &TImageForm::SortByType},
                   {StoredByDate, Image8, &TImageForm::SortByDate},
                   {StoredBySize, Image9, &TImageForm::SortBySize}});

    // The drag flag is raised and lowered within the call, so no mouse handling can see it.
    m_process.DragFlag.UpDoor = 1;
    const std::string& menuBar = settings.Text(TSetting::MenuBar);
    const std::string& infoBar = settings.Text(TSetting::InfoBar);
    int band = menuBar == "0" && infoBar == "0" ? NoBand
             : menuBar == "1" && infoBar == "0" ? MenuBand
             : menuBar == "1" && infoBar == "1" ? MenuAndInfoBand
                                                : -1;
    if (band >= 0) {
        UpDoor->SetTop(band);
        SnapUpDoor(0);
    }
    m_process.DragFlag.UpDoor = 0;
}

}  // namespace orvane
