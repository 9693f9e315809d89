// "Refresh" (back to where the last solver command started) and "Showgrp"
// (group numbers written over the stones).
#include "board/kovra_view.h"

void CKovraView::OnRefresh()
{
    m_histCount = m_histBase;
    for (int y = 1; y <= 11; ++y)
        for (int x = 1; x <= 11; ++x) {
            m_board[y][x] = kEmpty;
            m_groupMap[y][x] = 0;
        }
    for (int k = 0; k < kGroupSlots; ++k) {
        m_groupColor[k] = 0;
        m_groupStones[k].RemoveAll();
    }
    ReplayHistory();

    const int targets = m_targetCount;
    m_clickMode = ' ';
    m_groupsReady = 0;
    m_targetCount = 0;
    // The first call finds the groups not ready and builds them from the
    // replayed board; each call appends its target at the same index again.
    for (int i = 0; i < targets; ++i)
        MarkTarget(m_targetX[i], m_targetY[i]);
    DrawBoard();
    ShowStatus("refreshed");
}

void CKovraView::ReplayHistory()
{
    for (int i = 0; i < m_histCount; ++i) {
        const int x = m_histX[i];
        const int y = m_histY[i];
        if (x < 1 || x > 11 || y < 1 || y > 11)
            continue;  // passes keep whatever their slot held
        switch (m_histKind[i]) {
        case 'b': m_board[y][x] = kBlack; break;
        case 'w': m_board[y][x] = kWhite; break;
        case 's': m_board[y][x] = kEmpty; break;
        default: break;
        }
    }
    m_groupsStale = 1;
}

void CKovraView::OnShowgrp()
{
    const int count = m_groupCount < kMaxGroupId ? m_groupCount : kMaxGroupId;
    for (int g = 1; g <= count; ++g) {
        const CPointList& list = m_groupStones[g];
        const unsigned char color = m_groupColor[g];
        for (m_listPos = 0; m_listPos < list.GetCount(); ++m_listPos) {
            const CPoint& p = list.GetAt(m_listPos);
            if (color == kBlack)
                DrawPoint('b', g, p.x, p.y);
            else if (color == kWhite)
                DrawPoint('w', g, p.x, p.y);
        }
    }
}
