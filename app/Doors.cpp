// The doors between the window's rectangles and the two grips of the one-line top band. Each has
// its own drag flag; while it is 1, moves of the pointer (relative to the door itself, which
// keeps receiving them while a button is held) move the door and re-cut its neighbours.

#include "common/Geometry.h"
#include "app/ImageForm.h"
#include "common/Numbers.h"

namespace orvane {

using namespace tk;

void TImageForm::BindDoorHandlers()
{
    struct Door {
        TPanel* panel;
        int Process::DragFlags::*flag;
        void (TImageForm::*move)(TObject*, TShiftState, int, int);
    };
    const Door doors[] = {
        {CenterDoor, &Process::DragFlags::CenterDoor, &TImageForm::CenterDoorMouseMove},
        {RightDoor, &Process::DragFlags::RightDoor, &TImageForm::RightDoorMouseMove},
        {DownDoor, &Process::DragFlags::DownDoor, &TImageForm::DownDoorMouseMove},
        {UpDoor, &Process::DragFlags::UpDoor, &TImageForm::UpDoorMouseMove},
        {InfoButton, &Process::DragFlags::InfoButton, &TImageForm::InfoButtonMouseMove},
        {DirButton, &Process::DragFlags::DirButton, &TImageForm::DirButtonMouseMove},
    };
    for (const Door& door : doors) {
        int* flag = &(m_process.DragFlag.*door.flag);
        // The folder tree's door starts a drag with the left button only.
        bool leftOnly = door.panel == CenterDoor;
        door.panel->OnMouseDown = [flag, leftOnly](TObject*, TMouseButton button, TShiftState, int, int) {
            if (!leftOnly || button == TMouseButton::mbLeft)
                *flag = 1;
        };
        door.panel->OnMouseUp = [flag](TObject*, TMouseButton, TShiftState, int, int) { *flag = 0; };
        door.panel->OnMouseMove = [this, move = door.move](TObject* sender, TShiftState shift, int x, int y) {
            (this->*move)(sender, shift, x, y);
        };
    }
    RightDoor->OnClick = [this](TObject* sender) { RightDoorClick(sender); };
}

void TImageForm::CenterDoorMouseMove(TObject*, TShiftState, int x, int)
{
    if (m_process.DragFlag.CenterDoor != 1)
        return;
    CenterDoor->SetWidth(DoorThickness);
    CenterDoor->SetTop(1);
    ListView1->SetTop(1);
    CenterDoor->SetLeft(CenterDoor->Left() + x);
    if (CenterDoor->Left() < MinimumPaneGap)
        CenterDoor->SetLeft(MinimumPaneGap);
    if (CenterDoor->Left() > MainPanel->Width() - MinimumPaneGap)
        CenterDoor->SetLeft(MainPanel->Width() - MinimumPaneGap);
    CenterDoor->SetHeight(MainPanel->Height());
    DirectoryListBox1->SetWidth(CenterDoor->Left());
    ListView1->SetLeft(CenterDoor->Left() + DoorThickness);
    ListView1->SetWidth(MainPanel->Width() - DirectoryListBox1->Width() - DoorThickness);
}

void TImageForm::RightDoorMouseMove(TObject*, TShiftState, int x, int)
{
    if (m_process.DragFlag.RightDoor != 1)
        return;
    const int W = ClientWidth();
    RightDoor->SetWidth(DoorThickness);
    RightDoor->SetHeight(MainPanel->Height() + 1);
    RightDoor->SetLeft(RightDoor->Left() + x);
    if (RightDoor->Left() < ListView1->Left() + MinimumPaneGap)
        RightDoor->SetLeft(ListView1->Left() + MinimumPaneGap);
    // Within 10 pixels of the right edge the right pane snaps shut.
    if (RightDoor->Left() > W - MinimumPaneGap)
        RightDoor->SetLeft(W - DoorThickness);
    RightDoorData->SetCaption(NumberToStr(W - RightDoor->Left()));
    MainPanel->SetTop(UpperView->Height() + DoorThickness);
    MainPanel->SetLeft(1);
    MainPanel->SetWidth(RightDoor->Left());
    DownDoor->SetWidth(MainPanel->Width() + 1);
    RightDoor->SetTop(MainPanel->Top());
    ListView1->SetWidth(MainPanel->Width() - DirectoryListBox1->Width() - DoorThickness);
    ListView1->SetLeft(CenterDoor->Left() + DoorThickness);
    RightView->SetBounds(RightDoor->Left() + DoorThickness, MainPanel->Top(),
                         W - RightDoor->Left() - DoorThickness, MainPanel->Height());
    UnderView->SetWidth(MainPanel->Width());
    if (m_process.PictureShown != 1)
        return;
    FitDraggedBar(Pane(TArrangement::Right), TScrollBarKind::sbHorizontal);
}

void TImageForm::DownDoorMouseMove(TObject*, TShiftState, int, int y)
{
    if (m_process.DragFlag.DownDoor != 1)
        return;
    // A list panel already shorter than 10 pixels can only grow.
    if (MainPanel->Height() < MinimumPaneGap && y <= 0)
        return;
    const int H = ClientHeight();
    DownDoor->SetTop(DownDoor->Top() + y);
    if (DownDoor->Top() < UpDoor->Top() + MinimumPaneGap)
        DownDoor->SetTop(UpDoor->Top() + MinimumPaneGap);
    if (DownDoor->Top() > H - 25)
        DownDoor->SetTop(H - 25);
    DownDoorData->SetCaption(NumberToStr(H - DownDoor->Top()));
    DownDoor->SetBounds(1, DownDoor->Top(), MainPanel->Width() + 2, DoorThickness);
    const int listHeight = DownDoor->Top() - UpDoor->Top() - DoorThickness;
    MainPanel->SetHeight(listHeight);
    RightDoor->SetHeight(listHeight);
    CenterDoor->SetHeight(listHeight);
    UnderView->SetTop(DownDoor->Top() + DoorThickness);
    UnderView->SetHeight(H - DownDoor->Top() - DoorThickness);
    RightDoor->SetHeight(MainPanel->Height());
    RightView->SetHeight(MainPanel->Height());
    if (m_process.PictureShown != 1)
        return;
    FitDraggedBar(Pane(TArrangement::Under), TScrollBarKind::sbVertical);
}

// The band jumps between its three heights while the door is dragged.
void TImageForm::UpDoorMouseMove(TObject*, TShiftState, int, int y)
{
    SnapUpDoor(y);
}

void TImageForm::InfoButtonMouseMove(TObject*, TShiftState, int x, int)
{
    if (m_process.DragFlag.InfoButton != 1)
        return;
    PanelInfo->SetLeft(PanelInfo->Left() + x);
    if (PanelInfo->Left() < 70)
        PanelInfo->SetLeft(70);
    if (PanelInfo->Left() > DirBox->Left())
        PanelInfo->SetLeft(DirBox->Left() - 30);
}

// The limits apply in this order; a later one wins. The drive box never leaves a gap before the
// title mark.
void TImageForm::DirButtonMouseMove(TObject*, TShiftState, int x, int)
{
    if (m_process.DragFlag.DirButton != 1)
        return;
    DirBox->SetLeft(DirBox->Left() + x);
    if (DirBox->Left() < PanelInfo->Left() + 30)
        DirBox->SetLeft(PanelInfo->Left() + 30);
    if (DirBox->Left() + DirBox->Width() < Mark->Left())
        DirBox->SetLeft(Mark->Left() - DirBox->Width());
    if (DirBox->Left() > ClientWidth() - 80)
        DirBox->SetLeft(ClientWidth() - 80);
}

// A click arrives after the mouse-up, so after a plain click the right door goes on following
// the pointer over it until the next mouse-up.
void TImageForm::RightDoorClick(TObject*)
{
    HideDropDowns(TDropDowns::FirstLevel);
    m_process.DragFlag.RightDoor = 1;
}

}  // namespace orvane
