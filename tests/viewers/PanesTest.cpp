// The viewer panes' scroll bars panning a picture, and the menu state that clicks on the
// window's surfaces close.

#include "app/View.h"
#include "tests/app/HeadlessRun.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace orvane;
using namespace tk;

namespace {

class Panes : public ::testing::Test {
protected:
    Panes() : run((mkdir((drive.Root() + "/work").c_str(), 0755), drive.drives), "C:\\work") {}

    // Shows a picture of the size in the under pane, the bars placed as the display places them.
    void ShowPicture(TImage& image, int width, int height)
    {
        image.Picture().SetGraphic(std::make_unique<TBitmap>(width, height));
    }

    TemporaryDrive drive;
    HeadlessRun run;
};

}  // namespace

TEST_F(Panes, ABarPansFromZeroToTheOverflowOnceItHasChanged)
{
    TImageForm& form = run.Form();
    form.UnderView->SetBounds(0, 218, 481, 150);
    ShowPicture(*form.UImage, 600, 400);
    form.UScrollBarX->Show();
    form.UScrollBarY->Show();
    EXPECT_EQ(form.UScrollBarY->Max(), 100) << "the old maximum stays until the bar first changes";

    form.UScrollBarY->InputScroll(1);
    EXPECT_EQ(form.UScrollBarY->Max(), 250);
    EXPECT_EQ(form.UScrollBarY->Height(), 140);
    EXPECT_EQ(form.UScrollBarY->LargeChange(), 70);
    form.UScrollBarX->InputScroll(1);
    EXPECT_EQ(form.UScrollBarX->Max(), 119);
    EXPECT_EQ(form.UScrollBarX->Width(), 471);
    EXPECT_EQ(form.UScrollBarX->LargeChange(), 235);

    form.UScrollBarY->InputScroll(250);
    EXPECT_EQ(form.UImage->Top(), -250) << "the picture's bottom meets the pane's bottom";
    EXPECT_EQ(form.UImage->Height(), 400);
    form.UScrollBarY->InputScroll(900);
    EXPECT_EQ(form.UImage->Top(), -250);
}

TEST_F(Panes, APictureAsHighAsThePaneHasNoVerticalBarOneMorePixelHasARangeOfOne)
{
    TImageForm& form = run.Form();
    form.RightView->SetBounds(481, 61, 104, 157);
    ShowPicture(*form.RImage, 50, 157);
    form.RScrollBarY->Show();
    form.RScrollBarY->InputScroll(5);
    EXPECT_FALSE(form.RScrollBarY->Visible());
    EXPECT_EQ(form.RImage->Top(), -form.RScrollBarY->Position()) << "the picture follows the bar's position";

    ShowPicture(*form.RImage, 50, 158);
    form.RScrollBarY->Show();
    form.RScrollBarY->InputScroll(0);
    form.RScrollBarY->InputScroll(1);
    EXPECT_TRUE(form.RScrollBarY->Visible());
    EXPECT_EQ(form.RScrollBarY->Max(), 1);
    EXPECT_EQ(form.RImage->Top(), -1);
    EXPECT_EQ(form.RScrollBarY->Height(), form.RScrollBarX->Visible() ? 147 : 157);
}

TEST_F(Panes, LoweringTheMaximumBelowThePositionMovesThePicture)
{
    TImageForm& form = run.Form();
    form.UnderView->SetBounds(0, 218, 481, 150);
    ShowPicture(*form.UImage, 100, 400);
    form.UScrollBarX->Hide();
    form.UScrollBarY->Show();
    form.UScrollBarY->InputScroll(90);
    EXPECT_EQ(form.UScrollBarY->Max(), 250);
    ShowPicture(*form.UImage, 100, 200);
    form.UScrollBarY->InputScroll(80);
    EXPECT_EQ(form.UScrollBarY->Max(), 50);
    EXPECT_EQ(form.UScrollBarY->Position(), 50);
    EXPECT_EQ(form.UImage->Top(), -50);
    EXPECT_EQ(form.UScrollBarY->Height(), 150) << "without the other bar the bar takes the pane's whole height";
}

TEST_F(Panes, ClicksOnTheSurfacesCloseTheFirstLevelMenusOnly)
{
    TImageForm& form = run.Form();
    run.process.MenuMode = 1;
    run.process.HoveredMenu = 3;
    form.PanelView->SetBevelOuter(TBevelCut::bvLowered);
    form.FView->Show();
    form.ViewFile->Show();
    form.Mark->InputClick();
    EXPECT_FALSE(form.FView->Visible());
    EXPECT_TRUE(form.ViewFile->Visible()) << "a second-level drop-down stays open";
    EXPECT_EQ(form.PanelView->BevelOuter(), TBevelCut::bvNone);
    EXPECT_EQ(run.process.MenuMode, 0);
    EXPECT_EQ(run.process.HoveredMenu, 0);

    form.PanelFile->SetBevelOuter(TBevelCut::bvRaised);
    run.process.MenuMode = 1;
    form.InputClick();
    EXPECT_EQ(run.process.MenuMode, 0);
    EXPECT_EQ(form.PanelFile->BevelOuter(), TBevelCut::bvRaised)
        << "with no caption entered the captions keep their bevels";
}

