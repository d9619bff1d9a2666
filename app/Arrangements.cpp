// Switching the viewer arrangement. The operations do not run the resize handling; they rewrite
// the door labels instead, so the next resize keeps each pane's distance from the edges.

#include "common/Geometry.h"
#include "app/ImageForm.h"
#include "common/Numbers.h"
#include "app/View.h"

namespace orvane {

using namespace tk;

TImage* TImageForm::CheckOf(TArrangement arrangement) const
{
    switch (arrangement) {
    case TArrangement::Separate: return Image1;
    case TArrangement::Under: return Image2;
    case TArrangement::Right: return Image3;
    case TArrangement::None: break;
    }
    return nullptr;
}

TArrangement TImageForm::CurrentArrangement() const
{
    for (TArrangement arrangement : {TArrangement::Separate, TArrangement::Under, TArrangement::Right})
        if (CheckOf(arrangement)->Visible())
            return arrangement;
    return TArrangement::None;
}

// The View menu's check moves to the arrangement.
void TImageForm::MarkArrangement(TArrangement current)
{
    for (TArrangement arrangement : {TArrangement::Separate, TArrangement::Under, TArrangement::Right})
        CheckOf(arrangement)->SetVisible(arrangement == current);
}

void TImageForm::ShowArrangement(TArrangement arrangement)
{
    switch (arrangement) {
    case TArrangement::Separate: ShowSeparateView(); break;
    case TArrangement::Under: ShowUnderView(); break;
    case TArrangement::Right: ShowRightView(); break;
    case TArrangement::None: break;
    }
}

void TImageForm::ShowUnderView()
{
    if (CurrentArrangement() == TArrangement::Under)
        return;
    const int W = ClientWidth(), H = ClientHeight(), FH = Height();
    RightDoor->Hide();
    m_process.view->Hide();
    FView->Hide();
    RightView->Hide();
    CloseMenus();
    MainPanel->SetWidth(W);
    CenterDoor->SetLeft(DirectoryListBox1->Width());
    ListView1->SetWidth(MainPanel->Width() - CenterDoor->Left() - DoorThickness);
    ListView1->SetLeft(CenterDoor->Left() + DoorThickness);
    RightDoor->SetLeft(MainPanel->Width());
    MarkArrangement(TArrangement::Under);
    UImage->SetBounds(0, 0, UImage->Picture().Width(), UImage->Picture().Height());
    MainPanel->SetHeight(FH / 3);
    CenterDoor->SetHeight(MainPanel->Height());
    DownDoor->SetTop(MainPanel->Height() + UpDoor->Top() + DoorThickness);
    DownDoor->SetWidth(MainPanel->Width());
    DownDoor->Show();
    UnderView->SetTop(DownDoor->Top() + DoorThickness);
    UnderView->SetWidth(MainPanel->Width());
    UnderView->SetHeight(H - MainPanel->Height() - UpperView->Height() - 6);
    UnderView->Show();
    RightDoorData->SetCaption(NumberToStr(W - RightDoor->Left()));
    DownDoorData->SetCaption(NumberToStr(H - DownDoor->Top()));
    ListView1Click(ListView1);
}

void TImageForm::ShowRightView()
{
    if (CurrentArrangement() == TArrangement::Right)
        return;
    const int W = ClientWidth(), H = ClientHeight(), FW = Width();
    m_process.view->Hide();
    DownDoor->Hide();
    FView->Hide();
    CloseMenus();
    UnderView->Hide();
    MainPanel->SetHeight(H - UpperView->Height() - DoorThickness);
    DownDoor->SetTop(MainPanel->Height() + UpDoor->Top() + DoorThickness);
    CenterDoor->SetHeight(MainPanel->Height());
    RImage->SetBounds(0, 0, RImage->Picture().Width(), RImage->Picture().Height());
    MarkArrangement(TArrangement::Right);
    // The list gets two thirds of the window's outer width, rounded up.
    MainPanel->SetWidth(FW - FW / 3);
    CenterDoor->SetLeft(DirectoryListBox1->Width());
    ListView1->SetWidth(MainPanel->Width() - CenterDoor->Left() - DoorThickness);
    ListView1->SetLeft(CenterDoor->Left() + DoorThickness);
    RightDoor->SetBounds(MainPanel->Width(), RightDoor->Top(), DoorThickness, MainPanel->Height());
    RightDoor->Show();
    RightView->SetWidth(W - MainPanel->Width() - DoorThickness);
    RightView->SetLeft(RightDoor->Left() + DoorThickness);
    RightView->SetHeight(MainPanel->Height());
    RightView->Show();
    RightDoorData->SetCaption(NumberToStr(W - RightDoor->Left()));
    DownDoorData->SetCaption(NumberToStr(H - DownDoor->Top()));
    ListView1Click(ListView1);
}

void TImageForm::ShowSeparateView()
{
    if (CurrentArrangement() == TArrangement::Separate)
        return;
    const int W = ClientWidth(), H = ClientHeight();
    FView->Hide();
    CloseMenus();
    UnderView->Hide();
    RightView->Hide();
    MainPanel->SetWidth(W);
    CenterDoor->SetLeft(DirectoryListBox1->Width());
    MainPanel->SetHeight(H - UpperView->Height() - DoorThickness);
    CenterDoor->SetHeight(MainPanel->Height());
    ListView1->SetWidth(MainPanel->Width() - CenterDoor->Left() - DoorThickness);
    ListView1->SetLeft(CenterDoor->Left() + DoorThickness);
    RightDoor->SetLeft(MainPanel->Width());
    RightDoor->Hide();
    DownDoor->SetTop(MainPanel->Height() + UpDoor->Top() + DoorThickness);
    DownDoor->Hide();
    MarkArrangement(TArrangement::Separate);
    m_process.view->Show();
    RightDoorData->SetCaption(NumberToStr(W - RightDoor->Left()));
    DownDoorData->SetCaption(NumberToStr(H - DownDoor->Top()));
    ListView1Click(ListView1);
}

void TImageForm::FBunriClick(TObject*) { ShowSeparateView(); }
void TImageForm::FUnderClick(TObject*) { ShowUnderView(); }
void TImageForm::FRightClick(TObject*) { ShowRightView(); }

}  // namespace orvane
