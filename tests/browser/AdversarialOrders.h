#pragma once

// Orders of rows that defeat the list sort's pivot, the middle row of each part. They are made for
// the exact partition steps of QuickSortRows: when the middle row of [lo, hi] is the last of the
// part in sort order, the partition swaps it with the row at hi and leaves [lo, hi - 1] on the
// left; when it is the first, it swaps it with the row at lo and leaves [lo + 1, hi] on the right.
// Following those swaps from the arrangement the sort starts from gives each row its rank, in
// linear time. A sort that recurses into every left part goes n levels deep on the first kind,
// and any plain partition sort takes n * n / 2 comparisons on either.

#include <utility>
#include <vector>

namespace sorting_test {

enum class Killer { DeepLeft, DeepRight };

// The rank in sort order (0 first) of each row, for a sort that starts from `start` (the rows in
// the positions the partition sees them; a permutation of 0 .. n - 1).
inline std::vector<int> KillerRanks(std::vector<int> start, Killer kind)
{
    const int n = static_cast<int>(start.size());
    std::vector<int> rank(n, 0);
    int lo = 0, hi = n - 1, first = 0, last = n - 1;
    while (lo <= hi) {
        const int middle = lo + (hi - lo) / 2;
        if (kind == Killer::DeepLeft) {
            rank[start[middle]] = last--;
            std::swap(start[middle], start[hi]);
            --hi;
        } else {
            rank[start[middle]] = first++;
            std::swap(start[middle], start[lo]);
            ++lo;
        }
    }
    return rank;
}

// Ranks as the values that sort into that order, ascending or descending.
inline std::vector<long long> ValuesOfRanks(const std::vector<int>& rank, bool descending)
{
    const long long n = static_cast<long long>(rank.size());
    std::vector<long long> values(rank.size());
    for (size_t row = 0; row < rank.size(); ++row)
        values[row] = descending ? n - 1 - rank[row] : rank[row];
    return values;
}

}  // namespace sorting_test
