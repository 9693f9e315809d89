// Group bookkeeping after a move: captures, joins, numbering, liberties.
#include <cstring>

#include "board/group_table.h"
#include "board/kovra_view.h"


int CKovraView::PlaceStone(unsigned char* board, std::int32_t* map, unsigned char* colors,
                           CPointList* lists, int count)
{
    const int last = m_histCount - 1;
    const int i = CellIndex(m_histX[last], m_histY[last]);
    const char kind = m_histKind[last];
    const unsigned char c = kind == 'b' ? kBlack : kind == 'w' ? kWhite : kEmpty;
    const unsigned char own = board[i];
    bool changed = false;

    // Captures first, so that taken stones are empty before the joins.
    for (int e = 0; e < 4 && m_nbContacts[e] != 0; ++e) {
        const int g = m_nbGroup[e];
        if (m_nbColor[e] == own || FindSoleLiberty(g, map, lists) != 1)
            continue;
        CPointList& taken = lists[g];
        for (int k = 0; k < taken.GetCount(); ++k) {
            board[taken.Cell(k)] = kEmpty;
            map[taken.Cell(k)] = 0;
        }
        taken.RemoveAll();
        colors[g] = 0;
        changed = true;
    }

    int t = 0;
    for (int e = 0; e < 4 && m_nbContacts[e] != 0; ++e)
        if (m_nbColor[e] == own && (t == 0 || m_nbGroup[e] < t))
            t = m_nbGroup[e];

    bool hasFriend = false;
    for (int e = 0; e < 4 && m_nbContacts[e] != 0; ++e) {
        if (m_nbColor[e] != own)
            continue;
        hasFriend = true;
        const int g = m_nbGroup[e];
        if (g == t)
            continue;
        CPointList& joined = lists[g];
        for (int k = 0; k < joined.GetCount(); ++k)
            map[joined.Cell(k)] = t;
        lists[t].AppendList(joined);
        joined.RemoveAll();
        colors[g] = 0;
        changed = true;
    }

    int result = count;
    if (hasFriend) {
        lists[t].AddCell(i);
        map[i] = t;
    } else {
        const int n = count + 1;
        if (n > kMaxGroupId) {
            // No slot left: the stone stays on the board outside every group.
            ShowStatus(kGroupTableFull);
        } else {
            lists[n].RemoveAll();
            lists[n].AddCell(i);
            colors[n] = c;
            map[i] = n;
            result = n;
        }
    }
    if (changed)
        result = CompactGroups(result, colors, lists, map);
    return result;
}

int CKovraView::FindSoleLiberty(int g, const std::int32_t* map, const CPointList* lists, int* cell)
{
    const CPointList& list = lists[g];
    const int stones = list.GetCount();
    int found = -1;
    for (int k = 0; k < stones; ++k) {
        const int i = list.Cell(k);
        for (int d = 0; d < 4; ++d) {
            const int n = i + kNeighbour[d];
            if (map[n] != 0 || n == found)
                continue;
            if (found >= 0)
                return 2;
            found = n;
        }
    }
    if (cell != nullptr)
        *cell = found;
    return found < 0 ? 0 : 1;
}

int CKovraView::CompactGroups(int n, unsigned char* colors, CPointList* lists, std::int32_t* map)
{
    int result = n;
    if (n <= 1)
        return n;
    for (int j = n; j >= 2; --j) {
        if (lists[j].IsEmpty())
            continue;
        int k = 1;
        while (k < j && !lists[k].IsEmpty())
            ++k;
        if (k == j)
            return result;
        CPointList& moved = lists[j];
        for (int m = 0; m < moved.GetCount(); ++m)
            map[moved.Cell(m)] = k;
        lists[k].AppendList(moved);
        moved.RemoveAll();
        colors[k] = colors[j];
        colors[j] = 0;
        result = j - 1;
    }
    return result;
}

void CKovraView::CopyGroupSet(CGroupSet& set, const unsigned char* board, const std::int32_t* map,
                              const unsigned char* colors, const CPointList* lists, int count)
{
    std::memcpy(set.board, board, sizeof set.board);
    std::memcpy(set.map, map, sizeof set.map);
    // Slots above the count are never read before PlaceStone opens them.
    std::memcpy(set.color, colors, static_cast<std::size_t>(count) + 1);
    for (int g = 1; g <= count; ++g)
        set.stones[g].CopyFrom(lists[g]);
    set.count = count;
}

void CKovraView::CopyGroupSet(CGroupSet& set)
{
    CopyGroupSet(set, Board(), GroupMap(), m_groupColor, m_groupStones, m_groupCount);
}
