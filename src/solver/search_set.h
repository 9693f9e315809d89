// The search's own form of a group set. Each group keeps its stones and
// the points next to them as bit sets over the 121 points, so that a
// liberty test is one mask rather than a walk over the stones, and a copy
// is a few hundred bytes. A label per cell keeps neighbour look-ups direct.
// Ids, colours and the count follow exactly the numbering PlaceStone and
// CompactGroups give the view's lists, since the search's move order
// depends on them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "board/kovra_view.h"

// One bit per point: bit (x - 1) + 11 * (y - 1) for column x and row y.
__extension__ typedef unsigned __int128 CPointBits;

// Bits and cells of the 121 points, and the points next to each cell.
struct CPointTables {
    CPointBits cellBit[kCells] = {};  // no bit for a border cell
    CPointBits nextTo[kCells] = {};
    unsigned char bitCell[121] = {};

    constexpr CPointTables()
    {
        for (int y = 1; y <= 11; ++y) {
            for (int x = 1; x <= 11; ++x) {
                const int b = (x - 1) + 11 * (y - 1);
                cellBit[CellIndex(x, y)] = CPointBits(1) << b;
                bitCell[b] = static_cast<unsigned char>(CellIndex(x, y));
            }
        }
        for (int i = 0; i < kCells; ++i) {
            if (cellBit[i] == 0)
                continue;
            for (int d = 0; d < 4; ++d)
                nextTo[i] |= cellBit[i + kNeighbour[d]];
        }
    }
};

inline constexpr CPointTables kPointTables;

// The cell of the lowest bit of a non-empty set.
inline int LowestCell(CPointBits bits)
{
    const auto low = static_cast<std::uint64_t>(bits);
    const int b = low != 0 ? __builtin_ctzll(low)
                           : 64 + __builtin_ctzll(static_cast<std::uint64_t>(bits >> 64));
    return kPointTables.bitCell[b];
}

// The distinct groups next to a point, in the order of the neighbour scan,
// and which of them the stone on the point takes.
struct CNeighbourTable {
    int group[4];
    unsigned char color[4];
    int count;
    unsigned own;       // entries of the stone's colour, one bit each
    int lowestOwn;      // the lowest of their groups, 0 for none
    unsigned taken;     // entries taken, one bit each
    CPointBits stones;  // the stones of the groups taken
};

// One group: its stones, and the points next to them (its liberties are
// those of these points that are open).
struct CGroupBits {
    CPointBits stones;
    CPointBits reach;
};

// Stones carry a label rather than their group id, so that moving a group
// down to a free id rewrites one entry instead of every stone.
struct CSearchSet {
    unsigned char board[kCells];
    unsigned char label[kCells];         // each stone's group label; 0 for none
    unsigned char slotOf[kGroupSlots];   // the group id of each label; slotOf[0] is 0
    unsigned char labelOf[kGroupSlots];  // the label of each group id
    std::uint16_t freeLabels;            // labels no group holds, one bit each
    std::uint16_t usedSlots;             // ids that hold a group, one bit each
    unsigned char color[kGroupSlots];
    std::int32_t count;
    // Cells of no group: the empty points, and stones left outside a full
    // group table. These are what count as liberties.
    CPointBits open;
    CGroupBits groups[kGroupSlots];  // groups[0] stays empty

    // Becomes a copy of a group set given as its five parts.
    void Load(const unsigned char* board, const std::int32_t* map, const unsigned char* colors,
              const CPointList* lists, int count);

    // Becomes a copy of other; slots above its count are left as they are,
    // since nothing reads them before a new group is opened there.
    void CopyFrom(const CSearchSet& other);

    // The id of the group on cell; 0 for none.
    int GroupAt(int cell) const { return slotOf[label[cell]]; }

    // 0 (no liberty), 1 (exactly one, its cell in *cell) or 2 (two or more)
    // for group g; group 0 has none.
    int SoleLiberty(int g, int* cell) const
    {
        const CPointBits liberties = groups[g].reach & open;
        if (liberties == 0)
            return 0;
        if ((liberties & (liberties - 1)) != 0)
            return 2;
        *cell = LowestCell(liberties);
        return 1;
    }
    int SoleLiberty(int g) const
    {
        int cell;
        return SoleLiberty(g, &cell);
    }
    bool HasEmptyNeighbour(int cell) const
    {
        return board[cell + kNeighbour[0]] == kEmpty || board[cell + kNeighbour[1]] == kEmpty ||
               board[cell + kNeighbour[2]] == kEmpty || board[cell + kNeighbour[3]] == kEmpty;
    }
    // The groups next to the stone on board[cell], as FillNeighbourTable
    // finds them.
    void FillNeighbours(int cell, CNeighbourTable& table) const;
    // The verdict on a stone without an empty neighbour, from its table: -1
    // for suicide, 1 with *captures set when it takes a group first, else
    // the liberties (2) of the first own group that keeps some.
    int Judge(const CNeighbourTable& table, bool* captures) const;
    // Finds the groups the stone takes, in table order, each judged after
    // the ones before it are gone, as PlaceStone judges them.
    void FindCaptures(CNeighbourTable& table) const;
    // True when the stone would open a group and the table has no slot left.
    bool NeedsSlotBeyondTable(const CNeighbourTable& table) const;
    // Applies the stone already on board[cell], with its table: removals,
    // joins, numbering, as PlaceStone does. Shows the full-table text
    // through view.
    void Place(int cell, const CNeighbourTable& table, CKovraView& view);

private:
    void RemoveGroup(int g);
    void Relabel(CPointBits bits, int to);
    void Release(int g);
    void AddStone(int g, int cell);
    void Join(int g, int t);
    void Compact();
};

inline void CSearchSet::CopyFrom(const CSearchSet& other)
{
    const std::size_t used = offsetof(CSearchSet, groups) +
                             sizeof(CGroupBits) * static_cast<std::size_t>(other.count + 1);
    std::memcpy(static_cast<void*>(this), &other, used);
}
