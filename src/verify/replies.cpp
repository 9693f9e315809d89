// The user's moves in a verification game and the system's answers to them.
#include "board/kovra_view.h"
#include "board/view_colors.h"

namespace {

// A white 'y' entry only takes: some black neighbour's group has one liberty.
bool TakesBlackGroup(CKovraView& v, int x, int y)
{
    const int i = CellIndex(x, y);
    for (int d = 0; d < 4; ++d) {
        const int n = i + kNeighbour[d];
        if (v.Board()[n] == kBlack && v.FindSoleLiberty(v.GroupMap()[n], v.GroupMap(), v.m_groupStones) == 1)
            return true;
    }
    return false;
}

// A black 'z' entry only touches White.
bool TouchesWhite(CKovraView& v, int x, int y)
{
    const int i = CellIndex(x, y);
    for (int d = 0; d < 4; ++d)
        if (v.Board()[i + kNeighbour[d]] == kWhite)
            return true;
    return false;
}

bool PassesKindFilter(CKovraView& v, go::Player system, int i)
{
    const int x = v.m_moveX[i];
    const int y = v.m_moveY[i];
    const go::Role role = RoleOf(system);
    const go::Kind kind = KindOfEntry(v.m_moveKind[i]);
    // White's answer on a z point is left to the table alone, which the
    // search never filled for one: the replies ask only y of White.
    if (role == go::Role::Defender && kind == go::Kind::Z)
        return true;
    return go::MayPlay(kind, role, [&] { return TouchesWhite(v, x, y); },
                       [&] { return TakesBlackGroup(v, x, y); });
}

// Plays the user's stone (newest history entry, already on the board) on the
// group set, then looks for the first move-list entry the table approves
// for the system: a position after it that the table stores as the
// system's success with the user to move.
CPoint Reply(CKovraView& v, go::Player system)
{
    // An illegal user stone is neither refused nor taken off.
    v.CheckMove(v.Board(), v.GroupMap(), v.m_groupStones);
    v.m_groupCount = v.PlaceStone(v.Board(), v.GroupMap(), v.m_groupColor, v.m_groupStones, v.m_groupCount);
    v.DrawBoard();
    const int current = v.LoadResult(TableSide(system), v.KeyOfBoard(v.Board()));
    ++v.m_ply;
    // The defender passes where the position is stored as life; otherwise no answer.
    CPoint reply = {-1, -1};
    if (system == kTableDefender && current == kLife)
        reply = CPoint{0, 0};
    if (!v.HistoryFull()) {
        for (int i = 0; i < v.m_moveCount; ++i) {
            if (v.m_board[v.m_moveY[i]][v.m_moveX[i]] != kEmpty || !PassesKindFilter(v, system, i))
                continue;
            // Here the ko rule follows the stored code of this position.
            if (v.TrySystemMove(i, HistoryLetter(system), TableSide(go::Opponent(system)),
                                SuccessCode(system), current == kKo)) {
                reply = CPoint{v.m_moveX[i], v.m_moveY[i]};
                break;
            }
        }
    }
    --v.m_ply;
    return reply;
}

}  // namespace

void CKovraView::OnVerifyClick(int x, int y)
{
    if (m_verifyRefused || (m_clickMode != '@' && m_clickMode != '#'))
        return;
    // Only an empty point on the board is a move; a stone on an occupied
    // point would stay in its old group's list.
    if (!OnBoard(x, y) || m_board[y][x] != kEmpty)
        return;
    if (HistoryFull()) {
        ShowStatus("history full");
        return;
    }
    // A Restore in the middle of a game replaced the board under the groups.
    if (m_groupsStale)
        RebuildGroups();
    // Attack: the user plays the attacker; Defend: the defender.
    const bool attack = m_clickMode == '@';
    const go::Player user = attack ? kTableAttacker : kTableDefender;
    ++m_ply;
    PushHistory(HistoryLetter(user), x, y);
    m_board[y][x] = StoneByte(user);
    const CPoint reply = attack ? ReplyAsWhite() : ReplyAsBlack();
    if (reply.y > 0)
        ShowStatusF("my move (%2d,%2d)", static_cast<int>(reply.y), static_cast<int>(reply.x));
    else if (attack && reply.y == 0)
        ShowStatus("pass..");
    else if (attack)
        ShowStatus("can't live / unexpected move");
    else
        ShowStatus("can't kill / unexpected move");
}

CPoint CKovraView::ReplyAsWhite()
{
    return Reply(*this, kTableDefender);
}

CPoint CKovraView::ReplyAsBlack()
{
    return Reply(*this, kTableAttacker);
}
