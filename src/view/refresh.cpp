// "Refresh" (back to where the last solver command started) and "Showgrp"
// (group numbers written over the stones).
#include "board/kovra_view.h"

void CKovraView::OnRefresh()
{
    m_histCount = m_histBase;
    ClearStones();
    ReplayHistory();
    m_clickMode = ' ';
    MarkRecordedTargets();
    DrawBoard();
    ShowStatus("refreshed");
}

void CKovraView::ReplayHistory()
{
    for (int i = 0; i < m_histCount; ++i) {
        const int x = m_histX[i];
        const int y = m_histY[i];
        if (!OnBoard(x, y))
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
        for (int k = 0; k < list.GetCount(); ++k) {
            const CPoint p = list.GetAt(k);
            if (color == kBlack)
                DrawPoint('b', g, p.x, p.y);
            else if (color == kWhite)
                DrawPoint('w', g, p.x, p.y);
        }
    }
}
