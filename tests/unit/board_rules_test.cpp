// Rules of the board: legality, captures, joins, grouping.
#include <gtest/gtest.h>

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
