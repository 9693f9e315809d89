// The keys of the positions on the search's current line: the key weights
// of the move-list points, keys passed from parent to child, and the
// repetition look-back with its filter.
#pragma once

#include <cstdint>

#include "board/kovra_view.h"
#include "solver/search_set.h"

constexpr int kRepetitionGap = 4;  // Black's repetition look-back stops this far above

// Weight of move-list entry i in a key of n entries is kPow3[n - 1 - i].
inline constexpr std::int32_t kPow3[kMaxMoves] = {1,     3,      9,      27,      81,
                                                  243,   729,    2187,   6561,    19683,
                                                  59049, 177147, 531441, 1594323, 4782969};

// What a stone on each entry's point adds to a key, for every entry on that
// point at once, and the entry's cell.
inline void WeighPoints(CKovraView& view)
{
    const int n = view.m_moveCount;
    for (int c = 0; c < kCells; ++c)
        view.m_cellWeight[c] = 0;
    for (int i = 0; i < n; ++i) {
        view.m_moveCell[i] = CellIndex(view.m_moveX[i], view.m_moveY[i]);
        view.m_pointWeight[i] = 0;
        for (int j = 0; j < n; ++j)
            if (view.m_moveX[j] == view.m_moveX[i] && view.m_moveY[j] == view.m_moveY[i])
                view.m_pointWeight[i] += kPow3[n - 1 - j];
        view.m_cellWeight[view.m_moveCell[i]] = view.m_pointWeight[i];
    }
}

// Key of the board a node receives. Below the root it follows from the
// parent's key: the parent's board plus the stone of move (none for a pass).
// At the root the board is read, since the stored masks may be older.
inline std::int32_t ReceivedKey(CKovraView& view, int move, unsigned char colour,
                                const unsigned char* board)
{
    if (view.m_ply == 0)
        return view.KeyOfBoard(board);
    const std::int32_t parent = view.m_keyAtPly[view.m_ply];
    if (move < 0)
        return parent;
    return parent + colour * view.m_pointWeight[move];
}

// Key after the stone is placed: the received key less the stones it takes.
inline std::int32_t KeyAfterCaptures(const CKovraView& view, std::int32_t received,
                                     const unsigned char* board, CPointBits taken)
{
    std::int32_t key = received;
    for (; taken != 0; taken &= taken - 1) {
        const int c = LowestCell(taken);
        key -= (board[c] == kBlack ? 1 : 2) * view.m_cellWeight[c];
    }
    return key;
}

// The class of a key for the repetition filter: the top byte of a
// multiplicative hash, since the low digits of nearby keys are alike.
inline int KeyClass(std::int32_t key)
{
    return static_cast<int>((static_cast<std::uint32_t>(key) * 2654435761u) >> 24);
}

// The repetition look-back of a node at ply p reads the keys at the even
// plies up to p - kRepetitionGap; m_lineKeyClass counts exactly those keys.
inline bool InLookBack(int ply, int j)
{
    return j >= 0 && j % 2 == 0 && j <= ply - kRepetitionGap;
}

// One ply deeper, with the key of the node that expands there.
inline int EnterPly(CKovraView& view, std::int32_t key)
{
    const int ply = ++view.m_ply;
    view.m_keyAtPly[ply] = key;
    const int j = ply - kRepetitionGap;
    if (InLookBack(ply, j))
        ++view.m_lineKeyClass[KeyClass(view.m_keyAtPly[j])];
    return ply;
}

inline void LeavePly(CKovraView& view)
{
    const int ply = view.m_ply--;
    const int j = ply - kRepetitionGap;
    if (InLookBack(ply, j))
        --view.m_lineKeyClass[KeyClass(view.m_keyAtPly[j])];
}

// Counts the keys already in the look-back of the current ply.
inline void ClassifyLineKeys(CKovraView& view)
{
    for (unsigned char& n : view.m_lineKeyClass)
        n = 0;
    for (int j = 0; InLookBack(view.m_ply, j); j += 2)
        ++view.m_lineKeyClass[KeyClass(view.m_keyAtPly[j])];
}

// The Black moves (one bit per entry) made from this same position at an
// earlier Black turn at least four plies up: playing one again repeats.
inline std::uint32_t RepeatedMoves(const CKovraView& view, std::int32_t index)
{
    if (view.m_lineKeyClass[KeyClass(index)] == 0)
        return 0;
    std::uint32_t repeated = 0;
    for (int j = 0; j <= view.m_ply - kRepetitionGap; j += 2)
        if (view.m_keyAtPly[j] == index && view.m_moveAtPly[j] >= 0)
            repeated |= 1u << view.m_moveAtPly[j];
    return repeated;
}
