// The part of a view that a solver command reads and that the work around
// it may change: the position with its groups, the history, the move and
// target lists, the exhaustion check, the last run's side and history
// base, and the scratch the move rules leave. A few kilobytes, so a
// problem can be handed to views on other threads without their 14 MB
// result tables, and a view put back as it was after a stopped read or a
// walk through its table.
#pragma once

#include <cstdint>

#include "board/kovra_view.h"

struct CViewState {
    unsigned char board[kBoardWidth][kBoardWidth];
    std::int32_t groupMap[kBoardWidth][kBoardWidth];
    unsigned char groupColor[kGroupSlots];
    CPointList groupStones[kGroupSlots];
    std::int32_t groupCount;
    std::int32_t groupsReady;
    std::int32_t groupsStale;
    std::int32_t histCount;
    std::int32_t histBase;
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
    char solverSide;
    std::int32_t nbGroup[4];
    unsigned char nbColor[4];
    std::int32_t nbContacts[4];
    std::int32_t captureFlag;

    // The state the view holds now.
    static CViewState Of(const CKovraView& view);
    // Makes the view hold this state (its table, counters and pointers stay).
    void PutInto(CKovraView& view) const;
};
