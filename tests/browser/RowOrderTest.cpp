// How the file list compares rows and writes dates.

#include "browser/DateText.h"
#include "browser/RowOrder.h"
#include "tests/browser/AdversarialOrders.h"
#include "tests/browser/SmallStack.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <random>
#include <string>
#include <vector>

using namespace orvane;
using namespace sorting_test;

TEST(CompareText, LettersWithoutCaseAndOnlyTheFirstTwentyBytes)
{
    EXPECT_EQ(CompareText("readme.TXT", "README.txt"), 0);
    EXPECT_EQ(CompareText("abcdefghijklmnopqrstX", "ABCDEFGHIJKLMNOPQRSTy"), 0) << "bytes past the 20th do not count";
    EXPECT_LT(CompareText("abc", "abd"), 0);
    EXPECT_LT(CompareText("ab", "abc"), 0) << "a text that ends first compares by the other's next byte";
    EXPECT_GT(CompareText("abc", "ab"), 0);
    EXPECT_EQ(CompareText("", ""), 0);
    EXPECT_LT(CompareText("\xFF", "\x01"), 0) << "byte 0xFF counts as -1";
    EXPECT_GT(CompareText("\x82\xA0", "\x81\x40"), 0) << "double-byte characters compare byte by byte";
    EXPECT_GT(CompareText("_", "Z"), 0) << "only a to z are folded, so the underscore sorts after the letters";
}

TEST(CompareText, TheSecondByteOfADoubleByteCharacterIsNeverFolded)
{
    EXPECT_LT(CompareText("ィb.txt", "ッa.txt"), 0) << "0x83 0x42 before 0x83 0x62";
    EXPECT_NE(CompareText("ャ", "イ"), 0);
    EXPECT_EQ(CompareText("aャ", "Aャ"), 0);
}

// The keys made once per row order rows as the comparison of their texts does, for texts of
// letters, double-byte characters, stray lead bytes, 0xFF and every length around 20 bytes.
TEST(TextSortKey, OrdersAsCompareTextDoes)
{
    const std::string alphabet[] = {"a", "A", "b", "z", "_", ".", " ", "\xFF", "\x01", "\x7F", "\x83" "b", "\x83" "B",
                                    "\x83", "\x95\\", "\xE0", "\xFE", "0", "9"};
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    std::vector<std::string> texts = {"", "a", "A"};
    for (int i = 0; i < 400; ++i) {
        std::string text;
        for (int length = int(next() % 25); length > 0; --length)
            text += alphabet[next() % std::size(alphabet)];
        texts.push_back(text);
    }
    auto sign = [](int value) { return (value > 0) - (value < 0); };
    for (const std::string& a : texts)
        for (const std::string& b : texts)
            ASSERT_EQ(sign(CompareSortKeys(MakeTextSortKey(a), MakeTextSortKey(b))), sign(CompareText(a, b)))
                << "\"" << a << "\" against \"" << b << "\"";
}

TEST(CompareNumber, SizesCompareAsNumbersBeyondThirtyTwoBits)
{
    EXPECT_LT(CompareNumber("999", "1000"), 0);
    EXPECT_EQ(CompareNumber("", "0"), 0) << "a folder's empty size counts as 0";
    EXPECT_GT(CompareNumber("5368709120", "3221225472"), 0);
}

TEST(QuickSortRows, SortsTheIndexRangeInEitherDirection)
{
    std::vector<std::string> texts = {"pear", "Apple", "fig", "apple", "banana", "Fig"};
    std::vector<int> idx = {0, 1, 2, 3, 4, 5};
    auto compare = [&](int a, int b) { return CompareText(texts[a], texts[b]); };  // only its sign counts
    QuickSortRows(idx, 0, 5, TSortDirection::Ascending, compare);
    std::vector<std::string> sorted;
    for (int row : idx)
        sorted.push_back(texts[row]);
    for (size_t i = 1; i < sorted.size(); ++i)
        EXPECT_LE(CompareText(sorted[i - 1], sorted[i]), 0) << sorted[i - 1] << " before " << sorted[i];
    QuickSortRows(idx, 0, 5, TSortDirection::Descending, compare);
    EXPECT_EQ(texts[idx[0]], "pear");
    EXPECT_EQ(texts[idx[5]].substr(1), "pple");
}

