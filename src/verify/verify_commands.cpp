// "Attack" and "Defend": the verdict test, the start of the verification
// game and the system's opening move.
#include "board/kovra_view.h"

void CKovraView::OnAttack()
{
    // The mode comes first: a refused game still swallows the clicks.
    m_clickMode = '@';
    BeginAttack();
}

void CKovraView::OnDefend()
{
    m_clickMode = '#';
    BeginDefend();
}

void CKovraView::BeginAttack()
{
    if (!StartVerification(kLife, "you can't try to attack", "attack"))
        return;
    // After "start to live" White moves first, as the solver read it: Black
    // passes, then White opens. Otherwise the user (Black) moves first.
    if (m_solverSide == 'w') {
        PushPass();  // skipped when the history is full
        PlayOpeningMove('w', kBlackToMove, kLife);
    }
}

void CKovraView::BeginDefend()
{
    if (!StartVerification(kDeath, "you can't try to defend", "defend"))
        return;
    // After "start to kill" Black opens; otherwise Black passes and the user
    // (White) moves first.
    if (m_solverSide == 'b')
        PlayOpeningMove('b', kWhiteToMove, kDeath);
    else
        PushPass();  // skipped when the history is full
}

bool CKovraView::StartVerification(int goal, const char* refusal, const char* startText)
{
    // The side's own verdict or ko allows the game; anything else refuses it.
    if (m_solverResult != goal && m_solverResult != kKo) {
        m_verifyRefused = 1;
        ShowStatus(refusal);
        return false;
    }
    m_verifyRefused = 0;
    if (m_groupsStale)
        RebuildGroups();
    ShowStatus(startText);
    m_ply = 0;
    return true;
}

void CKovraView::PlayOpeningMove(char kind, int probeSide, int goal)
{
    if (HistoryFull())
        return;  // no slot for a move: nothing is tried
    // Under a ko verdict a stored ko is as good as the goal.
    const bool koAccepted = m_solverResult == kKo;
    for (int i = 0; i < m_moveCount; ++i) {
        if (m_moveKind[i] != 'f' || m_board[m_moveY[i]][m_moveX[i]] != kEmpty)
            continue;
        if (TrySystemMove(i, kind, probeSide, goal, koAccepted))
            return;
    }
}
