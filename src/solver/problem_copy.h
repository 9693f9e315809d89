// The part of a view that a solver command reads: the position with its
// groups, the history, the move and target lists and the exhaustion check.
// A few kilobytes, so a problem can be handed to views on other threads
// without their 14 MB result tables.
#pragma once

#include <cstdint>

#include "board/kovra_view.h"

struct CProblemCopy {
    unsigned char board[kBoardWidth][kBoardWidth];
    std::int32_t groupMap[kBoardWidth][kBoardWidth];
    unsigned char groupColor[kGroupSlots];
    CPointList groupStones[kGroupSlots];
    std::int32_t groupCount;
    std::int32_t groupsReady;
    std::int32_t groupsStale;
    std::int32_t histCount;
    char histKind[kHistorySize];
    signed char histX[kHistorySize];
    signed char histY[kHistorySize];
    std::int32_t moveCount;
    std::uint32_t moveBlack;
    std::uint32_t moveWhite;
    char moveKind[kMaxMoves];
    signed char moveY[kMaxMoves];
    signed char moveX[kMaxMoves];
    std::int32_t targetCount;
    signed char targetY[kMaxTargets];
    signed char targetX[kMaxTargets];
    std::int32_t exhaustCheck;

    // The problem as the view holds it now.
    static CProblemCopy Of(const CKovraView& view);
    // Makes the view hold this problem (its table and pointers stay).
    void PutInto(CKovraView& view) const;
};
