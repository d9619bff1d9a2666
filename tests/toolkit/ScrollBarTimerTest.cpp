// The scroll bar's change rule and timers on a manual clock.

#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "toolkit/Headless.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/Timer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tk;

namespace {
struct CountingBar {
    TScrollBar bar{nullptr};
    std::vector<int> changes;
    CountingBar()
    {
        bar.OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, &bar);
            changes.push_back(bar.Position());
        };
    }
};
}  // namespace

TEST(ScrollBarChange, RunsExactlyWhenThePositionChanges)
{
    CountingBar counting;
    TScrollBar& bar = counting.bar;
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Max(), 100);
    bar.SetPosition(0);
    EXPECT_TRUE(counting.changes.empty()) << "setting the same position is no change";
    bar.SetPosition(40);
    bar.SetPosition(40);
    bar.SetMax(200);
    EXPECT_EQ(counting.changes, (std::vector<int>{40})) << "a larger maximum leaves the position alone";
    bar.InputScroll(75);
    EXPECT_EQ(counting.changes, (std::vector<int>{40, 75}));
}

TEST(ScrollBarChange, LoweringTheMaximumBelowThePositionMovesItAndRunsTheEvent)
{
    CountingBar counting;
    counting.bar.SetPosition(90);
    counting.bar.SetMax(30);
    EXPECT_EQ(counting.bar.Position(), 30);
    EXPECT_EQ(counting.changes, (std::vector<int>{90, 30}));
    counting.bar.SetMax(60);
    counting.bar.SetMin(50);
    EXPECT_EQ(counting.bar.Position(), 50) << "raising the minimum pulls the position up";
}

TEST(ScrollBarChange, PositionsOutsideTheRangeAreClampedAndAnInvertedRangeIsRefused)
{
    CountingBar counting;
    counting.bar.SetPosition(500);
    EXPECT_EQ(counting.bar.Position(), 100);
    counting.bar.SetPosition(-5);
    EXPECT_EQ(counting.bar.Position(), 0);
    EXPECT_THROW(counting.bar.SetMax(-1), EInvalidOperation);
    EXPECT_EQ(counting.bar.Max(), 100) << "a refused range changes nothing";
}

TEST(ScrollBarChange, AnErrorInTheHandlerOfUserInputIsReportedAndThePositionStays)
{
    TApplication application;
    RecordingDialogs dialogs;
    application.SetDialogs(&dialogs);
    application.SetTitle("Orvane");
    auto* bar = new TScrollBar(&application);
    bar->OnChange = [](TObject*) { throw Exception("boom"); };
    bar->InputScroll(12);
    EXPECT_EQ(bar->Position(), 12);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "boom");
}

namespace {
struct ClockedApplication {
    // The clock outlives the application, whose timers leave the clock when they are freed.
    ManualClock clock;
    TApplication application;
    std::vector<std::string> fired;
    ClockedApplication() { application.SetClock(&clock); }
    TTimer* Timer(const std::string& name, int interval)
    {
        auto* timer = new TTimer(&application);
        timer->SetName(name);
        timer->SetInterval(interval);
        timer->OnTimer = [this, timer](TObject*) {
            fired.push_back(timer->Name() + "@" + std::to_string(clock.Now()));
        };
        return timer;
    }
};
}  // namespace

TEST(Timers, FireInOrderOfDueTimeAsTheClockAdvances)
{
    ClockedApplication app;
    app.Timer("slow", 1000);
    app.Timer("fast", 400);
    app.clock.Advance(999);
    EXPECT_EQ(app.fired, (std::vector<std::string>{"fast@400", "fast@800"}));
    app.clock.Advance(1);
    EXPECT_EQ(app.fired.back(), "slow@1000");
    app.clock.Advance(1200);
    EXPECT_EQ(app.fired, (std::vector<std::string>{"fast@400", "fast@800", "slow@1000", "fast@1200", "fast@1600",
                                                   "slow@2000", "fast@2000"}));
}

TEST(Timers, DisabledTimersDoNotFireAndSettingTheIntervalRestartsTheCount)
{
    ClockedApplication app;
    TTimer* timer = app.Timer("t", 1000);
    timer->SetEnabled(false);
    app.clock.Advance(5000);
    EXPECT_TRUE(app.fired.empty());
    timer->Fire();
    EXPECT_TRUE(app.fired.empty()) << "a disabled timer ignores a direct fire too";

    timer->SetEnabled(true);
    app.clock.Advance(800);
    timer->SetInterval(1000);
    app.clock.Advance(800);
    EXPECT_TRUE(app.fired.empty()) << "the same interval set again starts the count anew";
    app.clock.Advance(200);
    EXPECT_EQ(app.fired, (std::vector<std::string>{"t@6800"}));
}

TEST(Timers, AHandlerMayStopItselfAndAFreedTimerLeavesTheClock)
{
    ClockedApplication app;
    TTimer* once = app.Timer("once", 100);
    once->OnTimer = [&](TObject*) {
        app.fired.push_back("once");
        once->SetEnabled(false);
    };
    TTimer* freed = app.Timer("freed", 50);
    delete freed;
    app.clock.Advance(1000);
    EXPECT_EQ(app.fired, (std::vector<std::string>{"once"}));
    EXPECT_FALSE(app.clock.IsRunning(*once));
}
