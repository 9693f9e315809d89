// Target marking and the whole-board grouping behind it.
#include "board/group_table.h"
#include "board/kovra_view.h"

namespace {

int FindRoot(const int* equiv, int k)
{
    while (equiv[k] != k)
        k = equiv[k];
    return k;
}

}  // namespace

int CKovraView::MarkTarget(int x, int y)
{
    if (m_groupsReady == 0) {
        m_groupsReady = 1;
        for (int i = 0; i < m_moveCount; ++i) {
            const int mark = MarkOfKind(m_moveKind[i]);
            if (mark != 0)
                DrawPoint(' ', mark, m_moveX[i], m_moveY[i]);
        }
        RebuildGroups();
    }
    if (m_targetCount < kMaxTargets) {
        m_targetY[m_targetCount] = static_cast<signed char>(y);
        m_targetX[m_targetCount] = static_cast<signed char>(x);
        ++m_targetCount;
    }
    const int g = m_groupMap[y][x];
    for (int row = 1; row <= 11; ++row)
        for (int col = 1; col <= 11; ++col)
            if (m_groupMap[row][col] == g)
                DrawPoint(' ', -1, col, row);
    return 0;
}

void CKovraView::MarkRecordedTargets()
{
    // Each call appends its target at the index it is read from.
    const int count = m_targetCount;
    m_targetCount = 0;
    m_groupsReady = 0;
    for (int t = 0; t < count; ++t)
        MarkTarget(m_targetX[t], m_targetY[t]);
}

void CKovraView::RebuildGroups()
{
    BuildGroups();
    m_groupCount = CompactGroups(m_groupCount, m_groupColor, m_groupStones, GroupMap());
}

int CKovraView::BuildGroups()
{
    int equiv[kGroupSlots];
    for (int y = 1; y <= 11; ++y)
        for (int x = 1; x <= 11; ++x)
            m_groupMap[y][x] = 0;
    for (int k = 0; k < kGroupSlots; ++k) {
        equiv[k] = k;
        m_groupColor[k] = 0;
        m_groupStones[k].RemoveAll();
    }
    m_groupCount = 0;
    bool reportedFull = false;

    // First pass: provisional labels, spread down into the next row.
    for (int y = 1; y <= 11; ++y) {
        for (int x = 1; x <= 11; ++x) {
            const unsigned char c = m_board[y][x];
            if (c != kBlack && c != kWhite)
                continue;
            if (m_groupMap[y][x] == 0) {
                int label = 0;
                if (m_board[y][x - 1] == c) {
                    label = m_groupMap[y][x - 1];  // 0 when that stone got no label
                } else if (m_groupCount < kMaxGroupId) {
                    label = ++m_groupCount;
                } else if (!reportedFull) {
                    ShowStatus(kGroupTableFull);
                    reportedFull = true;
                }
                if (label <= 0)
                    continue;  // unlabelled: takes part in no join or spread
                m_groupMap[y][x] = label;
            }
            if (m_board[y + 1][x] != c)
                continue;
            const int a = m_groupMap[y][x];
            const int b = m_groupMap[y + 1][x];
            if (b > 0 && b != a) {
                const int ra = FindRoot(equiv, a);
                const int rb = FindRoot(equiv, b);
                if (ra < rb)
                    equiv[rb] = ra;
                else if (rb < ra)
                    equiv[ra] = rb;
            } else if (b == 0) {
                m_groupMap[y + 1][x] = a;
                for (int l = x - 1; l >= 1 && m_board[y + 1][l] == c && m_groupMap[y + 1][l] == 0; --l)
                    m_groupMap[y + 1][l] = a;
                for (int r = x + 1; r <= 11 && m_board[y + 1][r] == c; ++r)
                    m_groupMap[y + 1][r] = a;
            }
        }
    }

    for (int k = kMaxGroupId; k >= 1; --k)
        if (equiv[k] != k)
            equiv[k] = FindRoot(equiv, k);

    // Second pass: every stone to its root label, lists in row-major order.
    for (int y = 1; y <= 11; ++y) {
        for (int x = 1; x <= 11; ++x) {
            const int g = m_groupMap[y][x];
            if (g <= 0)
                continue;
            if (equiv[g] < g)
                m_groupMap[y][x] = equiv[g];
            m_groupStones[m_groupMap[y][x]].AddTail(x, y);
        }
    }

    for (int k = 1; k <= m_groupCount; ++k) {
        if (!m_groupStones[k].IsEmpty()) {
            const CPoint& p = m_groupStones[k].GetHead();
            m_groupColor[k] = m_board[p.y][p.x];
        }
    }
    m_groupsStale = 0;
    return 0;
}
