// Group bookkeeping of the search on bit sets: the same captures, joins and
// numbering as the view's lists. Each group keeps the points next to its
// stones, so its liberties are one mask away.
#include "solver/search_set.h"

#include "board/group_table.h"

namespace {

constexpr CGroupBits kNoGroup = {0, 0};

}  // namespace

void CSearchSet::Load(const unsigned char* fromBoard, const std::int32_t* map,
                      const unsigned char* colors, const CPointList* lists, int n)
{
    open = 0;
    for (int i = 0; i < kCells; ++i) {
        board[i] = fromBoard[i];
        label[i] = map[i] > 0 ? static_cast<unsigned char>(map[i]) : 0;
        if (map[i] == 0)
            open |= kPointTables.cellBit[i];
    }
    freeLabels = 0;
    usedSlots = 0;
    for (int g = 0; g < kGroupSlots; ++g) {
        color[g] = g <= n ? colors[g] : 0;
        groups[g] = kNoGroup;
        slotOf[g] = static_cast<unsigned char>(g);
        labelOf[g] = static_cast<unsigned char>(g);
        if (g > 0 && (g > n || lists[g].IsEmpty()))
            freeLabels |= static_cast<std::uint16_t>(1u << g);
        else if (g > 0)
            usedSlots |= static_cast<std::uint16_t>(1u << g);
        if (g == 0 || g > n)
            continue;
        for (int k = 0; k < lists[g].GetCount(); ++k) {
            const int i = lists[g].Cell(k);
            groups[g].stones |= kPointTables.cellBit[i];
            groups[g].reach |= kPointTables.nextTo[i];
        }
    }
    count = n;
}

void CSearchSet::FillNeighbours(int cell, CNeighbourTable& table) const
{
    // Each group once, at its first side in the order above, left, right,
    // below; group 0 (empty, border, a stone outside every group) never.
    const int up = cell + kNeighbour[0];
    const int left = cell + kNeighbour[1];
    const int right = cell + kNeighbour[2];
    const int down = cell + kNeighbour[3];
    const int g0 = GroupAt(up);
    const int g1 = GroupAt(left);
    const int g2 = GroupAt(right);
    const int g3 = GroupAt(down);
    const unsigned char own = board[cell];
    int n = 0;
    table.own = 0;
    table.lowestOwn = 0;
    auto add = [&](int g, int at) {
        table.group[n] = g;
        table.color[n] = board[at];
        if (board[at] == own) {
            table.own |= 1u << n;
            if (table.lowestOwn == 0 || g < table.lowestOwn)
                table.lowestOwn = g;
        }
        ++n;
    };
    if (g0 != 0)
        add(g0, up);
    if (g1 != 0 && g1 != g0)
        add(g1, left);
    if (g2 != 0 && g2 != g0 && g2 != g1)
        add(g2, right);
    if (g3 != 0 && g3 != g0 && g3 != g1 && g3 != g2)
        add(g3, down);
    table.count = n;
}

int CSearchSet::Judge(const CNeighbourTable& table, bool* captures) const
{
    *captures = false;
    for (int e = 0; e < table.count; ++e) {
        const int n = SoleLiberty(table.group[e]);
        if (table.own & (1u << e)) {
            if (n > 1)
                return n;
        } else if (n == 1) {
            *captures = true;
            return 1;
        }
    }
    return -1;
}

void CSearchSet::FindCaptures(CNeighbourTable& table) const
{
    table.taken = 0;
    table.stones = 0;
    for (int e = 0; e < table.count; ++e) {
        if (table.own & (1u << e))
            continue;
        // The groups taken are all of one colour and so never next to each
        // other: taking one frees no liberty of the next.
        const CGroupBits& g = groups[table.group[e]];
        const CPointBits liberties = g.reach & open;
        if (liberties != 0 && (liberties & (liberties - 1)) == 0) {
            table.taken |= 1u << e;
            table.stones |= g.stones;
        }
    }
}

