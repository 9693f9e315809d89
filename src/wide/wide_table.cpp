#include "wide/wide_table.h"

#include <new>

namespace go {

namespace {
// 16384 entries (384 KB) to begin with; small problems stay there.
constexpr std::size_t kFirstEntries = std::size_t{1} << 14;
}  // namespace

WideTable::WideTable(std::size_t maxBytes)
{
    // At least one set of entries, however small the bound.
    std::size_t entries = 4;
    while (entries * 2 * sizeof(TableEntry) <= maxBytes)
        entries *= 2;
    m_maxEntries = entries;
    Clear();
}

void WideTable::Clear()
{
    const std::size_t entries = kFirstEntries < m_maxEntries ? kFirstEntries : m_maxEntries;
    Entries(entries).swap(m_entries);
    m_mask = entries / kWays - 1;
    m_used = 0;
    m_readings = 0;
}

const TableEntry* WideTable::Find(std::uint64_t key) const
{
    const std::size_t set = SetOf(key);
    for (std::size_t k = 0; k < kWays; ++k)
        if (m_entries[set + k].key == key)
            return &m_entries[set + k];
    return nullptr;
}

void WideTable::Store(const TableEntry& entry)
{
    const std::size_t set = SetOf(entry.key);
    TableEntry* victim = &m_entries[set];
    for (std::size_t k = 0; k < kWays; ++k) {
        TableEntry& e = m_entries[set + k];
        if (e.key == entry.key) {
            e = entry;
            return;
        }
        if (victim->key != 0 && (e.key == 0 || e.work < victim->work))
            victim = &e;
    }
    if (victim->key != 0 && m_used * 2 >= m_entries.size() && Grow()) {
        Store(entry);
        return;
    }
    m_used += victim->key == 0;
    *victim = entry;
}

bool WideTable::Grow()
{
    const std::size_t size = m_entries.size();
    if (size * 2 > m_maxEntries)
        return false;
    Entries old;
    try {
        Entries(size * 2).swap(old);
    } catch (const std::bad_alloc&) {
        m_maxEntries = size;  // no room to grow: replace from now on
        return false;
    }
    old.swap(m_entries);
    m_mask = size * 2 / kWays - 1;
    m_used = 0;
    for (const TableEntry& e : old)
        if (e.key != 0)
            Store(e);
    return true;
}

}  // namespace go