namespace {
std::vector<int> Identity(int n)
{
    std::vector<int> idx(n);
    std::iota(idx.begin(), idx.end(), 0);
    return idx;
}

const char* NameOf(TSortDirection direction)
{
    return direction == TSortDirection::Ascending ? "ascending" : "descending";
}

// Sorts rows of `values` on a small stack, counting the comparisons, and checks that the rows
// come out in order and each once. A sort that takes more than `budget` comparisons is told that
// all rows are equal from then on, so that a quadratic sort fails here at once instead of running
// for minutes.
void ExpectSorted(const std::vector<long long>& values, TSortDirection direction, long long budget,
                  const std::string& what)
{
    const int n = static_cast<int>(values.size());
    std::vector<int> idx = Identity(n);
    long long comparisons = 0;
    auto compare = [&](int a, int b) {
        if (++comparisons > budget)
            return 0;
        return values[a] < values[b] ? -1 : values[a] > values[b] ? 1 : 0;
    };
    ASSERT_TRUE(RunOnSmallStack([&] { QuickSortRows(idx, 0, n - 1, direction, compare); })) << what;
    EXPECT_LE(comparisons, budget) << what << ": more comparisons than n log n allows";
    std::vector<bool> seen(n);
    for (int row : idx) {
        ASSERT_TRUE(row >= 0 && row < n && !seen[row]) << what << ": row " << row << " missing or twice";
        seen[row] = true;
    }
    for (int at = 1; at < n; ++at) {
        const long long a = values[idx[at - 1]], b = values[idx[at]];
        ASSERT_TRUE(direction == TSortDirection::Ascending ? a <= b : a >= b)
            << what << ": " << a << " before " << b << " at row " << at;
    }
}

// A generous multiple of n log2 n: a sort that is quadratic anywhere needs thousands of times more.
long long Budget(int n)
{
    return static_cast<long long>(8 * n * std::log2(double(n))) + 16;
}
}  // namespace

// The orders the tests use defeat the middle pivot: partition after partition splits off a
// single row, on the side each kind says.
TEST(QuickSortRows, KillerOrdersLeaveOneRowPerPartition)
{
    const int n = 1000;
    for (Killer kind : {Killer::DeepLeft, Killer::DeepRight}) {
        const std::vector<int> rank = KillerRanks(Identity(n), kind);
        auto before = [&rank](int a, int b) { return rank[a] < rank[b]; };
        std::vector<int> idx = Identity(n);
        int lo = 0, hi = n - 1;
        for (int level = 0; level < 100; ++level) {
            const auto [i, j] = PartitionRows(idx, lo, hi, before);
            if (kind == Killer::DeepLeft) {
                ASSERT_EQ(j, hi - 1) << "level " << level;
                ASSERT_EQ(rank[idx[hi]], n - 1 - level);
                hi = j;
            } else {
                ASSERT_EQ(i, lo + 1) << "level " << level;
                ASSERT_EQ(rank[idx[lo]], level);
                lo = i;
            }
        }
    }
}

// 200,000 rows in an order that defeats the middle pivot: the sort stays within a small stack
// and within n log n comparisons, in both directions.
TEST(QuickSortRows, OrdersThatDefeatTheMiddlePivotSortInLittleStackAndTime)
{
    const int n = 200000;
    for (Killer kind : {Killer::DeepLeft, Killer::DeepRight})
        for (TSortDirection direction : {TSortDirection::Ascending, TSortDirection::Descending}) {
            const std::vector<int> rank = KillerRanks(Identity(n), kind);
            const std::string what = std::string(kind == Killer::DeepLeft ? "deep left" : "deep right") + ", "
                                     + NameOf(direction);
            ExpectSorted(ValuesOfRanks(rank, direction == TSortDirection::Descending), direction, Budget(n), what);
        }
}