bool CSearchSet::NeedsSlotBeyondTable(const CNeighbourTable& table) const
{
    return table.own == 0 && count + 1 > kMaxGroupId;
}

void CSearchSet::Place(int cell, const CNeighbourTable& table, CKovraView& view)
{
    const int t = table.lowestOwn;  // takes in the other own groups
    const bool joins = (table.own & (table.own - 1)) != 0;
    if (table.taken != 0) {
        // Captures first, so that taken stones are empty before the joins.
        for (int e = 0; e < table.count; ++e)
            if (table.taken & (1u << e))
                RemoveGroup(table.group[e]);
    }
    if (joins) {
        for (int e = 0; e < table.count; ++e)
            if ((table.own & (1u << e)) && table.group[e] != t)
                Join(table.group[e], t);
    }

    if (t != 0) {
        AddStone(t, cell);
    } else if (count + 1 > kMaxGroupId) {
        // No slot left: the stone stays on the board outside every group.
        view.ShowStatus(kGroupTableFull);
    } else {
        ++count;
        const int free = __builtin_ctz(freeLabels);
        freeLabels &= static_cast<std::uint16_t>(~(1u << free));
        labelOf[count] = static_cast<unsigned char>(free);
        usedSlots |= static_cast<std::uint16_t>(1u << count);
        slotOf[free] = static_cast<unsigned char>(count);
        groups[count] = kNoGroup;
        AddStone(count, cell);
        color[count] = board[cell];
    }
    if (table.taken != 0 || joins)
        Compact();
}

void CSearchSet::Join(int g, int t)
{
    Relabel(groups[g].stones, labelOf[t]);
    Release(g);
    groups[t].stones |= groups[g].stones;
    groups[t].reach |= groups[g].reach;
    groups[g] = kNoGroup;
    color[g] = 0;
}

void CSearchSet::AddStone(int g, int cell)
{
    const CPointBits bit = kPointTables.cellBit[cell];
    groups[g].stones |= bit;
    groups[g].reach |= kPointTables.nextTo[cell];
    label[cell] = labelOf[g];
    open &= ~bit;
}

void CSearchSet::RemoveGroup(int g)
{
    for (CPointBits s = groups[g].stones; s != 0; s &= s - 1) {
        const int i = LowestCell(s);
        board[i] = kEmpty;
        label[i] = 0;
    }
    Release(g);
    open |= groups[g].stones;
    groups[g] = kNoGroup;
    color[g] = 0;
}

void CSearchSet::Relabel(CPointBits bits, int to)
{
    for (; bits != 0; bits &= bits - 1)
        label[LowestCell(bits)] = static_cast<unsigned char>(to);
}

// Group g is gone: its label and its id are free again.
void CSearchSet::Release(int g)
{
    freeLabels |= static_cast<std::uint16_t>(1u << labelOf[g]);
    usedSlots &= static_cast<std::uint16_t>(~(1u << g));
}

// Moves the top groups down into free slots, as CompactGroups does.
void CSearchSet::Compact()
{
    // From the top group down, each group moves to the lowest free id below
    // it, until a group has none; the count ends one below the last group
    // moved.
    unsigned used = usedSlots & ((2u << count) - 1);
    if (count <= 1)
        return;
    for (unsigned above = used & ~1u; (above & ~3u) != 0;) {
        const int j = 31 - __builtin_clz(above);  // the top group left, id 2 or more
        const unsigned below = ~used & ((1u << j) - 2);  // free ids 1 .. j-1
        if (below == 0)
            break;
        const int k = __builtin_ctz(below);
        labelOf[k] = labelOf[j];
        slotOf[labelOf[k]] = static_cast<unsigned char>(k);
        groups[k] = groups[j];
        groups[j] = kNoGroup;
        color[k] = color[j];
        color[j] = 0;
        used ^= (1u << j) | (1u << k);
        count = j - 1;
        above &= (1u << j) - 1;
    }
    usedSlots = static_cast<std::uint16_t>(used);
}
