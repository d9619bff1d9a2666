#pragma once

// How the file list compares and orders its rows.

#include <string_view>
#include <vector>

namespace orvane {

// Compares two texts by at most their first 20 bytes: ASCII letters without regard to case (a
// letter that is the second byte of a double-byte character is no letter), other bytes by their
// value, except that byte 0xFF counts as -1. A text that ends first compares
// by the other's next byte.
int CompareText(std::string_view a, std::string_view b);

// Compares two texts by the numbers they read as (atoi's rules, 64-bit).
int CompareNumber(std::string_view a, std::string_view b);

// Sorts idx[lo..hi] by the texts of the rows the indexes name: a partition sort in the manner of
// Hoare with the middle element as pivot, ascending (descending = false) or descending. `text`
// gives a row's text of the sort field and `numeric` chooses the number comparison.
template <class TextOf>
void QuickSortRows(std::vector<int>& idx, int lo, int hi, bool descending, bool numeric, const TextOf& text)
{
    auto compare = [&](std::string_view a, std::string_view b) {
        return numeric ? CompareNumber(a, b) : CompareText(a, b);
    };
    for (;;) {
        std::string_view pivot = text(idx[(lo + hi) / 2]);
        int i = lo, j = hi;
        while (i <= j) {
            if (!descending) {
                while (i <= hi && compare(text(idx[i]), pivot) < 0)
                    ++i;
                while (j >= lo && compare(pivot, text(idx[j])) < 0)
                    --j;
            } else {
                while (i <= hi && compare(text(idx[i]), pivot) > 0)
                    ++i;
                while (j >= lo && compare(pivot, text(idx[j])) > 0)
                    --j;
            }
            if (i <= j) {
                std::swap(idx[i], idx[j]);
                ++i;
                --j;
            }
        }
        if (lo < j)
            QuickSortRows(idx, lo, j, descending, numeric, text);
        // The second half loops here instead of recursing, so the depth stays small.
        if (i >= hi)
            return;
        lo = i;
    }
}

}  // namespace orvane
