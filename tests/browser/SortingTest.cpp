// The file list sorted as the sort buttons sort it: by every key, both ways, on random rows and
// on 200,000 rows in an order that defeats the sort's pivot, on a thread with a small stack.

#include "browser/DateText.h"
#include "browser/FileRows.h"
#include "browser/RowOrder.h"
#include "tests/app/HeadlessRun.h"
#include "tests/browser/AdversarialOrders.h"
#include "tests/browser/SmallStack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace orvane;
using namespace sorting_test;

namespace {

struct Row {
    bool folder = false;
    long long value = 0;  // Every field of the row sorts as this value.
};

std::string Padded(long long value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%07lld", value);
    return text;
}

// A listed row as ListFolder writes it, whose name, size, type and time all sort as its value.
void WriteRow(tk::TListItem& item, const Row& row)
{
    const long long v = row.value;
    const platform::LocalTime time{2001, 1, 1 + int(v / 86400), int(v / 3600 % 24), int(v / 60 % 60), int(v % 60)};
    item.SetCaption((row.folder ? "d" : "f") + Padded(v) + (row.folder ? "" : ".dat"));
    item.SetSubItems({row.folder ? "" : std::to_string(v), row.folder ? FolderType : Padded(v) + FileTypeSuffix,
                      DateText(time, '/'), row.folder ? FolderMarker : FileMarker});
}

const char* NameOf(TSortKey key)
{
    static const char* const names[] = {"name", "size", "type", "date"};
    return names[static_cast<int>(key)];
}

// The program started in an empty folder, whose list is then given rows of the test's own.
class Sorting : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(m_run.process.ListedCount, 0); }

    void List(const std::vector<Row>& rows)
    {
        tk::TListItems& items = Form().ListView1->Items();
        items.Clear();
        items.Reserve(int(rows.size()));
        for (const Row& row : rows)
            WriteRow(items.Add(), row);
        m_run.process.ListedCount = int(rows.size());
    }

    // Sorts the listed rows by the key in the direction, as the menus do, on a small stack. The
    // direction is chosen while the list seems empty, so that the rows are sorted once, by the key.
    void Sort(TSortKey key, TSortDirection direction)
    {
        TImageForm& form = Form();
        const int listed = std::exchange(m_run.process.ListedCount, 0);
        if (direction == TSortDirection::Ascending)
            form.SortAscending();
        else
            form.SortDescending();
        m_run.process.ListedCount = listed;
        for (tk::TImage* check : {form.Image6, form.Image7, form.Image8, form.Image9})
            check->Hide();
        const bool ran = RunOnSmallStack([&] {
            switch (key) {
            case TSortKey::Name: form.SortByName(); break;
            case TSortKey::Size: form.SortBySize(); break;
            case TSortKey::Type: form.SortByType(); break;
            case TSortKey::Date: form.SortByDate(); break;
            }
        });
        ASSERT_TRUE(ran);
        ASSERT_EQ(m_run.process.SortKey, key);
        ASSERT_EQ(m_run.process.SortDirection, direction);
    }

    // The rows listed, each once and whole, folders first, each group in order by the key.
    void ExpectSorted(const std::vector<Row>& listed, TSortKey key, TSortDirection direction, const std::string& what)
    {
        const tk::TListItems& items = Form().ListView1->Items();
        ASSERT_EQ(items.Count(), int(listed.size())) << what;
        std::vector<long long> before, after;
        for (const Row& row : listed)
            before.push_back(row.value * 2 + row.folder);
        tk::TListItem expected;
        for (int at = 0; at < items.Count(); ++at) {
            const tk::TListItem& item = items[at];
            const Row row{item.Caption().starts_with("d"), std::atoll(item.Caption().c_str() + 1)};
            WriteRow(expected, row);
            ASSERT_TRUE(item.Caption() == expected.Caption() && item.SubItems() == expected.SubItems())
                << what << ": row " << at << " (" << item.Caption() << ") is not whole";
            after.push_back(row.value * 2 + row.folder);
        }
        std::sort(before.begin(), before.end());
        std::sort(after.begin(), after.end());
        ASSERT_TRUE(before == after) << what << ": the rows are no longer the rows listed";

        auto compare = [key](const tk::TListItem& a, const tk::TListItem& b) {
            switch (key) {
            case TSortKey::Size: return CompareNumber(a.SubItem(SizeField), b.SubItem(SizeField));
            case TSortKey::Type: return CompareText(a.SubItem(TypeField), b.SubItem(TypeField));
            case TSortKey::Date: return CompareText(a.SubItem(TimeField), b.SubItem(TimeField));
            case TSortKey::Name: break;
            }
            return CompareText(a.Caption(), b.Caption());
        };
        for (int at = 1; at < items.Count(); ++at) {
            const tk::TListItem& a = items[at - 1];
            const tk::TListItem& b = items[at];
            const bool folderA = a.SubItem(MarkerField) == FolderMarker, folderB = b.SubItem(MarkerField) == FolderMarker;
            ASSERT_TRUE(folderA || !folderB) << what << ": a folder after a file at row " << at;
            if (folderA != folderB)
                continue;
            const int order = compare(a, b);
            ASSERT_TRUE(direction == TSortDirection::Ascending ? order <= 0 : order >= 0)
                << what << ": " << a.Caption() << " before " << b.Caption() << " at row " << at;
        }
    }

    TImageForm& Form() { return m_run.Form(); }

    TemporaryDrive m_drive;
    HeadlessRun m_run{m_drive.drives, "C:\\"};
};

constexpr TSortKey AllKeys[] = {TSortKey::Name, TSortKey::Size, TSortKey::Type, TSortKey::Date};
constexpr TSortDirection BothDirections[] = {TSortDirection::Ascending, TSortDirection::Descending};

}  // namespace

// Random folders and files with many equal values.
TEST_F(Sorting, RandomRowsByEveryKeyInBothDirections)
{
    std::mt19937 random(7);
    std::vector<Row> rows(60000);
    for (Row& row : rows) {
        row.folder = random() % 10 == 0;
        row.value = random() % 20000;
    }
    for (TSortKey key : AllKeys)
        for (TSortDirection direction : BothDirections) {
            List(rows);
            Sort(key, direction);
            ExpectSorted(rows, key, direction, std::string("by ") + NameOf(key));
        }
}

// 200,000 files whose order makes the middle row of every part the last (or the first) of it,
// made for the arrangement the sort by key starts from: the one the sort of folders before files
// leaves. A sort that recursed into every left part went 200,000 calls deep here and crashed; one
// without a bound on the partitions took minutes.
TEST_F(Sorting, OrdersThatDefeatThePivotByEveryKeyInBothDirections)
{
    const int n = 200000;
    std::vector<int> start(n);
    std::iota(start.begin(), start.end(), 0);
    QuickSortRows(start, 0, n - 1, TSortDirection::Ascending, [](int, int) { return 0; });
    for (Killer kind : {Killer::DeepLeft, Killer::DeepRight}) {
        const std::vector<int> rank = KillerRanks(start, kind);
        for (TSortKey key : AllKeys)
            for (TSortDirection direction : BothDirections) {
                const std::vector<long long> values = ValuesOfRanks(rank, direction == TSortDirection::Descending);
                std::vector<Row> rows(n);
                for (int r = 0; r < n; ++r)
                    rows[r].value = values[r];
                List(rows);
                Sort(key, direction);
                ExpectSorted(rows, key, direction,
                             std::string(kind == Killer::DeepLeft ? "deep left" : "deep right") + " by " + NameOf(key));
            }
    }
}
