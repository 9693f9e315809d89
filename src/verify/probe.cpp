// The one-stone probe of the result table, and a system move kept or taken
// back by what the probe finds.
#include <cstdio>

#include "board/kovra_view.h"
#include "board/view_colors.h"

int CKovraView::ProbeResult(int side)
{
    if (CheckMove(Board(), GroupMap(), m_groupStones) == kIllegal)
        return kIllegal;
    // Captures made by the stone happen on a copy: the real position stays
    // as it is until the caller commits the move.
    CGroupSet probe;
    CopyGroupSet(probe);
    PlaceStone(probe.board, probe.map, probe.color, probe.stones, probe.count);
    ++m_ply;
    const std::int32_t key = KeyOfBoard(probe.board);
    const int result = LoadResult(side, key);
    if (side == kWhiteToMove) {
        // Debugging trace of white-to-move probes; the lines run together.
        std::printf("W3:%2d, movN:%2d, bit2a:%7d, r:%d1", static_cast<int>(m_ply),
                    static_cast<int>(m_histCount), static_cast<int>(key), result);
        std::fflush(stdout);
    }
    --m_ply;
    return IsDecided(result) ? result : kUndecided;
}

bool CKovraView::TrySystemMove(int i, char kind, int probeSide, int goal, bool koAccepted)
{
    const int x = m_moveX[i];
    const int y = m_moveY[i];
    if (!PushHistory(kind, x, y))
        return false;
    m_board[y][x] = StoneByte(PlayerOfLetter(kind));
    const int r = ProbeResult(probeSide);
    if (r == goal || (r == kKo && koAccepted)) {
        CheckMove(Board(), GroupMap(), m_groupStones);
        m_groupCount = PlaceStone(Board(), GroupMap(), m_groupColor, m_groupStones, m_groupCount);
        DrawBoard();
        return true;
    }
    m_board[y][x] = kEmpty;
    --m_histCount;
    return false;
}
