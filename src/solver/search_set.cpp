// Group bookkeeping of the search on bit sets: the same captures, joins and
// numbering as the view's lists, with liberties found by shifting a group's
// stones one step in every direction.
#include "solver/search_set.h"

#include "board/group_table.h"

namespace {

constexpr int kPoints = 121;
constexpr int kSide = 11;

// Bits and cells of the 121 points, and the points off the first and the
// last column (the only ones a sideways shift may move along their row).
struct BitTables {
    CPointBits cellBit[kCells] = {};
    unsigned char bitCell[kPoints] = {};
    CPointBits notFirstColumn = 0;
    CPointBits notLastColumn = 0;

    constexpr BitTables()
    {
        for (int y = 1; y <= kSide; ++y) {
            for (int x = 1; x <= kSide; ++x) {
                const int b = (x - 1) + kSide * (y - 1);
                const CPointBits bit = CPointBits(1) << b;
                cellBit[CellIndex(x, y)] = bit;
                bitCell[b] = static_cast<unsigned char>(CellIndex(x, y));
                if (x != 1)
                    notFirstColumn |= bit;
                if (x != kSide)
                    notLastColumn |= bit;
            }
        }
    }
};

constexpr BitTables kBits;

// Every point next to a point of s (s's own points included only where
// they neighbour each other).
CPointBits Neighbours(CPointBits s)
{
    return ((s & kBits.notFirstColumn) >> 1) | ((s & kBits.notLastColumn) << 1) | (s >> kSide) |
           (s << kSide);
}

int LowestBit(CPointBits bits)
{
    const auto low = static_cast<std::uint64_t>(bits);
    return low != 0 ? __builtin_ctzll(low) : 64 + __builtin_ctzll(static_cast<std::uint64_t>(bits >> 64));
}

}  // namespace

CPointBits CellBit(int cell) { return kBits.cellBit[cell]; }

int LowestCell(CPointBits bits) { return kBits.bitCell[LowestBit(bits)]; }

void CSearchSet::Load(const unsigned char* fromBoard, const std::int32_t* map,
                      const unsigned char* colors, const CPointList* lists, int n)
{
    open = 0;
    for (int i = 0; i < kCells; ++i) {
        board[i] = fromBoard[i];
        group[i] = map[i] > 0 ? static_cast<unsigned char>(map[i]) : 0;
        if (map[i] == 0)
            open |= kBits.cellBit[i];
    }
    for (int g = 0; g < kGroupSlots; ++g) {
        color[g] = g <= n ? colors[g] : 0;
        stones[g] = 0;
        if (g == 0 || g > n)
            continue;
        for (int k = 0; k < lists[g].GetCount(); ++k)
            stones[g] |= kBits.cellBit[lists[g].Cell(k)];
    }
    count = n;
}

int CSearchSet::SoleLiberty(int g, int* cell) const
{
    const CPointBits liberties = Neighbours(stones[g]) & open;
    if (liberties == 0)
        return 0;
    if ((liberties & (liberties - 1)) != 0)
        return 2;
    *cell = LowestCell(liberties);
    return 1;
}

bool CSearchSet::HasEmptyNeighbour(int cell) const
{
    return board[cell + kNeighbour[0]] == kEmpty || board[cell + kNeighbour[1]] == kEmpty ||
           board[cell + kNeighbour[2]] == kEmpty || board[cell + kNeighbour[3]] == kEmpty;
}

void CSearchSet::FillNeighbours(int cell, CNeighbourTable& table) const
{
    table.count = 0;
    unsigned seen = 1;  // group 0: empty, border, or a stone outside every group
    for (int d = 0; d < 4; ++d) {
        const int n = cell + kNeighbour[d];
        const int g = group[n];
        if (seen & (1u << g))
            continue;
        seen |= 1u << g;
        table.group[table.count] = g;
        table.color[table.count] = board[n];
        ++table.count;
    }
}