// A click on the detached window or its picture hides the main window's drop-downs and nothing
// else: menu mode and the captions stay as they are, and so does a second level.
TEST_F(Panes, ClicksOnTheDetachedWindowHideTheFirstLevelDropDownsAlone)
{
    TImageForm& form = run.Form();
    Tview& view = *run.process.view;
    for (TControl* surface : std::initializer_list<TControl*>{&view, view.Image1}) {
        run.process.MenuMode = 1;
        form.PanelTool->SetBevelOuter(TBevelCut::bvLowered);
        form.FTool->Show();
        form.MenuFile->Show();
        form.ViewSeiretu->Show();
        surface->InputClick();
        EXPECT_FALSE(form.FTool->Visible());
        EXPECT_FALSE(form.MenuFile->Visible());
        EXPECT_TRUE(form.ViewSeiretu->Visible());
        EXPECT_EQ(run.process.MenuMode, 1);
        EXPECT_EQ(form.PanelTool->BevelOuter(), TBevelCut::bvLowered);
    }
}

TEST_F(Panes, TheRichEditsAreReadOnlyAndCloseTheMenusWhenPressedOrChanged)
{
    TImageForm& form = run.Form();
    EXPECT_TRUE(form.URichEdit->ReadOnly());
    EXPECT_FALSE(form.RRichEdit->WordWrap());
    EXPECT_EQ(form.URichEdit->Lines()[0], " ");
    EXPECT_EQ(form.URichEdit->BoundsRect(), Bounds(1, 1, form.UnderView->Width() - 2, form.UnderView->Height() - 2))
        << "the rich edit fills the pane inside its bevel";
    run.process.MenuMode = 1;
    form.URichEdit->InputMouseDown(TMouseButton::mbLeft, ssLeft, 3, 3);
    EXPECT_EQ(run.process.MenuMode, 0);
    run.process.MenuMode = 1;
    form.RRichEdit->Lines().SetText("changed");
    EXPECT_EQ(run.process.MenuMode, 0);
}

// Dragging a door fits only the bar along what it changes. The lower pane's picture goes back to
// the top once it fits; the right pane's keeps its place sideways, as it always has.
TEST_F(Panes, ADraggedDoorFitsTheBarAlongItAndLeavesRoomForTheOther)
{
    TImageForm& form = run.Form();
    run.process.PictureShown = 1;
    ShowPicture(*form.UImage, 600, 400);
    form.UScrollBarX->Show();
    form.UScrollBarY->SetHeight(80);
    form.UnderView->SetWidth(481);
    run.process.DragFlag.DownDoor = 1;
    form.DownDoorMouseMove(form.DownDoor, {}, 0, 0);
    const int paneHeight = form.UnderView->Height();
    ASSERT_LT(paneHeight, 400);
    EXPECT_TRUE(form.UScrollBarY->Visible());
    EXPECT_EQ(form.UScrollBarY->Max(), 400 - paneHeight);
    EXPECT_EQ(form.UScrollBarY->LargeChange(), 40) << "half the bar's length before the drag";
    EXPECT_EQ(form.UScrollBarY->Height(), paneHeight - 10);
    EXPECT_EQ(form.UScrollBarY->Left(), 471);
    EXPECT_EQ(form.UScrollBarX->Width(), 471);

    form.UImage->SetTop(-30);
    ShowPicture(*form.UImage, 600, 20);
    form.DownDoorMouseMove(form.DownDoor, {}, 0, 0);
    EXPECT_FALSE(form.UScrollBarY->Visible());
    EXPECT_EQ(form.UImage->Top(), 0);
    EXPECT_EQ(form.UScrollBarX->Width(), 481);
    run.process.DragFlag.DownDoor = 0;

    form.RightDoor->SetLeft(form.ClientWidth() - 200);
    ShowPicture(*form.RImage, 30, 20);
    form.RImage->SetLeft(-25);
    form.RScrollBarX->Show();
    run.process.DragFlag.RightDoor = 1;
    form.RightDoorMouseMove(form.RightDoor, {}, 0, 0);
    EXPECT_FALSE(form.RScrollBarX->Visible());
    EXPECT_EQ(form.RImage->Left(), -25);
    EXPECT_EQ(form.RScrollBarY->Height(), form.RightView->Height());
}