// Random rows with few and with many distinct values, all rows equal, sorted rows and short
// lists: every one in order, each row once.
TEST(QuickSortRows, RandomEqualAndPresortedRowsInEitherDirection)
{
    std::mt19937 random(20240611);
    auto randomValues = [&random](int n, long long distinct) {
        std::vector<long long> values(n);
        for (long long& value : values)
            value = std::uniform_int_distribution<long long>(0, distinct - 1)(random);
        return values;
    };
    struct Case {
        std::string what;
        std::vector<long long> values;
    };
    std::vector<Case> cases = {{"random", randomValues(200000, 1LL << 40)},
                               {"three values", randomValues(200000, 3)},
                               {"all equal", std::vector<long long>(100000, 7)}};
    std::vector<long long> rising(100000);
    std::iota(rising.begin(), rising.end(), 0);
    cases.push_back({"rising", rising});
    cases.push_back({"falling", std::vector<long long>(rising.rbegin(), rising.rend())});
    for (int n = 1; n <= 9; ++n)
        cases.push_back({std::to_string(n) + " rows", randomValues(n, 4)});
    for (const Case& c : cases)
        for (TSortDirection direction : {TSortDirection::Ascending, TSortDirection::Descending})
            ExpectSorted(c.values, direction, Budget(int(c.values.size())), c.what + ", " + NameOf(direction));
}

namespace {
// The partition alone, recursing into both parts without a bound: what the list's sort gave
// before its depth was bounded.
template <class Before>
void PartitionAlone(std::vector<int>& idx, int lo, int hi, const Before& before)
{
    if (lo >= hi)
        return;
    const auto [i, j] = PartitionRows(idx, lo, hi, before);
    PartitionAlone(idx, lo, j, before);
    PartitionAlone(idx, i, hi, before);
}
}  // namespace

// The bound on the depth is for orders made to defeat the pivot: on ordinary lists, random ones
// with many equal rows among them, the rows that compare equal keep the order the partition gives
// them, so a list looks as it always did.
TEST(QuickSortRows, OrdinaryListsComeOutInThePartitionsOwnOrder)
{
    for (int n : {100, 1000, 10000, 100000})
        for (int distinct : {3, n / 4, 1 << 30})
            for (unsigned seed = 0; seed < (n < 100000 ? 20u : 4u); ++seed) {
                std::mt19937 random(seed * 7919 + n + distinct);
                std::vector<int> values(n);
                for (int& value : values)
                    value = int(random() % unsigned(distinct));
                auto compare = [&values](int a, int b) { return values[a] < values[b] ? -1 : values[a] > values[b]; };
                std::vector<int> sorted = Identity(n), alone = Identity(n);
                QuickSortRows(sorted, 0, n - 1, TSortDirection::Ascending, compare);
                PartitionAlone(alone, 0, n - 1, [&values](int a, int b) { return values[a] < values[b]; });
                ASSERT_TRUE(sorted == alone) << n << " rows of " << distinct << " values, seed " << seed;
            }
}

// The list sorts its folders and its files as two ranges of one index array.
TEST(QuickSortRows, SortsOnlyItsRange)
{
    std::vector<int> values = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
    std::vector<int> idx = Identity(10);
    QuickSortRows(idx, 3, 7, TSortDirection::Ascending, [&](int a, int b) { return values[a] - values[b]; });
    EXPECT_EQ(idx, (std::vector<int>{0, 1, 2, 7, 6, 5, 4, 3, 8, 9}));
    QuickSortRows(idx, 5, 4, TSortDirection::Ascending, [&](int a, int b) { return values[a] - values[b]; });
    EXPECT_EQ(idx, (std::vector<int>{0, 1, 2, 7, 6, 5, 4, 3, 8, 9})) << "an empty range";
}

TEST(DateText, SortableFieldsAndTheDateAloneAtMidnight)
{
    EXPECT_EQ(DateText({2026, 1, 2, 3, 4, 6}, '/'), "2026/01/02 03:04:06");
    EXPECT_EQ(DateText({2026, 12, 31, 0, 0, 0}, '-'), "2026-12-31");
    EXPECT_EQ(DateText({2026, 12, 31, 0, 0, 2}, '-'), "2026-12-31 00:00:02");
}