int CSearchSet::Judge(int cell, const CNeighbourTable& table, bool* captures) const
{
    *captures = false;
    const unsigned char own = board[cell];
    for (int e = 0; e < table.count; ++e) {
        const int n = SoleLiberty(table.group[e]);
        if (table.color[e] == own) {
            if (n > 1)
                return n;
        } else if (n == 1) {
            *captures = true;
            return 1;
        }
    }
    return -1;
}

void CSearchSet::FindCaptures(int cell, CNeighbourTable& table) const
{
    const unsigned char own = board[cell];
    table.taken = 0;
    table.stones = 0;
    for (int e = 0; e < table.count; ++e) {
        if (table.color[e] == own)
            continue;
        const CPointBits liberties = Neighbours(stones[table.group[e]]) & (open | table.stones);
        if (liberties != 0 && (liberties & (liberties - 1)) == 0) {
            table.taken |= 1u << e;
            table.stones |= stones[table.group[e]];
        }
    }
}

bool CSearchSet::NeedsSlotBeyondTable(int cell, const CNeighbourTable& table) const
{
    for (int e = 0; e < table.count; ++e)
        if (table.color[e] == board[cell])
            return false;
    return count + 1 > kMaxGroupId;
}

void CSearchSet::Place(int cell, const CNeighbourTable& table, CKovraView& view)
{
    const unsigned char own = board[cell];
    bool changed = table.taken != 0;

    // Captures first, so that taken stones are empty before the joins.
    for (int e = 0; e < table.count; ++e)
        if (table.taken & (1u << e))
            RemoveGroup(table.group[e]);

    int t = 0;  // the lowest own group next to the stone takes in the others
    for (int e = 0; e < table.count; ++e)
        if (table.color[e] == own && (t == 0 || table.group[e] < t))
            t = table.group[e];
    for (int e = 0; e < table.count; ++e) {
        const int g = table.group[e];
        if (table.color[e] != own || g == t)
            continue;
        Renumber(stones[g], t);
        stones[t] |= stones[g];
        stones[g] = 0;
        color[g] = 0;
        changed = true;
    }

    const CPointBits bit = kBits.cellBit[cell];
    if (t != 0) {
        stones[t] |= bit;
        group[cell] = static_cast<unsigned char>(t);
        open &= ~bit;
    } else if (count + 1 > kMaxGroupId) {
        // No slot left: the stone stays on the board outside every group.
        view.ShowStatus(kGroupTableFull);
    } else {
        ++count;
        stones[count] = bit;
        color[count] = own;
        group[cell] = static_cast<unsigned char>(count);
        open &= ~bit;
    }
    if (changed)
        Compact();
}

void CSearchSet::RemoveGroup(int g)
{
    for (CPointBits s = stones[g]; s != 0; s &= s - 1) {
        const int i = LowestCell(s);
        board[i] = kEmpty;
        group[i] = 0;
    }
    open |= stones[g];
    stones[g] = 0;
    color[g] = 0;
}

void CSearchSet::Renumber(CPointBits bits, int g)
{
    for (; bits != 0; bits &= bits - 1)
        group[LowestCell(bits)] = static_cast<unsigned char>(g);
}

// Moves the top groups down into free slots, as CompactGroups does.
void CSearchSet::Compact()
{
    const int n = count;
    if (n <= 1)
        return;
    unsigned used = 0;  // one bit per occupied slot
    for (int g = 1; g <= n; ++g)
        if (stones[g] != 0)
            used |= 1u << g;
    for (int j = n; j >= 2; --j) {
        if ((used & (1u << j)) == 0)
            continue;
        const unsigned below = ~used & ((1u << j) - 2);  // free slots 1 .. j-1
        if (below == 0)
            return;
        const int k = __builtin_ctz(below);
        Renumber(stones[j], k);
        stones[k] = stones[j];
        stones[j] = 0;
        color[k] = color[j];
        color[j] = 0;
        used ^= (1u << j) | (1u << k);
        count = j - 1;
    }
}
