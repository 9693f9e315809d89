// Rules of the board: legality, captures, joins, grouping.
#include <gtest/gtest.h>

#include <cstdio>

#include "test_support.h"

TEST(PositionState, ResetLeavesBorderAndEmptyBoard)
{
    ViewHarness h;
    CKovraView& v = h.view();
    for (int i = 0; i <= 12; ++i) {
        EXPECT_EQ(v.m_board[0][i], kBorder);
        EXPECT_EQ(v.m_groupMap[i][12], -1);
    }
    EXPECT_EQ(v.m_solverSide, 'x');
    EXPECT_EQ(v.m_clickMode, ' ');
    EXPECT_STREQ(v.m_fileName, "movesx.txt");
}

TEST(PositionState, NewGameEmptiesThePositionButKeepsTargetsTableAndFile)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetBoard(v, {"XO", "OX"});
    v.MarkTarget(2, 1);
    AddMoveEntry(v, 'f', 3, 3);
    v.PushHistory('b', 1, 1);
    v.StoreResult(1, 5, 9);
    std::snprintf(v.m_fileName, sizeof v.m_fileName, "moves3.txt");
    v.m_clickMode = 'b';
    v.m_exhaustCheck = 0;
    v.m_solverSide = ' ';  // as after the first paint

    v.OnNewGame();
    EXPECT_EQ(h.frame.Last(), "new game");
    EXPECT_EQ(v.m_clickMode, ' ');
    EXPECT_EQ(v.m_exhaustCheck, 1);
    EXPECT_EQ(v.m_histCount, 0);
    EXPECT_EQ(v.m_moveCount, 0);
    EXPECT_EQ(v.m_groupsReady, 0);
    for (int g = 0; g < kGroupSlots; ++g) {
        EXPECT_TRUE(v.m_groupStones[g].IsEmpty());
        EXPECT_EQ(v.m_groupColor[g], 0);
    }
    for (int y = 1; y <= 11; ++y)
        for (int x = 1; x <= 11; ++x)
            ASSERT_TRUE(v.m_board[y][x] == kEmpty && v.m_groupMap[y][x] == 0);
    EXPECT_EQ(v.m_targetCount, 1);
    EXPECT_EQ(v.LoadResult(1, 5), 9);
    EXPECT_STREQ(v.m_fileName, "moves3.txt");
    // The whole board is drawn again at once.
    EXPECT_EQ(h.canvas.Calls("fill 0 0").size(), 1u);
}
