#pragma once

// How the file list compares and orders its rows.

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane {

// What the file list is sorted by, and which way; numbered as the probe reports them.
enum class TSortKey : int { Name = 0, Size = 1, Type = 2, Date = 3 };
enum class TSortDirection : int { Ascending = 0, Descending = 1 };

// Compares two texts by at most their first 20 bytes: ASCII letters without regard to case (a
// letter that is the second byte of a double-byte character is no letter), other bytes by their
// value, except that byte 0xFF counts as -1. A text that ends first compares by the other's next
// byte.
int CompareText(std::string_view a, std::string_view b);

// Compares two texts by the numbers they read as (atoi's rules, 64-bit).
int CompareNumber(std::string_view a, std::string_view b);

// A text made once into bytes whose plain comparison has the sign CompareText gives: each of the
// first 20 bytes mapped as CompareText maps it and moved up by one (so 0xFF, which counts as -1,
// becomes 0), the end of the text as 1 (the terminating zero moved up), and 1 after it.
using TextSortKey = std::array<uint8_t, 20>;
TextSortKey MakeTextSortKey(std::string_view text);
// Negative, zero or positive as a is below, equal to or above b, byte by byte.
int CompareSortKeys(const TextSortKey& a, const TextSortKey& b);

// One partition of idx[lo..hi] in the manner of Hoare, around the middle element: afterwards no
// element of idx[lo..j] comes after the pivot and none of idx[i..hi] before it (`before(a, b)`:
// row a goes before row b). Gives {i, j}.
template <class Before>
std::pair<int, int> PartitionRows(std::vector<int>& idx, int lo, int hi, const Before& before)
{
    const int pivot = idx[(lo + hi) / 2];
    int i = lo, j = hi;
    while (i <= j) {
        while (i <= hi && before(idx[i], pivot))
            ++i;
        while (j >= lo && before(pivot, idx[j]))
            --j;
        if (i <= j) {
            std::swap(idx[i], idx[j]);
            ++i;
            --j;
        }
    }
    return {i, j};
}

// Parts of at most this many rows are always partitioned: their cost is bounded by their size.
inline constexpr int SmallRowPart = 16;

// The partition sort of idx[lo..hi]. The smaller part of each partition is sorted by a call and
// the larger by the loop, so a call's part is at most half its caller's and the stack holds at
// most log2(n) calls whatever the order. An order that defeats the middle pivot still makes each
// partition split off a row or two; after `depthLeft` partitions of larger parts on the way to a
// part, the part is heap sorted instead, which bounds the time to n log n.
template <class Before>
void SortRowsWithin(std::vector<int>& idx, int lo, int hi, int depthLeft, const Before& before)
{
    while (lo < hi) {
        if (hi - lo + 1 > SmallRowPart && depthLeft-- == 0) {
            std::make_heap(idx.begin() + lo, idx.begin() + hi + 1, before);
            std::sort_heap(idx.begin() + lo, idx.begin() + hi + 1, before);
            return;
        }
        const auto [i, j] = PartitionRows(idx, lo, hi, before);
        if (j - lo < hi - i) {
            SortRowsWithin(idx, lo, j, depthLeft, before);
            lo = i;
        } else {
            SortRowsWithin(idx, i, hi, depthLeft, before);
            hi = j;
        }
    }
}

// Sorts idx[lo..hi] by the rows the indexes name, in either direction: the partition sort above,
// with at most 3 log2(n) partitions of larger parts on the way to any part. Introsort allows
// 2 log2(n) behind its median of three; with the middle row alone as pivot, random lists of
// 1,000 rows and more go deeper than that often, and their equal rows would come out in another
// order than the partition gives them. `compare(a, b)` compares rows a and b; only its sign
// counts, and it must order the rows consistently. Rows that compare equal may end in any order.
template <class Compare>
void QuickSortRows(std::vector<int>& idx, int lo, int hi, TSortDirection direction, const Compare& compare)
{
    if (lo >= hi)
        return;
    const int depthLimit = 3 * (std::bit_width(static_cast<unsigned>(hi - lo + 1)) - 1);
    if (direction == TSortDirection::Descending)
        SortRowsWithin(idx, lo, hi, depthLimit, [&compare](int a, int b) { return compare(a, b) > 0; });
    else
        SortRowsWithin(idx, lo, hi, depthLimit, [&compare](int a, int b) { return compare(a, b) < 0; });
}

}  // namespace orvane
