#include "browser/IconRows.h"

#include <algorithm>
#include <functional>

namespace orvane {

void IconRows::Clear()
{
    m_entries.clear();
    std::fill(m_slots.begin(), m_slots.end(), 0u);
}

// The slot that holds the extension, or the free one where it would go.
size_t IconRows::SlotOf(std::string_view folded) const
{
    const size_t mask = m_slots.size() - 1;
    size_t slot = std::hash<std::string_view>()(folded) & mask;
    while (m_slots[slot] != 0 && m_entries[m_slots[slot] - 1].first != folded)
        slot = (slot + 1) & mask;
    return slot;
}

int IconRows::Find(std::string_view folded) const
{
    const uint32_t entry = m_slots[SlotOf(folded)];
    return entry == 0 ? -1 : m_entries[entry - 1].second;
}

void IconRows::Add(std::string folded, int row)
{
    if (2 * (m_entries.size() + 1) > m_slots.size())
        Grow();
    const size_t slot = SlotOf(folded);
    if (m_slots[slot] != 0)
        return;
    m_entries.emplace_back(std::move(folded), row);
    m_slots[slot] = static_cast<uint32_t>(m_entries.size());
}

void IconRows::Grow()
{
    m_slots.assign(m_slots.size() * 2, 0);
    for (uint32_t i = 0; i < m_entries.size(); ++i)
        m_slots[SlotOf(m_entries[i].first)] = i + 1;
}

}  // namespace orvane
