// Group bookkeeping of the search on bit sets: the same captures, joins and
// numbering as the view's lists. Each group keeps the points next to its
// stones, so its liberties are one mask away.
#include "solver/search_set.h"

#include "board/group_table.h"

namespace {

constexpr int kPoints = 121;
constexpr int kSide = 11;

// Bits and cells of the 121 points, and the points next to each cell.
struct BitTables {
    CPointBits cellBit[kCells] = {};
    CPointBits nextTo[kCells] = {};
    unsigned char bitCell[kPoints] = {};

    constexpr BitTables()
    {
        for (int y = 1; y <= kSide; ++y) {
            for (int x = 1; x <= kSide; ++x) {
                const int b = (x - 1) + kSide * (y - 1);
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

constexpr BitTables kBits;

int LowestBit(CPointBits bits)
{
    const auto low = static_cast<std::uint64_t>(bits);
    if (low != 0)
        return __builtin_ctzll(low);
    return 64 + __builtin_ctzll(static_cast<std::uint64_t>(bits >> 64));
}

constexpr CGroupBits kNoGroup = {0, 0};

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
        groups[g] = kNoGroup;
        if (g == 0 || g > n)
            continue;
        for (int k = 0; k < lists[g].GetCount(); ++k) {
            const int i = lists[g].Cell(k);
            groups[g].stones |= kBits.cellBit[i];
            groups[g].reach |= kBits.nextTo[i];
        }
    }
    count = n;
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
        const CGroupBits& g = groups[table.group[e]];
        const CPointBits liberties = g.reach & (open | table.stones);
        if (liberties != 0 && (liberties & (liberties - 1)) == 0) {
            table.taken |= 1u << e;
            table.stones |= g.stones;
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
        Renumber(groups[g].stones, t);
        groups[t].stones |= groups[g].stones;
        groups[t].reach |= groups[g].reach;
        groups[g] = kNoGroup;
        color[g] = 0;
        changed = true;
    }

    if (t != 0) {
        AddStone(t, cell);
    } else if (count + 1 > kMaxGroupId) {
        // No slot left: the stone stays on the board outside every group.
        view.ShowStatus(kGroupTableFull);
    } else {
        ++count;
        groups[count] = kNoGroup;
        AddStone(count, cell);
        color[count] = own;
    }
    if (changed)
        Compact();
}

void CSearchSet::AddStone(int g, int cell)
{
    const CPointBits bit = kBits.cellBit[cell];
    groups[g].stones |= bit;
    groups[g].reach |= kBits.nextTo[cell];
    group[cell] = static_cast<unsigned char>(g);
    open &= ~bit;
}

void CSearchSet::RemoveGroup(int g)
{
    for (CPointBits s = groups[g].stones; s != 0; s &= s - 1) {
        const int i = LowestCell(s);
        board[i] = kEmpty;
        group[i] = 0;
    }
    open |= groups[g].stones;
    groups[g] = kNoGroup;
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
        if (groups[g].stones != 0)
            used |= 1u << g;
    for (int j = n; j >= 2; --j) {
        if ((used & (1u << j)) == 0)
            continue;
        const unsigned below = ~used & ((1u << j) - 2);  // free slots 1 .. j-1
        if (below == 0)
            return;
        const int k = __builtin_ctz(below);
        Renumber(groups[j].stones, k);
        groups[k] = groups[j];
        groups[j] = kNoGroup;
        color[k] = color[j];
        color[j] = 0;
        used ^= (1u << j) | (1u << k);
        count = j - 1;
    }
}
