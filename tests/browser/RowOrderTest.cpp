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

TEST(DateText, SortableFieldsAndTheDateAloneAtMidnight)
{
    EXPECT_EQ(DateText({2026, 1, 2, 3, 4, 6}, '/'), "2026/01/02 03:04:06");
    EXPECT_EQ(DateText({2026, 12, 31, 0, 0, 0}, '-'), "2026-12-31");
    EXPECT_EQ(DateText({2026, 12, 31, 0, 0, 2}, '-'), "2026-12-31 00:00:02");
}
