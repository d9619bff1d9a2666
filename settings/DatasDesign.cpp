// The settings store of the main window as designed: a hidden panel of labels and grids, each
// holding its value as text.

#include "app/Design.h"
#include "app/ImageForm.h"

namespace orvane {

using namespace tk;

void TImageForm::CreateDatas()
{
    Datas = MakePanel(this, this, "Datas", Bounds(8, 120, 400, 200), TBevelCut::bvRaised);
    Datas->SetVisible(false);

    struct LabelDesign {
        TLabel* TImageForm::*member;
        const char* name;
        const char* caption;
    };
    const LabelDesign labels[] = {
        {&TImageForm::WaitTime, "WaitTime", "10"},
        {&TImageForm::CapH, "CapH", "480"},
        {&TImageForm::CapW, "CapW", "600"},
        {&TImageForm::CapGetCol, "CapGetCol", "0"},
        {&TImageForm::CapMessage, "CapMessage", "0"},
        {&TImageForm::ETCtype, "ETCtype", "0"},
        {&TImageForm::FileView, "FileView", "1"},
        {&TImageForm::SortFile, "SortFile", "0"},
        {&TImageForm::ViewSet, "ViewSet", "1"},
        {&TImageForm::SeFile, "SeFile", "0"},
        {&TImageForm::MenuBar, "MenuBar", "1"},
        {&TImageForm::InfoBar, "InfoBar", "1"},
        {&TImageForm::CashDir, "CashDir", "C:\\"},
        {&TImageForm::CashSize, "CashSize", "10"},
        {&TImageForm::CapW_Max, "CapW_Max", "600"},
        {&TImageForm::CapH_Max, "CapH_Max", "480"},
        {&TImageForm::CPath, "CPath", "CPath"},
        {&TImageForm::IconCount, "IconCount", "0"},
        {&TImageForm::MenuView, "MenuView", "0"},
        {&TImageForm::UpDoorData, "UpDoorData", "50"},
        {&TImageForm::RightDoorData, "RightDoorData", "10"},
        {&TImageForm::DownDoorData, "DownDoorData", "30"},
    };
    int top = 4;
    for (const LabelDesign& design : labels) {
        this->*design.member = MakeLabel(this, Datas, design.name, 4 + (top / 180) * 100, 4 + top % 180, design.caption);
        top += 14;
    }

    CapNames = MakeGrid(this, Datas, "CapNames", Bounds(200, 4, 90, 60), 2, 5);
    TextNames = MakeGrid(this, Datas, "TextNames", Bounds(200, 68, 90, 60), 2, 5);
    IconList = MakeGrid(this, Datas, "IconList", Bounds(300, 4, 90, 120), 2, 100);
}

}  // namespace orvane
