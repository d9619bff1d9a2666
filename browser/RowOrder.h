#pragma once

// How the file list compares and orders its rows.

#include <array>
#include <cstdint>
#include <string_view>
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

// Sorts idx[lo..hi] by the rows the indexes name: a partition sort in the manner of Hoare with
// the middle element as pivot, in either direction. `compare(a, b)` compares rows a and b; only
// its sign counts. Rows that compare equal may end in any order.
template <class Compare>
void QuickSortRows(std::vector<int>& idx, int lo, int hi, TSortDirection direction, const Compare& compare)
{
    const bool descending = direction == TSortDirection::Descending;
    for (;;) {
        const int pivot = idx[(lo + hi) / 2];
        int i = lo, j = hi;
        while (i <= j) {
            if (!descending) {
                while (i <= hi && compare(idx[i], pivot) < 0)
                    ++i;
                while (j >= lo && compare(pivot, idx[j]) < 0)
                    --j;
            } else {
                while (i <= hi && compare(idx[i], pivot) > 0)
                    ++i;
                while (j >= lo && compare(pivot, idx[j]) > 0)
                    --j;
            }
            if (i <= j) {
                std::swap(idx[i], idx[j]);
                ++i;
                --j;
            }
        }
        if (lo < j)
            QuickSortRows(idx, lo, j, direction, compare);
        // The second half loops here instead of recursing, so the depth stays small.
        if (i >= hi)
            return;
        lo = i;
    }
}

}  // namespace orvane
