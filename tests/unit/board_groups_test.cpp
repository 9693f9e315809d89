// Group bookkeeping after moves: captures, joins, numbering, liberties,
// the full table, and a random game checked against a fresh grouping.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "board/group_table.h"
#include "group_checks.h"
#include "test_support.h"

using Rows = std::vector<std::string>;

namespace {

// The first n characters of the first rows of the group map.
Rows GroupCorner(const CKovraView& view, int rows, int columns)
{
    Rows out;
    const Rows all = GroupRows(view);
    for (int y = 0; y < rows; ++y)
        out.push_back(all[y].substr(0, columns));
    return out;
}

// Puts one stone of colour c into slot g of the view's set.
void PutGroupStone(CKovraView& v, int g, unsigned char c, int x, int y)
{
    v.m_board[y][x] = c;
    v.m_groupMap[y][x] = g;
    v.m_groupColor[g] = c;
    v.m_groupStones[g].AddTail(x, y);
}

// Fifteen single black stones: rows 1 and 3 hold six each, row 5 three.
const Rows kFifteenGroups = {"X.X.X.X.X.X",
                             "...........",
                             "X.X.X.X.X.X",
                             "...........",
                             "X.X.X......"};

}  // namespace

TEST(PlaceStone, CaptureFreesTheSlotAndTheTopGroupMovesDown)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetPosition(v, {"OX.........",
                    ".X.........",
                    "....O......",
                    "...........",
                    "......X....",
                    "......X...."});
    ASSERT_EQ(v.m_groupCount, 4);
    EXPECT_EQ(PlayMove(v, 'b', 1, 2), 0);
    EXPECT_EQ(v.m_board[1][1], kEmpty);
    EXPECT_EQ(v.m_groupMap[1][1], 0);
    // Group 4 took the slot of the taken stone, renumbered in the map.
    EXPECT_EQ(v.m_groupCount, 3);
    EXPECT_EQ(ListText(v, 1), "(7,5)(7,6)");
    EXPECT_EQ(v.m_groupColor[1], kBlack);
    EXPECT_EQ(v.m_groupMap[5][7], 1);
    EXPECT_EQ(v.m_groupMap[6][7], 1);
    EXPECT_TRUE(v.m_groupStones[4].IsEmpty());
    EXPECT_EQ(v.m_groupColor[4], 0);
    EXPECT_EQ(ListText(v, 2), "(2,1)(2,2)(1,2)");
    EXPECT_EQ(GroupSetFault(v), "");
}

TEST(PlaceStone, JoinKeepsOldStonesThenJoinedGroupsThenTheNewStone)
{
    ViewHarness h;
    CKovraView& v = h.view();
    // Four black groups meet at (3,3): above 3, left 1, right 5, below 6.
    SetPosition(v, {"X.O..",
                    "X.X.O",
                    "XX.X.",
                    "..X..",
                    "O...."});
    ASSERT_EQ(GroupCorner(v, 5, 5), (Rows{"1.2..", "1.3.4", "11.5.", "..6..", "7...."}));
    ASSERT_EQ(v.m_groupCount, 7);
    EXPECT_EQ(PlayMove(v, 'b', 3, 3), 3);
    // The smallest id survives; the others follow in neighbour order.
    EXPECT_EQ(ListText(v, 1), "(1,1)(1,2)(1,3)(2,3)(3,2)(4,3)(3,4)(3,3)");
    // Compaction moved group 7 into slot 3 and stopped at group 4, which
    // has no free slot below it: the count stays an upper bound.
    EXPECT_EQ(GroupCorner(v, 5, 5), (Rows{"1.2..", "1.1.4", "1111.", "..1..", "3...."}));
    EXPECT_EQ(v.m_groupCount, 6);
    EXPECT_EQ(v.m_groupColor[3], kWhite);
    EXPECT_EQ(v.m_groupColor[5], 0);
    EXPECT_EQ(v.m_groupColor[6], 0);
    EXPECT_EQ(GroupSetFault(v), "");

    // A lone stone opens count + 1 and no compaction fills the holes.
    EXPECT_EQ(PlayMove(v, 'b', 9, 9), 0);
    EXPECT_EQ(v.m_groupMap[9][9], 7);
    EXPECT_EQ(v.m_groupColor[7], kBlack);
    EXPECT_EQ(v.m_groupCount, 7);
    EXPECT_TRUE(v.m_groupStones[5].IsEmpty());
    EXPECT_EQ(GroupSetFault(v), "");
}

