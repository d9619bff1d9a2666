// The shown folder follows what other programs do in it: rows appear and go within a second of
// the change, a burst of changes is listed once, and the selection and the viewer stay.

#include "tests/app/HeadlessRun.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace orvane;

namespace {

class FolderFollow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(drive.Root().empty());
        mkdir(Host("").c_str(), 0755);
        mkdir((drive.Root() + "/other").c_str(), 0755);
        Write("a.txt");
        Write("b.txt");
    }
    std::string Host(const std::string& name) const { return drive.Root() + "/work/" + name; }
    void Write(const std::string& name) const { std::ofstream(Host(name)) << "text of " << name; }

    static std::vector<std::string> Rows(TImageForm& form)
    {
        std::vector<std::string> names;
        for (int i = 0; i < form.ListView1->Items().Count(); ++i)
            names.push_back(form.ListView1->Items()[i].Caption());
        return names;
    }
    static std::string SelectedName(TImageForm& form)
    {
        const tk::TListItem* selected = form.ListView1->Selected();
        return selected ? selected->Caption() : "<none>";
    }
    static void Show(TImageForm& form, const std::string& name)
    {
        for (int i = 0; i < form.ListView1->Items().Count(); ++i)
            if (form.ListView1->Items()[i].Caption() == name) {
                form.ListView1->InputSelect(i);
                form.ListView1->InputClick();
                return;
            }
        ADD_FAILURE() << "no row " << name;
    }

    TemporaryDrive drive;
    using Names = std::vector<std::string>;
};

}  // namespace

TEST_F(FolderFollow, RowsFollowFilesMadeDeletedAndRenamedByOthersAndTheSelectionStays)
{
    HeadlessRun run(drive.drives, "C:\\work");
    TImageForm& form = run.Form();
    // The cache folder, made after the first listing, comes with the first turns.
    run.clock.Advance(1000);
    ASSERT_EQ(Rows(form), (Names{"View", "a.txt", "b.txt"}));
    Show(form, "b.txt");
    const std::string shown = run.process.CurrentPath;
    const std::string caption = run.process.view->Caption();
    EXPECT_EQ(shown, "C:\\work\\b.txt");

    Write("c.txt");
    run.clock.Advance(1000);
    EXPECT_EQ(Rows(form), (Names{"View", "a.txt", "b.txt", "c.txt"})) << "a file made by another program";
    EXPECT_EQ(SelectedName(form), "b.txt");
    EXPECT_EQ(run.process.CurrentPath, shown) << "the viewer is not asked to show anything";
    EXPECT_EQ(run.process.view->Caption(), caption);

    std::remove(Host("a.txt").c_str());
    std::rename(Host("c.txt").c_str(), Host("0.txt").c_str());
    run.clock.Advance(1000);
    EXPECT_EQ(Rows(form), (Names{"View", "0.txt", "b.txt"})) << "one deleted, one renamed";
    EXPECT_EQ(SelectedName(form), "b.txt") << "the selection moves with its row";

    // The selected file goes: nothing is selected, and the viewer keeps what it shows.
    std::remove(Host("b.txt").c_str());
    run.clock.Advance(1000);
    EXPECT_EQ(Rows(form), (Names{"View", "0.txt"}));
    EXPECT_EQ(SelectedName(form), "<none>");
    EXPECT_EQ(run.process.CurrentPath, shown);
}

TEST_F(FolderFollow, ABurstOfChangesIsListedWhenItSettlesOrOnceASecondWhileItLasts)
{
    HeadlessRun run(drive.drives, "C:\\work");
    const int turn = FolderFollower::IntervalMs;
    run.clock.Advance(1000);
    ASSERT_EQ(run.process.ListedCount, 3);
    // Files keep coming at every turn: the list waits, but not longer than a second.
    for (int i = 0; i < FolderFollower::LongestWait - 1; ++i) {
        Write("burst" + std::to_string(i) + ".txt");
        run.clock.Advance(turn);
        EXPECT_EQ(run.process.ListedCount, 3) << "listed in the middle of the burst, at turn " << i;
    }
    Write("burst9.txt");
    run.clock.Advance(turn);
    EXPECT_EQ(run.process.ListedCount, 3 + FolderFollower::LongestWait) << "a second of changes is listed";

    // A short burst: one listing a turn after it ends.
    Write("late1.txt");
    Write("late2.txt");
    run.clock.Advance(turn);
    EXPECT_EQ(run.process.ListedCount, 7);
    run.clock.Advance(turn);
    EXPECT_EQ(run.process.ListedCount, 9);
}

TEST_F(FolderFollow, AnotherFolderIsFollowedOnceItIsShownAndTheOldOneNoMore)
{
    HeadlessRun run(drive.drives, "C:\\work");
    TImageForm& form = run.Form();
    form.DirectoryListBox1->SetDirectory("C:\\other");
    ASSERT_EQ(Rows(form), Names{});
    // Right after the listing, before the timer's next turn.
    Write("elsewhere.txt");
    std::ofstream(drive.Root() + "/other/here.txt") << "here";
    run.clock.Advance(1000);
    EXPECT_EQ(Rows(form), Names{"here.txt"});
}
