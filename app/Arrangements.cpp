// Switching the viewer arrangement. The operations do not run the resize handling; they rewrite
// the door labels instead, so the next resize keeps each pane's distance from the edges.

#include "app/Dialogs.h"
#include "app/ImageForm.h"
#include "app/Numbers.h"

namespace orvane {

using namespace tk;

void TImageForm::ShowUnderView()
{
    if (Image2->Visible())
        return;
    const int W = ClientWidth(), H = ClientHeight(), FH = Height();
    for (TControl* hidden : std::initializer_list<TControl*>{Image1, Image3, RightDoor})
        hidden->Hide();
    m_process.view->Hide();
    FView->Hide();
    RightView->Hide();
    CloseMenus();
    MainPanel->SetWidth(W);
    CenterDoor->SetLeft(DirectoryListBox1->Width());
    ListView1->SetWidth(MainPanel->Width() - CenterDoor->Left() - 3);
    ListView1->SetLeft(CenterDoor->Left() + 3);
    RightDoor->SetLeft(MainPanel->Width());
    Image2->Show();
    UImage->SetBounds(0, 0, UImage->Picture().Width(), UImage->Picture().Height());
    MainPanel->SetHeight(FH / 3);
    CenterDoor->SetHeight(MainPanel->Height());
    DownDoor->SetTop(MainPanel->Height() + UpDoor->Top() + 3);
    DownDoor->SetWidth(MainPanel->Width());
    DownDoor->Show();
    UnderView->SetTop(DownDoor->Top() + 3);
    UnderView->SetWidth(MainPanel->Width());
    UnderView->SetHeight(H - MainPanel->Height() - UpperView->Height() - 6);
    UnderView->Show();
    RightDoorData->SetCaption(NumberToStr(W - RightDoor->Left()));
    DownDoorData->SetCaption(NumberToStr(H - DownDoor->Top()));
    ListView1Click(ListView1);
}

void TImageForm::ShowRightView()
{
    if (Image3->Visible())
        return;
    const int W = ClientWidth(), H = ClientHeight(), FW = Width();
    Image1->Hide();
    Image2->Hide();
    m_process.view->Hide();
    DownDoor->Hide();
    FView->Hide();
    CloseMenus();
    UnderView->Hide();
    MainPanel->SetHeight(H - UpperView->Height() - 3);
    DownDoor->SetTop(MainPanel->Height() + UpDoor->Top() + 3);
    CenterDoor->SetHeight(MainPanel->Height());
    RImage->SetBounds(0, 0, RImage->Picture().Width(), RImage->Picture().Height());
    Image3->Show();
    // The list gets two thirds of the window's outer width, rounded up.
    MainPanel->SetWidth(FW - FW / 3);
    CenterDoor->SetLeft(DirectoryListBox1->Width());
    ListView1->SetWidth(MainPanel->Width() - CenterDoor->Left() - 3);
    ListView1->SetLeft(CenterDoor->Left() + 3);
    RightDoor->SetBounds(MainPanel->Width(), RightDoor->Top(), 3, MainPanel->Height());
    RightDoor->Show();
    RightView->SetWidth(W - MainPanel->Width() - 3);
    RightView->SetLeft(RightDoor->Left() + 3);
    RightView->SetHeight(MainPanel->Height());
    RightView->Show();
    RightDoorData->SetCaption(NumberToStr(W - RightDoor->Left()));
    DownDoorData->SetCaption(NumberToStr(H - DownDoor->Top()));
    ListView1Click(ListView1);
}

void TImageForm::ShowSeparateView()
{
    if (Image1->Visible())
        return;
    const int W = ClientWidth(), H = ClientHeight();
    Image2->Hide();
    Image3->Hide();
    FView->Hide();
    CloseMenus();
    UnderView->Hide();
    RightView->Hide();
    MainPanel->SetWidth(W);
    CenterDoor->SetLeft(DirectoryListBox1->Width());
    MainPanel->SetHeight(H - UpperView->Height() - 3);
    CenterDoor->SetHeight(MainPanel->Height());
    ListView1->SetWidth(MainPanel->Width() - CenterDoor->Left() - 3);
    ListView1->SetLeft(CenterDoor->Left() + 3);
    RightDoor->SetLeft(MainPanel->Width());
    RightDoor->Hide();
    DownDoor->SetTop(MainPanel->Height() + UpDoor->Top() + 3);
    DownDoor->Hide();
    Image1->Show();
    m_process.view->Show();
    RightDoorData->SetCaption(NumberToStr(W - RightDoor->Left()));
    DownDoorData->SetCaption(NumberToStr(H - DownDoor->Top()));
    ListView1Click(ListView1);
}

void TImageForm::FBunriClick(TObject*) { ShowSeparateView(); }
void TImageForm::FUnderClick(TObject*) { ShowUnderView(); }
void TImageForm::FRightClick(TObject*) { ShowRightView(); }

}  // namespace orvane
