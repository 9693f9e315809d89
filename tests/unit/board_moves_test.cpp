// Move legality, the neighbour table, keys, result nibbles and open moves.
#include <gtest/gtest.h>

#include "group_checks.h"
#include "test_support.h"

using Rows = std::vector<std::string>;

namespace {

// Rows 1..n of the board as text, for short expectations.
Rows TopRows(const CKovraView& view, int n)
{
    const Rows all = BoardRows(view);
    return Rows(all.begin(), all.begin() + n);
}

}  // namespace

TEST(CheckMove, EmptyNeighbourDecidesEvenWhenTheStoneTakes)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetPosition(v, {"O.",
                    "X."});
    EXPECT_EQ(PlayMove(v, 'b', 2, 1), 0);
    EXPECT_EQ(v.m_captureFlag, 0);
    // PlaceStone still takes the white stone and closes the hole it leaves.
    EXPECT_EQ(TopRows(v, 2), (Rows{".X.........", "X.........."}));
    EXPECT_EQ(GroupRows(v)[0].substr(0, 2), ".1");
    EXPECT_EQ(GroupRows(v)[1].substr(0, 2), "2.");
    EXPECT_EQ(v.m_groupCount, 2);
    EXPECT_EQ(GroupSetFault(v), "");
}

TEST(CheckMove, SuicideIsRefusedAndTakenBack)
{
    ViewHarness h;
    CKovraView& v = h.view();
    // Into an eye of two white stones that keep other liberties.
    SetPosition(v, {".O",
                    "O."});
    const int hist = v.m_histCount;
    EXPECT_EQ(PlayMove(v, 'b', 1, 1), -1);
    EXPECT_EQ(v.m_captureFlag, 0);
    EXPECT_EQ(v.m_board[1][1], kEmpty);
    EXPECT_EQ(v.m_histCount, hist);

    // Filling the last liberty of two own groups that take nothing.
    ViewHarness h2;
    CKovraView& w = h2.view();
    SetPosition(w, {".XO",
                    "XO.",
                    "O.."});
    EXPECT_EQ(PlayMove(w, 'b', 1, 1), -1);
    EXPECT_EQ(w.m_board[1][1], kEmpty);
    EXPECT_EQ(GroupSetFault(w), "");
}

TEST(CheckMove, JoinCountsTheNewPointAsLiberty)
{
    ViewHarness h;
    CKovraView& v = h.view();
    // (2,1) has (1,1) and the new point (2,2) itself as liberties.
    SetPosition(v, {".XO",
                    "O.O",
                    ".O."});
    EXPECT_EQ(PlayMove(v, 'b', 2, 2), 2);
    EXPECT_EQ(v.m_captureFlag, 0);
    EXPECT_EQ(v.m_groupMap[2][2], v.m_groupMap[1][2]);
}

TEST(CheckMove, FirstDecidingNeighbourEndsTheTest)
{
    // Above: an own group with two liberties; below: a white stone in atari.
    // The join decides first, so no capture flag, yet the stone is taken.
    {
        ViewHarness h;
        CKovraView& v = h.view();
        SetPosition(v, {".XO.",
                        "O.O.",
                        "XOX.",
                        ".X.."});
        EXPECT_EQ(PlayMove(v, 'b', 2, 2), 2);
        EXPECT_EQ(v.m_captureFlag, 0);
        EXPECT_EQ(v.m_board[3][2], kEmpty);
        EXPECT_EQ(v.m_groupMap[3][2], 0);
        EXPECT_EQ(GroupSetFault(v), "");
    }
    // Above: a white stone in atari; below: an own group with liberties.
    {
        ViewHarness h;
        CKovraView& v = h.view();
        SetPosition(v, {"XOX.",
                        "O.O.",
                        ".XO."});
        EXPECT_EQ(PlayMove(v, 'b', 2, 2), 1);
        EXPECT_EQ(v.m_captureFlag, 1);
        EXPECT_EQ(v.m_board[1][2], kEmpty);
        EXPECT_EQ(v.m_groupMap[2][2], v.m_groupMap[3][2]);
        EXPECT_EQ(GroupSetFault(v), "");
    }
}

TEST(CheckMove, OneGroupOnTwoSidesIsOneEntry)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetPosition(v, {"XX",
                    "X."});
    const int g = v.m_groupMap[1][1];
    EXPECT_EQ(PlayMove(v, 'b', 2, 2), 0);
    EXPECT_EQ(v.m_nbGroup[0], g);
    EXPECT_EQ(v.m_nbContacts[0], 2);
    EXPECT_EQ(v.m_nbColor[0], kBlack);
    EXPECT_EQ(v.m_nbContacts[1], 0);
}

TEST(CheckMove, NeighbourTableKeepsTheScanOrder)
{
    ViewHarness h;
    CKovraView& v = h.view();
    // Around (2,2): above white, left black, right white (other group), below black.
    SetPosition(v, {".O..",
                    "X.O.",
                    ".X.."});
    PlayMove(v, 'w', 2, 2);
    // Read the table CheckMove filled (PlaceStone leaves it alone).
    EXPECT_EQ(v.m_nbColor[0], kWhite);
    EXPECT_EQ(v.m_nbColor[1], kBlack);
    EXPECT_EQ(v.m_nbColor[2], kWhite);
    EXPECT_EQ(v.m_nbColor[3], kBlack);
    for (int e = 0; e < 4; ++e)
        EXPECT_EQ(v.m_nbContacts[e], 1);
}

