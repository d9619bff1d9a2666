// How the file list compares rows and writes dates.

#include "browser/DateText.h"
#include "browser/RowOrder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orvane;

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
    auto text = [&](int row) -> std::string_view { return texts[row]; };
    QuickSortRows(idx, 0, 5, false, false, text);
    std::vector<std::string> sorted;
    for (int row : idx)
        sorted.push_back(texts[row]);
    for (size_t i = 1; i < sorted.size(); ++i)
        EXPECT_LE(CompareText(sorted[i - 1], sorted[i]), 0) << sorted[i - 1] << " before " << sorted[i];
    QuickSortRows(idx, 0, 5, true, false, text);
    EXPECT_EQ(texts[idx[0]], "pear");
    EXPECT_EQ(texts[idx[5]].substr(1), "pple");
}

TEST(DateText, SortableFieldsAndTheDateAloneAtMidnight)
{
    EXPECT_EQ(DateText({2026, 1, 2, 3, 4, 6}, '/'), "2026/01/02 03:04:06");
    EXPECT_EQ(DateText({2026, 12, 31, 0, 0, 0}, '-'), "2026-12-31");
    EXPECT_EQ(DateText({2026, 12, 31, 0, 0, 2}, '-'), "2026-12-31 00:00:02");
}