TEST(PlaceStone, JoiningThreeAndFiveMovesSixIntoFive)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetPosition(v, {"X.X.X.X",
                    ".......",
                    "....X..",
                    ".......",
                    "O......"});
    ASSERT_EQ(v.m_groupCount, 6);
    PlayMove(v, 'b', 5, 2);
    EXPECT_EQ(ListText(v, 3), "(5,1)(5,3)(5,2)");
    EXPECT_EQ(v.m_groupCount, 5);
    EXPECT_EQ(v.m_groupMap[5][1], 5);
    EXPECT_EQ(v.m_groupColor[5], kWhite);
    EXPECT_EQ(v.m_groupColor[6], 0);
    EXPECT_EQ(GroupSetFault(v), "");
}

TEST(PlaceStone, TakesTwoGroupsBeforeAnyJoin)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetPosition(v, {".OX",
                    "OX.",
                    "X.."});
    ASSERT_EQ(v.m_groupCount, 5);
    EXPECT_EQ(PlayMove(v, 'b', 1, 1), 1);
    EXPECT_EQ(v.m_captureFlag, 1);
    EXPECT_EQ(BoardRows(v)[0].substr(0, 3), "X.X");
    EXPECT_EQ(BoardRows(v)[1].substr(0, 3), ".X.");
    // The new stone (id 6) went to slot 1, group 5 to slot 3.
    EXPECT_EQ(GroupCorner(v, 3, 3), (Rows{"1.2", ".4.", "3.."}));
    EXPECT_EQ(v.m_groupCount, 4);
    EXPECT_EQ(GroupSetFault(v), "");
}

TEST(PlaceStone, IllegalStoneStaysInAGroupWithoutLiberty)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetPosition(v, {".O",
                    "O."});
    // As a verification game does with the user's stone: no refusal.
    v.PushHistory('b', 1, 1);
    v.m_board[1][1] = kBlack;
    EXPECT_EQ(v.CheckMove(v.Board(), v.GroupMap(), v.m_groupStones), -1);
    v.m_groupCount = v.PlaceStone(v.Board(), v.GroupMap(), v.m_groupColor, v.m_groupStones, v.m_groupCount);
    EXPECT_EQ(v.m_groupCount, 3);
    EXPECT_EQ(v.m_groupMap[1][1], 3);
    EXPECT_EQ(v.FindSoleLiberty(3, v.GroupMap(), v.m_groupStones), 0);
    EXPECT_EQ(GroupSetFault(v), "");
}

