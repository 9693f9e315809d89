// The left mouse button and the commands that only change the click mode.
#include "board/kovra_view.h"

void CKovraView::OnLButtonDown(int px, int py)
{
    // Truncating division: pixels -25..-1 still fall in the first cell.
    const int x = px / kCellPixels + 1;
    const int y = py / kCellPixels + 1;
    if (!OnBoard(x, y))
        return;  // the client area reaches past the board: no point there

    switch (m_clickMode) {
    case 'b':
    case 'w':
    case 's':
        if (!PushHistory(m_clickMode, x, y)) {
            ShowStatus("history full");
            return;
        }
        DrawPoint(m_clickMode, 0, x, y);
        m_board[y][x] = m_clickMode == 'b' ? kBlack : m_clickMode == 'w' ? kWhite : kEmpty;
        m_groupsStale = 1;
        break;
    case 'f':
    case 'm':
    case 'y':
    case 'z':
        AddClickedMove(x, y);
        break;
    case 'x':
        MarkTarget(x, y);
        break;
    case '@':
    case '#':
        OnVerifyClick(x, y);
        break;
    default:
        break;
    }
}

void CKovraView::AddClickedMove(int x, int y)
{
    if (m_moveCount >= kMaxMoves) {
        ShowStatus("exceeded maximum = 15");
        m_moveCount = 0;
        m_moveBlack = 0;
        m_moveWhite = 0;
        OnNewGame();
        return;
    }
    AppendMoveEntry(m_clickMode, x, y);
    DrawPoint(' ', MarkOfKind(m_clickMode), x, y);
}

void CKovraView::OnBlackS()
{
    m_clickMode = 'b';
    ShowStatus("put B stones");
}

void CKovraView::OnWhiteS()
{
    m_clickMode = 'w';
    ShowStatus("put W stones");
}

void CKovraView::OnSpaceS()
{
    m_clickMode = 's';
    ShowStatus("erase stones");
}

void CKovraView::OnTarget()
{
    m_clickMode = 'x';
    m_targetCount = 0;
    m_groupsReady = 0;
    ShowStatus("set target stones");
}

void CKovraView::OnFMove()
{
    m_clickMode = 'f';
    m_moveCount = 0;
    m_moveBlack = 0;
    m_moveWhite = 0;
    ShowStatus("set f moves");
}

void CKovraView::OnMMove()
{
    m_clickMode = 'm';
    ShowStatus("set m moves");
}

void CKovraView::OnYMove()
{
    m_clickMode = 'y';
    ShowStatus("set y moves");
}

void CKovraView::OnZMove()
{
    m_clickMode = 'z';
    ShowStatus("set z moves");
}

void CKovraView::OnIgnore()
{
    m_exhaustCheck = 0;
}
