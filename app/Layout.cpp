// The main window cut into rectangles by hand: the top band, the list panel with the folder tree
// and the file list, the two viewer panes and the doors between them. W and H are the client
// width and height of the window.

#include "common/Geometry.h"
#include "app/ImageForm.h"
#include "common/Numbers.h"

namespace orvane {

using namespace tk;

void TImageForm::FormResize(TObject*)
{
    const int W = ClientWidth();
    const int H = ClientHeight();
    CenterDoor->SetWidth(DoorThickness);
    CenterDoor->SetTop(1);
    UpDoor->SetBounds(1, StrToNumber(UpDoorData->Caption()), W, DoorThickness);
    RightDoor->SetBounds(W - StrToNumber(RightDoorData->Caption()), UpDoor->Top() + DoorThickness,
                         DoorThickness, RightDoor->Height());
    DownDoor->SetBounds(1, H - StrToNumber(DownDoorData->Caption()), RightDoor->Left(), DoorThickness);
    RightDoor->SetHeight(DownDoor->Top() - UpDoor->Top() - DoorThickness);
    MainPanel->SetBounds(1, UpDoor->Top() + DoorThickness,
                         RightDoor->Left(), DownDoor->Top() - UpDoor->Top() - DoorThickness);
    RightView->SetBounds(RightDoor->Left() + DoorThickness, UpDoor->Top() + DoorThickness,
                         W - RightDoor->Left() - DoorThickness, MainPanel->Height());
    UnderView->SetBounds(1, DownDoor->Top() + DoorThickness, MainPanel->Width(), H - DownDoor->Top() - 6);
    Mark->SetLeft(UpperView->Width() - 50);
    if (UpDoor->Top() == MenuBand) {
        MarkTitle->SetTop(5);
        MarkTitle->SetHeight(12);
        DirBox->SetTop(MenuPanel->Top());
        DirBox->SetLeft(W - 80);
        PanelInfo->SetTop(MenuPanel->Top());
        PanelInfo->SetLeft(DirBox->Left() - 30);
    } else {
        MarkTitle->SetTop(10);
        MarkTitle->SetHeight(25);
    }
    CenterDoor->SetHeight(MainPanel->Height());
    DirectoryListBox1->SetBounds(1, 1, DirectoryListBox1->Width(), MainPanel->Height());
    ListView1->SetBounds(CenterDoor->Left() + DoorThickness, 1,
                         MainPanel->Width() - CenterDoor->Left() - DoorThickness, MainPanel->Height());
    if (m_process.PictureShown == 1) {
        FitPictureScrollBars();
    } else {
        for (TArrangement docked : {TArrangement::Right, TArrangement::Under})
            Pane(docked).SetParts(0, BarsPart);
    }
    // The only clamps: the geometry is corrected, the door labels keep their values.
    if (DownDoor->Top() < MainPanel->Top()) {
        DownDoor->SetTop(MainPanel->Top() + MinimumPaneGap);
        UnderView->SetTop(DownDoor->Top() + DoorThickness);
    }
    if (RightDoor->Left() < CenterDoor->Left()) {
        RightDoor->SetLeft(CenterDoor->Left() + MinimumPaneGap);
        RightView->SetLeft(CenterDoor->Left() + 13);
        DirectoryListBox1->SetLeft(1);
        DirectoryListBox1->SetWidth(CenterDoor->Left());
        MainPanel->SetWidth(RightDoor->Left());
    }
}

void TImageForm::FitPictureScrollBars()
{
    FitBars(Pane(TArrangement::Under), TBarFit::PaneSize, TFirstBar::Vertical);
    FitBars(Pane(TArrangement::Right), TBarFit::PaneSize, TFirstBar::Horizontal);
}

void TImageForm::SnapUpDoor(int dy)
{
    if (m_process.DragFlag.UpDoor != 1)
        return;
    const int W = ClientWidth();
    UpDoor->SetTop(UpDoor->Top() + dy);
    if (UpDoor->Top() < 15)
        UpDoor->SetTop(NoBand);
    if (UpDoor->Top() > 35) {
        // The info bar and the drive box move to the second row.
        UpDoor->SetTop(MenuAndInfoBand);
        DirBox->SetTop(MenuBand);
        DirBox->SetLeft(-5);
        PanelInfo->SetTop(MenuBand);
        PanelInfo->SetLeft(140);
        InfoButton->Hide();
        DirButton->Hide();
        MarkTitle->SetTop(10);
        MarkTitle->Font().SetSize(TwoRowTitleSize);
    }
    if (UpDoor->Top() >= 15 && UpDoor->Top() <= 35) {
        UpDoor->SetTop(MenuBand);
        DirBox->SetTop(MenuPanel->Top());
        DirBox->SetLeft(W - 80);
        PanelInfo->SetTop(MenuPanel->Top());
        PanelInfo->SetLeft(DirBox->Left() - 30);
        InfoButton->Show();
        DirButton->Show();
        MarkTitle->SetTop(5);
        MarkTitle->Font().SetSize(OneRowTitleSize);
    }
    UpDoor->SetHeight(DoorThickness);
    UpDoor->SetLeft(1);
    UpDoor->SetWidth(W);
    UpDoorData->SetCaption(NumberToStr(UpDoor->Top()));
    MainPanel->SetTop(UpDoor->Top() + DoorThickness);
    MainPanel->SetHeight(DownDoor->Top() - UpDoor->Top() - DoorThickness);
    CenterDoor->SetTop(1);
    CenterDoor->SetHeight(MainPanel->Height());
    RightDoor->SetTop(MainPanel->Top());
    RightDoor->SetHeight(DownDoor->Top() - UpDoor->Top() - DoorThickness);
    UpperView->SetHeight(UpDoor->Top());
    RightView->SetTop(MainPanel->Top());
    RightView->SetHeight(DownDoor->Top() - UpDoor->Top() - DoorThickness);
}

// The wrap distance follows the type size the band chose; at any other size the title does not
// come back.
void TImageForm::Timer1Timer(TObject*)
{
    MarkTitle->SetLeft(MarkTitle->Left() - 5);
    if (MarkTitle->Left() < TwoRowTitleWrap && MarkTitle->Font().Size() == TwoRowTitleSize)
        MarkTitle->SetLeft(TitleRestart);
    if (MarkTitle->Left() < OneRowTitleWrap && MarkTitle->Font().Size() == OneRowTitleSize)
        MarkTitle->SetLeft(TitleRestart);
}

}  // namespace orvane