TEST(CompactGroups, MovesTopGroupsDownUntilOneHasNoHoleBelow)
{
    {
        ViewHarness h;
        CKovraView& v = h.view();
        PutGroupStone(v, 1, kBlack, 1, 1);
        EXPECT_EQ(v.CompactGroups(3, v.m_groupColor, v.m_groupStones, v.GroupMap()), 3);
        EXPECT_EQ(v.CompactGroups(1, v.m_groupColor, v.m_groupStones, v.GroupMap()), 1);
        EXPECT_EQ(v.CompactGroups(0, v.m_groupColor, v.m_groupStones, v.GroupMap()), 0);
    }
    {
        ViewHarness h;
        CKovraView& v = h.view();
        PutGroupStone(v, 1, kBlack, 1, 1);
        PutGroupStone(v, 3, kWhite, 5, 5);
        v.m_groupStones[3].AddTail(5, 6);
        v.m_board[6][5] = kWhite;
        v.m_groupMap[6][5] = 3;
        EXPECT_EQ(v.CompactGroups(3, v.m_groupColor, v.m_groupStones, v.GroupMap()), 2);
        EXPECT_EQ(ListText(v, 2), "(5,5)(5,6)");
        EXPECT_EQ(v.m_groupMap[5][5], 2);
        EXPECT_EQ(v.m_groupMap[6][5], 2);
        EXPECT_EQ(v.m_groupColor[2], kWhite);
        EXPECT_EQ(v.m_groupColor[3], 0);
        EXPECT_TRUE(v.m_groupStones[3].IsEmpty());
    }
    {
        // A free slot at the top alone does not lower the count.
        ViewHarness h;
        CKovraView& v = h.view();
        for (int g = 1; g <= 4; ++g)
            PutGroupStone(v, g, kBlack, 2 * g, 1);
        EXPECT_EQ(v.CompactGroups(5, v.m_groupColor, v.m_groupStones, v.GroupMap()), 5);
    }
    {
        // Slots 2 and 4 in use: 4 goes to 1, then 2 has no hole below it.
        ViewHarness h;
        CKovraView& v = h.view();
        PutGroupStone(v, 2, kBlack, 2, 1);
        PutGroupStone(v, 4, kWhite, 4, 1);
        v.m_groupCount = v.CompactGroups(4, v.m_groupColor, v.m_groupStones, v.GroupMap());
        EXPECT_EQ(v.m_groupCount, 3);
        EXPECT_EQ(v.m_groupMap[1][4], 1);
        EXPECT_EQ(v.m_groupMap[1][2], 2);
        EXPECT_EQ(GroupSetFault(v), "");
    }
}

TEST(FindSoleLiberty, FindsTheFirstLibertyAboveLeftRightBelow)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetPosition(v, {"X..",
                    "O.."});
    const int g = v.m_groupMap[1][1];
    EXPECT_EQ(v.FindSoleLiberty(g, v.GroupMap(), v.m_groupStones), 1);

    v.m_board[2][1] = kEmpty;
    v.RebuildGroups();
    EXPECT_EQ(v.FindSoleLiberty(v.m_groupMap[1][1], v.GroupMap(), v.m_groupStones), 2);

    // A liberty below the group: row and column not swapped.
    SetPosition(v, {"XO.",
                    "XO.",
                    "..."});
    EXPECT_EQ(v.FindSoleLiberty(v.m_groupMap[1][1], v.GroupMap(), v.m_groupStones), 1);
}

TEST(FindSoleLiberty, OneLibertyReachedFromTwoStonesIsOne)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetPosition(v, {"XXO",
                    "X..",
                    "O.."});
    EXPECT_EQ(v.FindSoleLiberty(v.m_groupMap[1][1], v.GroupMap(), v.m_groupStones), 1);
    // An empty slot has no liberty and leaves the fields cleared.
    EXPECT_EQ(v.FindSoleLiberty(9, v.GroupMap(), v.m_groupStones), 0);
}

TEST(FindSoleLiberty, ListOrderDecidesWhichLibertyComesFirst)
{
    // Grouped from the board, (1,1) is listed first: its liberty below wins.
    ViewHarness h;
    CKovraView& v = h.view();
    SetPosition(v, {"XX."});
    EXPECT_EQ(v.FindSoleLiberty(v.m_groupMap[1][1], v.GroupMap(), v.m_groupStones), 2);

    // Played (2,1) then (1,1): (2,1) is listed first, its liberty right wins.
    ViewHarness h2;
    CKovraView& w = h2.view();
    PlayMove(w, 'b', 2, 1);
    PlayMove(w, 'b', 1, 1);
    EXPECT_EQ(ListText(w, 1), "(2,1)(1,1)");
    EXPECT_EQ(w.FindSoleLiberty(1, w.GroupMap(), w.m_groupStones), 2);
}

