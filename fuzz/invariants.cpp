#include "invariants.h"

#include <cstdio>
#include <cstdlib>

#include "board/kovra_view.h"

namespace {
void Require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}
}  // namespace

void CheckViewInvariants(const CKovraView& v)
{
    Require(v.m_histCount >= 0 && v.m_histCount <= kHistorySize, "history count");
    Require(v.m_moveCount >= 0 && v.m_moveCount <= kMaxMoves, "move count");
    Require(v.m_targetCount >= 0 && v.m_targetCount <= kMaxTargets, "target count");
    Require(v.m_groupCount >= 0 && v.m_groupCount <= kMaxGroupId, "group count");
    Require(v.m_ply >= 0 && v.m_ply <= kPlyLimit, "ply");
    Require(v.m_fileName[sizeof v.m_fileName - 1] == '\0' || v.m_fileName[10] == '\0', "file name");
    for (int i = 0; i <= 12; ++i) {
        Require(v.m_board[0][i] == kBorder && v.m_board[12][i] == kBorder, "border row");
        Require(v.m_board[i][0] == kBorder && v.m_board[i][12] == kBorder, "border column");
        Require(v.m_groupMap[0][i] == -1 && v.m_groupMap[i][12] == -1, "map border");
    }
    for (int y = 1; y <= 11; ++y)
        for (int x = 1; x <= 11; ++x) {
            Require(v.m_board[y][x] <= kWhite, "board cell");
            Require(v.m_groupMap[y][x] >= 0 && v.m_groupMap[y][x] <= kMaxGroupId, "map cell");
        }
    for (int i = 0; i < v.m_moveCount; ++i)
        Require(v.m_moveX[i] >= 1 && v.m_moveX[i] <= 11 && v.m_moveY[i] >= 1 && v.m_moveY[i] <= 11,
                "move point");
    for (int i = 0; i < v.m_targetCount; ++i)
        Require(v.m_targetX[i] >= 1 && v.m_targetX[i] <= 11 && v.m_targetY[i] >= 1 &&
                    v.m_targetY[i] <= 11,
                "target point");
    int stones = 0;
    for (int g = 0; g < kGroupSlots; ++g)
        stones += v.m_groupStones[g].GetCount();
    Require(stones <= 121, "stones in lists");
}
