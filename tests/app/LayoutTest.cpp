// The hand-made layout of the main window: the top band's three heights and the door labels.

#include "tests/app/HeadlessRun.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace orvane;
using namespace tk;

namespace {
class Layout : public ::testing::Test {
protected:
    Layout() : run((mkdir((drive.Root() + "/work").c_str(), 0755), drive.drives), "C:\\work") {}

    // Drags the band's boundary to `top` the way a drag does: flag up, move, flag down.
    int SnapTo(int top)
    {
        TImageForm& form = run.Form();
        run.process.DragFlag.UpDoor = 1;
        form.SnapUpDoor(top - form.UpDoor->Top());
        run.process.DragFlag.UpDoor = 0;
        return form.UpDoor->Top();
    }

    TemporaryDrive drive;
    HeadlessRun run;
};
}  // namespace

TEST_F(Layout, TheTopBandSnapsToItsThreeHeights)
{
    EXPECT_EQ(SnapTo(14), 0);
    EXPECT_EQ(SnapTo(15), 25);
    EXPECT_EQ(SnapTo(35), 25);
    EXPECT_EQ(SnapTo(36), 50);
    TImageForm& form = run.Form();
    EXPECT_EQ(form.UpperView->Height(), 50);
    EXPECT_EQ(form.MarkTitle->Font().Size(), 18);
    EXPECT_FALSE(form.DirButton->Visible());
    SnapTo(25);
    EXPECT_EQ(form.UpDoorData->Caption(), "25");
    EXPECT_EQ(form.MarkTitle->Font().Size(), 10);
    EXPECT_TRUE(form.InfoButton->Visible());
    EXPECT_EQ(form.DirBox->Left(), form.ClientWidth() - 80);
    EXPECT_EQ(form.PanelInfo->Left(), form.DirBox->Left() - 30);
    EXPECT_EQ(form.MainPanel->Top(), 28);
}

TEST_F(Layout, WithoutTheDragFlagTheBoundaryStays)
{
    run.Form().SnapUpDoor(-40);
    EXPECT_EQ(run.Form().UpDoor->Top(), 50);
}

TEST_F(Layout, ADoorLabelWithoutDigitsReadsAsZero)
{
    TImageForm& form = run.Form();
    form.DownDoorData->SetCaption("none");
    form.InputResize(600, 340);
    EXPECT_EQ(form.DownDoor->Top(), 340) << "the lower door sits at the bottom edge";
    form.DownDoorData->SetCaption(" 40px");
    form.InputResize(600, 341);
    EXPECT_EQ(form.DownDoor->Top(), 301);
}

TEST_F(Layout, AtAnyOtherTypeSizeTheTitleDoesNotComeBack)
{
    TImageForm& form = run.Form();
    form.MarkTitle->Font().SetSize(12);
    for (int second = 0; second < 100; ++second)
        run.clock.Advance(1000);
    EXPECT_EQ(form.MarkTitle->Left(), 6 - 500);
}
