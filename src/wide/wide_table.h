// The wide reader's transposition table: proof and disproof numbers of the
// positions read, bounded in bytes. It starts small and doubles while the
// reading needs room and the bound allows; once it cannot grow, a new
// position takes the place of the one in its set with the least work.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "go/types.h"
#include "wide/large_pages.h"

namespace go {

// Proof numbers count up to kInfinity, which means "proven" on the other side.
constexpr std::uint32_t kInfinity = 0x7fffffff;

struct TableEntry {
    std::uint64_t key = 0;     // 0: unused
    std::uint32_t phi = 0;     // the side to move wins: its proof number
    std::uint32_t delta = 0;   // its disproof number
    std::uint32_t work = 0;    // positions expanded below, saturating
    Loc best = kNoLoc;         // a winning move, once the side to move has won
    // Proven without a ko retake, a repetition or a ban that the other
    // reading would lift: the result holds in both readings.
    bool koFree = false;
};

class WideTable {
public:
    explicit WideTable(std::size_t maxBytes);

    // Empties the table and shrinks it back to its first size.
    void Clear();
    // The entry of key, or null.
    const TableEntry* Find(std::uint64_t key) const;
    // Brings the entry of key towards the cache ahead of a Find.
    void Prefetch(std::uint64_t key) const { __builtin_prefetch(&m_entries[SetOf(key)]); }
    // Stores or replaces the entry of its key.
    void Store(const TableEntry& entry);

    // Which readings (1 or 2) have stored entries since the table was emptied.
    void MarkReading(int reading) { m_readings |= 1u << reading; }
    bool HasReading(int reading) const { return (m_readings >> reading) & 1u; }

    std::size_t Bytes() const { return m_entries.size() * sizeof(TableEntry); }
    std::size_t Used() const { return m_used; }

private:
    static constexpr std::size_t kWays = 4;
    // The set of a key, from its high bits too (keys that share low bits
    // spread all the same).
    std::size_t SetOf(std::uint64_t key) const { return ((key ^ (key >> 31)) & m_mask) * kWays; }
    // Doubles the table when a full set would lose an entry while the
    // table is half full, as far as the bound allows.
    bool Grow();

    std::size_t m_maxEntries;
    using Entries = std::vector<TableEntry, LargePages<TableEntry>>;
    Entries m_entries;
    std::size_t m_mask = 0;
    std::size_t m_used = 0;
    unsigned m_readings = 0;
};

}  // namespace go
