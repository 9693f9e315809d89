// The ko rule on the table reader's boards: a stone may not take back at
// once the single stone that has just taken a single stone, which would
// bring back the board as it stood before that move. The search bans it
// for Black (its own ko model lets White retake); the solution walk bans it
// for both, so every line it writes is legal.
#pragma once

#include "board/kovra_view.h"

// The opponent's move at cell q has just taken a single stone of the mover
// at cell p and has p as its only liberty: the mover's stone at p would
// retake the ko. after is the board after that move, its captures taken
// off; pWasMovers says p held the mover's stone before the move.
inline bool RetakesKo(const unsigned char* after, int p, int q, unsigned char mover, bool pWasMovers)
{
    if (!pWasMovers || after[p] != kEmpty)
        return false;
    const unsigned char opponent = mover == kBlack ? kWhite : kBlack;
    bool nextToQ = false;
    for (int d = 0; d < 4; ++d) {
        const unsigned char c = after[p + kNeighbour[d]];
        nextToQ = nextToQ || p + kNeighbour[d] == q;
        if (c == mover || c == kEmpty)
            return false;  // p was more than a single stone, or had room
    }
    int empty = 0;
    for (int d = 0; d < 4; ++d) {
        const unsigned char c = after[q + kNeighbour[d]];
        if (c == opponent)
            return false;  // q is more than a single stone
        empty += c == kEmpty;
    }
    return nextToQ && empty == 1;
}
