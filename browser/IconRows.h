#pragma once

// The rows of the icon cache grid by extension, with ASCII letters folded: a listing looks one up
// for every file it lists, so the table keeps its slots and its names each in one block of
// memory, where a node per extension would be a trip to memory per file.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane {

class IconRows {
public:
    void Clear();
    // The row of a folded extension, or -1.
    int Find(std::string_view folded) const;
    // Gives the folded extension its row, unless it has one already.
    void Add(std::string folded, int row);

private:
    void Grow();
    size_t SlotOf(std::string_view folded) const;

    // Each slot holds an entry's position + 1, or 0 when free.
    std::vector<uint32_t> m_slots = std::vector<uint32_t>(64, 0);
    std::vector<std::pair<std::string, int>> m_entries;
};

}  // namespace orvane