TEST(GroupTableFull, LoneStoneBeyondFifteenStaysOutsideEveryGroup)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetPosition(v, kFifteenGroups);
    ASSERT_EQ(v.m_groupCount, 15);
    unsigned char colorsBefore[kGroupSlots];
    std::memcpy(colorsBefore, v.m_groupColor, sizeof colorsBefore);

    EXPECT_EQ(PlayMove(v, 'w', 11, 11), 0);
    EXPECT_EQ(h.frame.Last(), kGroupTableFull);
    EXPECT_EQ(v.m_board[11][11], kWhite);
    EXPECT_EQ(v.m_groupMap[11][11], 0);
    EXPECT_EQ(v.m_groupCount, 15);
    EXPECT_EQ(std::memcmp(colorsBefore, v.m_groupColor, sizeof colorsBefore), 0);
    for (int g = 1; g < kGroupSlots; ++g)
        EXPECT_EQ(v.m_groupStones[g].GetCount(), 1) << g;

    // A stone that joins needs no slot and still works.
    EXPECT_EQ(PlayMove(v, 'b', 1, 2), 0);
    EXPECT_EQ(ListText(v, 1), "(1,1)(1,3)(1,2)");
}

TEST(GroupTableFull, NothingBeyondTheSixteenSlotsOfACopyIsWritten)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetPosition(v, kFifteenGroups);
    // The copy's count stands right behind its 16 lists.
    std::unique_ptr<CGroupSet> set(new CGroupSet);
    v.CopyGroupSet(*set);
    v.PushHistory('b', 11, 11);
    set->board[CellIndex(11, 11)] = kBlack;
    v.CheckMove(set->board, set->map, set->stones);
    const int n = v.PlaceStone(set->board, set->map, set->color, set->stones, set->count);
    EXPECT_EQ(n, 15);
    EXPECT_EQ(set->count, 15);
    EXPECT_TRUE(set->stones[0].IsEmpty());
    EXPECT_EQ(set->color[0], 0);
    EXPECT_EQ(set->map[CellIndex(11, 11)], 0);
    // The view's own set is untouched by work on the copy.
    EXPECT_EQ(v.m_board[11][11], kEmpty);
    EXPECT_EQ(GroupSetFault(v), "");
}

TEST(GroupTableFull, CompactionStillRunsAfterACapture)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetPosition(v, {"O...X.X.X.X",
                    "X..........",
                    "...........",
                    "X.X.X.X.X.X",
                    "...........",
                    "X.X........",
                    "...........",
                    "X.........."});
    ASSERT_EQ(v.m_groupCount, 15);
    EXPECT_EQ(PlayMove(v, 'b', 2, 1), 0);
    EXPECT_EQ(h.frame.Last(), kGroupTableFull);
    EXPECT_EQ(v.m_board[1][1], kEmpty);
    EXPECT_EQ(v.m_board[1][2], kBlack);
    EXPECT_EQ(v.m_groupMap[1][2], 0);
    // Group 15 moved into the slot of the taken stone.
    EXPECT_EQ(v.m_groupCount, 14);
    EXPECT_EQ(v.m_groupMap[8][1], 1);
    EXPECT_EQ(ListText(v, 1), "(1,8)");
    EXPECT_TRUE(v.m_groupStones[15].IsEmpty());
}