TEST(CheckMove, ImmediateRetakeIsLegal)
{
    ViewHarness h;
    CKovraView& v = h.view();
    const Rows ko = {".XO.",
                     "XO.O",
                     ".XO."};
    SetPosition(v, ko);
    EXPECT_EQ(PlayMove(v, 'b', 3, 2), 1);
    EXPECT_EQ(v.m_board[2][2], kEmpty);
    EXPECT_EQ(PlayMove(v, 'w', 2, 2), 1);
    EXPECT_EQ(v.m_captureFlag, 1);
    EXPECT_EQ(v.m_board[2][3], kEmpty);
    EXPECT_EQ(TopRows(v, 3), (Rows{".XO........", "XO.O.......", ".XO........"}));
    EXPECT_EQ(GroupSetFault(v), "");
}

TEST(CountLiberties, CountsSharedLibertiesOnce)
{
    ViewHarness h;
    CKovraView& v = h.view();
    // Black (1,1),(2,1),(1,2): liberties (3,1),(2,2),(1,3); (2,2) touches two stones.
    SetPosition(v, {"XX.",
                    "X..",
                    "..."});
    EXPECT_EQ(v.CountLiberties(v.m_groupMap[1][1], v.GroupMap(), v.m_groupStones), 3);
    // A stone on the board but not in the map still counts as a liberty.
    v.m_board[2][2] = kWhite;
    EXPECT_EQ(v.CountLiberties(v.m_groupMap[1][1], v.GroupMap(), v.m_groupStones), 3);
    EXPECT_EQ(v.CountLiberties(9, v.GroupMap(), v.m_groupStones), 0);
}

TEST(ResultTable, KeysPutEntryZeroFirst)
{
    ViewHarness h;
    CKovraView& v = h.view();
    EXPECT_EQ(v.EncodeMoves(4, 1, 3), 11);
    EXPECT_EQ(v.EncodeMoves(7, 7, 0), 0);
    EXPECT_EQ(v.EncodeMoves(1, 1, 1), -1);
    EXPECT_EQ(v.EncodeMoves(4, 0, 3), 9);
    EXPECT_EQ(v.EncodeMoves(0, 0x7FFF, 15), kTableSize - 1);
    EXPECT_EQ(v.EncodeMoves(0x4000, 0, 15), 4782969);  // 3^14

    // The key read off a board equals the one of the entry bit sets.
    SetBoard(v, {"XO.X",
                 ".OX.",
                 "O..X"});
    const int points[][2] = {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {2, 2}, {3, 2}, {1, 3}, {4, 3}, {3, 3}};
    for (const auto& p : points)
        AddMoveEntry(v, 'm', p[0], p[1]);
    EXPECT_EQ(v.KeyOfBoard(v.Board()), v.EncodeMoves(v.m_moveBlack, v.m_moveWhite, v.m_moveCount));
    // 1 2 0 1 2 1 2 1 0 in base 3.
    EXPECT_EQ(v.KeyOfBoard(v.Board()), ((((((((1 * 3 + 2) * 3 + 0) * 3 + 1) * 3 + 2) * 3 + 1) * 3 + 2) * 3 + 1) * 3 + 0));
}

TEST(ResultTable, SidesKeepTheirOwnNibble)
{
    ViewHarness h;
    CKovraView& v = h.view();
    const int k = 11;
    EXPECT_EQ(v.StoreResult(1, k, 9), static_cast<signed char>(0x90));
    EXPECT_EQ(v.StoreResult(2, k, 8), static_cast<signed char>(0x98));
    EXPECT_EQ(v.m_resultTable[k], 0x98);
    EXPECT_EQ(v.LoadResult(1, k), 9);
    EXPECT_EQ(v.LoadResult(2, k), 8);
    EXPECT_EQ(v.StoreResult(1, k, 7), 0x78);
    EXPECT_EQ(v.LoadResult(2, k), 8);
    // Every side other than 1 is White's nibble.
    v.StoreResult(0, k, 9);
    EXPECT_EQ(v.LoadResult(3, k), 9);
    EXPECT_EQ(v.LoadResult(1, k), 7);
    EXPECT_EQ(v.m_resultTable[k - 1], 0);
    EXPECT_EQ(v.m_resultTable[k + 1], 0);
    v.StoreResult(2, kTableSize - 1, 7);
    EXPECT_EQ(v.LoadResult(2, kTableSize - 1), 7);
}

TEST(CountOpenMoves, AddsOpenPointsAndSubtractsOpenZPoints)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetBoard(v, {"..X.."});
    AddMoveEntry(v, 'f', 1, 1);
    AddMoveEntry(v, 'z', 2, 1);
    AddMoveEntry(v, 'm', 3, 1);  // occupied: not counted
    EXPECT_EQ(v.CountOpenMoves(v.Board(), 3), 0);
    AddMoveEntry(v, 'y', 4, 1);
    AddMoveEntry(v, 'z', 5, 1);
    EXPECT_EQ(v.CountOpenMoves(v.Board(), 4), 1);
    EXPECT_EQ(v.CountOpenMoves(v.Board(), 5), 0);
    EXPECT_EQ(v.CountOpenMoves(v.Board(), 0), 0);
    v.m_board[1][1] = kWhite;
    EXPECT_EQ(v.CountOpenMoves(v.Board(), 5), -1);
}
