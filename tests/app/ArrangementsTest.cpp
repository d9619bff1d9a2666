// Switching the viewer arrangement, and the settings applied at start.

#include "tests/app/HeadlessRun.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace orvane;
using namespace tk;

namespace {
class Arrangements : public ::testing::Test {
protected:
    Arrangements() : run((mkdir((drive.Root() + "/work").c_str(), 0755), drive.drives), "C:\\work") {}

    TemporaryDrive drive;
    HeadlessRun run;
};
}  // namespace

TEST_F(Arrangements, UnderTakesAThirdOfTheOuterHeightRightTwoThirdsOfTheWidth)
{
    TImageForm& form = run.Form();
    form.ShowRightView();
    form.SetBounds(form.Left(), form.Top(), 600, 400);
    form.ShowUnderView();
    EXPECT_EQ(form.MainPanel->Height(), 133);
    EXPECT_TRUE(form.Image2->Visible());
    EXPECT_FALSE(form.RightView->Visible());
    form.ShowRightView();
    EXPECT_EQ(form.MainPanel->Width(), 400);
    EXPECT_EQ(form.RightView->Width(), form.ClientWidth() - 403);
    EXPECT_FALSE(form.Image2->Visible());
}

TEST_F(Arrangements, TheSeparateWindowLeavesTheListTheWholeWidthAcrossResizes)
{
    TImageForm& form = run.Form();
    form.ShowSeparateView();
    EXPECT_TRUE(run.process.view->Visible());
    EXPECT_EQ(form.RightDoorData->Caption(), "0");
    form.InputResize(700, 420);
    EXPECT_EQ(form.MainPanel->Width(), 700);
    form.ShowUnderView();
    EXPECT_FALSE(run.process.view->Visible()) << "leaving the separate arrangement hides its window";
}

TEST_F(Arrangements, TheArrangementShownAlreadyIsLeftAlone)
{
    TImageForm& form = run.Form();
    ASSERT_TRUE(form.Image2->Visible());
    form.MainPanel->SetHeight(77);
    run.process.DateSeparator = '/';
    form.ShowUnderView();
    EXPECT_EQ(form.MainPanel->Height(), 77);
    EXPECT_EQ(run.process.DateSeparator, '/') << "the file is not shown again";
}

TEST_F(Arrangements, ApplyingTheSettingsTwiceChangesOnlyTheBandAgain)
{
    TImageForm& form = run.Form();
    form.MainPanel->SetWidth(123);
    form.UpDoor->SetTop(7);
    form.Ini();
    EXPECT_EQ(form.MainPanel->Width(), 123);
    EXPECT_EQ(form.UpDoor->Top(), 50);
    form.MenuBar->SetCaption("0");
    form.InfoBar->SetCaption("1");
    form.UpDoor->SetTop(7);
    form.Ini();
    EXPECT_EQ(form.UpDoor->Top(), 7) << "an info bar without a menu bar is no band and changes nothing";
    form.ViewSet->SetCaption("7");
    form.Ini();
    EXPECT_TRUE(form.Image2->Visible());
}