namespace {

// Whether a stone of colour c at (x, y) would open a new group.
bool OpensGroup(CKovraView& v, unsigned char c, int x, int y)
{
    const int i = CellIndex(x, y);
    for (int d = 0; d < 4; ++d) {
        const int n = i + kNeighbour[d];
        if (v.Board()[n] == c && v.GroupMap()[n] > 0)
            return false;
    }
    return true;
}

// Judges an illegal verdict independently: the stone, applied to a copy,
// takes nothing and its group has no liberty.
std::string SuicideFault(CKovraView& v, unsigned char c, int x, int y)
{
    std::unique_ptr<CGroupSet> set(new CGroupSet);
    v.CopyGroupSet(*set);
    v.PushHistory(c == kBlack ? 'b' : 'w', x, y);
    set->board[CellIndex(x, y)] = c;
    std::string fault;
    if (v.CheckMove(set->board, set->map, set->stones) != -1)
        fault = "verdict changed";
    set->count = v.PlaceStone(set->board, set->map, set->color, set->stones, set->count);
    for (int i = 0; i < kCells; ++i)
        if (set->board[i] != v.Board()[i] && i != CellIndex(x, y))
            fault = "an illegal stone took stones";
    const int g = set->map[CellIndex(x, y)];
    if (g > 0 && v.FindSoleLiberty(g, set->map, set->stones) != 0)
        fault = "an illegal stone keeps a liberty";
    --v.m_histCount;
    return fault;
}

}  // namespace

TEST(GroupStress, RandomGamesKeepTheGroupSetRight)
{
    ViewHarness h;
    CKovraView& v = h.view();
    std::unique_ptr<CKovraView> fresh(new CKovraView);
    std::mt19937 random(20240607u);
    int captures = 0;
    int suicides = 0;
    int compared = 0;
    for (int game = 0; game < 200; ++game) {
        v.ResetPosition();
        v.m_groupCount = 0;
        const int size = 3 + game % 9;
        for (int attempt = 0; attempt < 300; ++attempt) {
            const int x = 1 + static_cast<int>(random() % size);
            const int y = 1 + static_cast<int>(random() % size);
            const unsigned char c = (random() & 1) ? kBlack : kWhite;
            if (v.m_board[y][x] != kEmpty)
                continue;
            if (v.m_groupCount >= kMaxGroupId && OpensGroup(v, c, x, y))
                continue;  // the full table is tested on its own
            if (v.m_histCount >= kHistorySize - 1)
                v.m_histCount = 0;  // the stress is on the groups, not the history
            int stonesBefore = 0;
            for (int i = 0; i < kCells; ++i)
                stonesBefore += v.Board()[i] == kBlack || v.Board()[i] == kWhite;

            const int r = PlayMove(v, c == kBlack ? 'b' : 'w', x, y);
            SCOPED_TRACE("game " + std::to_string(game) + " move (" + std::to_string(x) + "," +
                         std::to_string(y) + ")");
            if (r == -1) {
                ++suicides;
                ASSERT_EQ(v.m_board[y][x], kEmpty);
                ASSERT_EQ(SuicideFault(v, c, x, y), "");
            } else {
                ASSERT_NE(v.FindSoleLiberty(v.m_groupMap[y][x], v.GroupMap(), v.m_groupStones), 0);
            }
            int stonesAfter = 0;
            for (int i = 0; i < kCells; ++i)
                stonesAfter += v.Board()[i] == kBlack || v.Board()[i] == kWhite;
            if (stonesAfter < stonesBefore + (r == -1 ? 0 : 1))
                ++captures;

            ASSERT_EQ(GroupSetFault(v), "");
            ASSERT_EQ(ConnectedGroupingFault(v.Board(), v.GroupMap()), "");
            std::memcpy(fresh->m_board, v.m_board, sizeof v.m_board);
            fresh->RebuildGroups();
            if (ConnectedGroupingFault(fresh->Board(), fresh->GroupMap()) != "")
                continue;  // more than 15 provisional labels: no reference
            ++compared;
            ASSERT_EQ(SameGroupingFault(v.GroupMap(), fresh->GroupMap()), "");
        }
    }
    // The games did exercise captures and refusals.
    EXPECT_GT(captures, 300);
    EXPECT_GT(suicides, 60);
    EXPECT_GT(compared, 8000);
}
