// "Attack" and "Defend": verdict test, start, the system's opening move and
// the probe of the result table.
#include "verify_test_support.h"

using Rows = std::vector<std::string>;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

// Three candidates on an empty top row: a white stone on (1,1), (3,1) or
// (5,1) gives the key 18, 6 or 2; a black one 9, 3 or 1.
class OpeningTest : public VerifyTest {
protected:
    void SetUp() override
    {
        Entry('f', 1, 1);
        Entry('f', 3, 1);
        Entry('m', 5, 1);
    }
};

}  // namespace

TEST_F(OpeningTest, AttackAfterKillLetsTheUserMoveFirst)
{
    Verdict(8, 'b');
    FillHistory(2);
    v.StoreResult(1, 18, 8);
    CaptureStdout();
    v.OnAttack();
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(Status(), (std::vector<std::string>{"attack"}));
    EXPECT_EQ(v.m_clickMode, '@');
    EXPECT_EQ(v.m_verifyRefused, 0);
    EXPECT_EQ(v.m_histCount, 2);
    EXPECT_EQ(v.m_board[1][1], kEmpty);
    EXPECT_EQ(v.m_ply, 0);
}

TEST_F(OpeningTest, AttackAfterLivePassesThenPlaysTheFirstLivingEntry)
{
    Verdict(8, 'w');
    v.PushPass();  // the root pass of "start to live"
    v.StoreResult(1, 18, 0);
    v.StoreResult(1, 6, 8);
    v.StoreResult(1, 2, 8);
    v.m_ply = 5;
    v.OnAttack();
    EXPECT_EQ(Status(), (std::vector<std::string>{"attack"}));
    ASSERT_EQ(v.m_histCount, 3);
    EXPECT_EQ(v.m_histKind[0], ' ');
    EXPECT_EQ(v.m_histKind[1], ' ');
    EXPECT_EQ(v.m_histKind[2], 'w');
    EXPECT_EQ(v.m_histX[2], 3);
    EXPECT_EQ(v.m_histY[2], 1);
    EXPECT_EQ(BoardRows(v)[0], "..O........");
    EXPECT_EQ(v.m_groupMap[1][3], 1);
    EXPECT_EQ(v.m_groupCount, 1);
    EXPECT_EQ(GroupSetFault(v), "");
    EXPECT_EQ(v.m_ply, 0);
    // The move is drawn at once.
    EXPECT_EQ(h.canvas.Calls("ellipse 53 1 77 25 white").size(), 1u);
}

TEST_F(OpeningTest, OnlyEmptyFPointsAreTried)
{
    Verdict(8, 'w');
    v.m_board[1][1] = kBlack;
    v.RebuildGroups();
    // A stored life for the m point is never looked at by the opening.
    v.StoreResult(1, Key({1, 0, 2}), 8);
    v.StoreResult(1, Key({2, 0, 0}), 8);
    v.OnAttack();
    EXPECT_EQ(v.m_histCount, 1);
    EXPECT_EQ(v.m_histKind[0], ' ');
    EXPECT_EQ(BoardRows(v)[0], "X..........");
    EXPECT_EQ(Last(), "attack");
}

TEST_F(OpeningTest, DefendAfterLiveRecordsBlacksPassOnly)
{
    Verdict(9, 'w');
    v.StoreResult(2, 9, 9);
    CaptureStdout();
    v.OnDefend();
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(v.m_clickMode, '#');
    EXPECT_EQ(Status(), (std::vector<std::string>{"defend"}));
    ASSERT_EQ(v.m_histCount, 1);
    EXPECT_EQ(v.m_histKind[0], ' ');
    EXPECT_EQ(BoardRows(v)[0], "...........");
}

TEST_F(OpeningTest, DefendAfterKillOpensWithDeathAndPrintsEachProbe)
{
    Verdict(9, 'b');
    v.StoreResult(2, 3, 9);
    v.StoreResult(1, 9, 9);  // Black's nibble: not the one probed
    CaptureStdout();
    v.OnDefend();
    EXPECT_EQ(GetCapturedStdout(),
              "W3: 1, movN: 1, bit2a:      9, r:01"
              "W3: 1, movN: 1, bit2a:      3, r:91");
    ASSERT_EQ(v.m_histCount, 1);
    EXPECT_EQ(v.m_histKind[0], 'b');
    EXPECT_EQ(BoardRows(v)[0], "..X........");
    EXPECT_EQ(v.m_ply, 0);
}

TEST_F(OpeningTest, KoIsAcceptedOnlyUnderAKoVerdict)
{
    // Ko verdict: a stored ko is as good as the goal, and the earlier wins.
    Verdict(7, 'b');
    v.StoreResult(2, 9, 7);
    v.StoreResult(2, 3, 9);
    CaptureStdout();
    v.OnDefend();
    GetCapturedStdout();
    EXPECT_EQ(BoardRows(v)[0], "X..........");

    ViewHarness h2;
    CKovraView& w = h2.view();
    AddMoveEntry(w, 'f', 1, 1);
    AddMoveEntry(w, 'f', 3, 1);
    w.m_solverResult = 8;
    w.m_solverSide = 'w';
    w.StoreResult(1, Key({2, 0}), 7);
    w.StoreResult(1, Key({0, 2}), 8);
    w.OnAttack();
    EXPECT_EQ(BoardRows(w)[0], "..O........");

    ViewHarness h3;
    CKovraView& u = h3.view();
    AddMoveEntry(u, 'f', 1, 1);
    AddMoveEntry(u, 'f', 3, 1);
    u.m_solverResult = 7;
    u.m_solverSide = 'w';
    u.StoreResult(1, Key({2, 0}), 7);
    u.StoreResult(1, Key({0, 2}), 8);
    u.OnAttack();
    EXPECT_EQ(BoardRows(u)[0], "O..........");
}

TEST_F(OpeningTest, NoAcceptableOpeningLeavesOnlyTheStartText)
{
    Verdict(9, 'b');
    v.StoreResult(2, 9, 7);  // ko, but the verdict is death
    v.StoreResult(2, 3, 8);
    CaptureStdout();
    v.OnDefend();
    GetCapturedStdout();
    EXPECT_EQ(v.m_histCount, 0);
    EXPECT_EQ(BoardRows(v)[0], "...........");
    EXPECT_EQ(Status(), (std::vector<std::string>{"defend"}));
}

TEST_F(OpeningTest, StartingAgainPassesAgainAndOpensOnAStillEmptyPoint)
{
    Verdict(8, 'w');
    v.StoreResult(1, Key({2, 0, 0}), 8);
    v.StoreResult(1, Key({2, 2, 0}), 8);
    v.OnAttack();
    v.OnAttack();
    ASSERT_EQ(v.m_histCount, 4);
    EXPECT_EQ(std::string(v.m_histKind, 4), " w w");
    EXPECT_EQ(BoardRows(v)[0], "O.O........");
}

TEST_F(OpeningTest, RefusedVerdictsChangeNothingButModeAndFlag)
{
    const int attackRefused[] = {0, 9, -3, -1, 1};
    for (int result : attackRefused) {
        h.frame.status.clear();
        Verdict(result, 'w');
        v.StoreResult(1, 18, 8);
        v.OnAttack();
        EXPECT_EQ(Status(), (std::vector<std::string>{"you can't try to attack"})) << result;
        EXPECT_EQ(v.m_clickMode, '@');
        EXPECT_EQ(v.m_verifyRefused, 1);
        EXPECT_EQ(v.m_histCount, 0);
    }
    const int defendRefused[] = {0, 8, -3, -1};
    for (int result : defendRefused) {
        h.frame.status.clear();
        Verdict(result, 'b');
        v.OnDefend();
        EXPECT_EQ(Status(), (std::vector<std::string>{"you can't try to defend"})) << result;
        EXPECT_EQ(v.m_clickMode, '#');
        EXPECT_EQ(v.m_verifyRefused, 1);
    }
    // Clicks of a refused game do nothing at all.
    h.frame.status.clear();
    v.m_ply = 4;
    v.OnVerifyClick(2, 2);
    EXPECT_EQ(v.m_board[2][2], kEmpty);
    EXPECT_EQ(v.m_histCount, 0);
    EXPECT_EQ(v.m_ply, 4);
    EXPECT_TRUE(Status().empty());
    EXPECT_EQ(BoardRows(v)[0], "...........");

    // An accepted start clears the flag.
    Verdict(7, 'b');
    v.OnAttack();
    EXPECT_EQ(v.m_verifyRefused, 0);
    EXPECT_EQ(Last(), "attack");
}

TEST_F(VerifyTest, RefusedStartLeavesStaleGroupsAlone)
{
    SetBoard(v, {"O.", "X."});
    v.m_groupsStale = 1;
    Verdict(8, 'b');
    v.OnDefend();
    EXPECT_EQ(v.m_groupsStale, 1);
    EXPECT_EQ(v.m_groupMap[1][1], 0);
}

TEST_F(VerifyTest, StaleGroupsRebuiltSoTheOpeningTakes)
{
    v.PushHistory('w', 1, 1);
    v.PushHistory('b', 1, 2);
    SetBoard(v, {"O.", "X."});
    v.m_groupsStale = 1;
    Entry('f', 2, 1);
    Entry('m', 1, 1);
    v.StoreResult(2, Key({1, 0}), 9);
    Verdict(9, 'b');
    CaptureStdout();
    v.OnDefend();
    EXPECT_EQ(GetCapturedStdout(), "W3: 1, movN: 3, bit2a:      3, r:91");
    EXPECT_EQ(BoardRows(v)[0], ".X.........");
    EXPECT_EQ(GroupRows(v)[0], ".1.........");
    EXPECT_EQ(GroupRows(v)[1], "2..........");
    EXPECT_EQ(GroupSetFault(v), "");
    EXPECT_EQ(v.m_groupsStale, 0);
}

TEST_F(OpeningTest, FullHistoryTriesNoOpeningAndSkipsThePass)
{
    Verdict(8, 'w');
    v.StoreResult(1, 18, 8);
    FillHistory(kHistorySize);
    v.OnAttack();
    EXPECT_EQ(v.m_histCount, kHistorySize);
    EXPECT_EQ(BoardRows(v)[0], "...........");
    EXPECT_EQ(Last(), "attack");

    // One slot left: the pass takes it, and no move is tried.
    v.m_histCount = kHistorySize - 1;
    v.OnAttack();
    EXPECT_EQ(v.m_histCount, kHistorySize);
    EXPECT_EQ(v.m_histKind[kHistorySize - 1], ' ');
    EXPECT_EQ(BoardRows(v)[0], "...........");

    // Defend's pass is skipped too; its opening prints no probe.
    v.m_histCount = kHistorySize;
    Verdict(9, 'w');
    v.OnDefend();
    EXPECT_EQ(v.m_histCount, kHistorySize);
    Verdict(9, 'b');
    v.StoreResult(2, 9, 9);
    CaptureStdout();
    v.OnDefend();
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(BoardRows(v)[0], "...........");
}

TEST_F(OpeningTest, ProbeReadsTheSideAfterTheStoneOnACopy)
{
    // Black (2,1) takes white (1,1), a list point: the key sees it empty.
    ViewHarness hc;
    CKovraView& c = hc.view();
    SetPosition(c, {"O.", "X."});
    AddMoveEntry(c, 'm', 1, 1);
    AddMoveEntry(c, 'm', 2, 1);
    c.StoreResult(2, Key({0, 1}), 5);  // not a code the probe passes on
    c.StoreResult(1, Key({0, 1}), 8);
    c.PushHistory('b', 2, 1);
    c.m_board[1][2] = kBlack;
    c.m_ply = 6;
    CaptureStdout();
    EXPECT_EQ(c.ProbeResult(1), 8);
    EXPECT_EQ(c.ProbeResult(2), 0);
    EXPECT_EQ(GetCapturedStdout(), "W3: 7, movN: 1, bit2a:      1, r:51");
    EXPECT_EQ(c.m_ply, 6);
    // The taken stone is still on the real board and in its group.
    EXPECT_EQ(c.m_board[1][1], kWhite);
    EXPECT_EQ(c.m_groupMap[1][2], 0);
    c.m_board[1][2] = kEmpty;
    --c.m_histCount;
    EXPECT_EQ(GroupSetFault(c), "");

    // An illegal stone: -1, and nothing printed.
    ViewHarness hs;
    CKovraView& s = hs.view();
    SetPosition(s, {".O", "O."});
    s.PushHistory('b', 1, 1);
    s.m_board[1][1] = kBlack;
    CaptureStdout();
    EXPECT_EQ(s.ProbeResult(2), -1);
    EXPECT_EQ(GetCapturedStdout(), "");

    // With no move list the key is 0.
    v.StoreResult(2, 0, 7);
    v.m_moveCount = 0;
    v.PushHistory('w', 9, 9);
    v.m_board[9][9] = kWhite;
    CaptureStdout();
    EXPECT_EQ(v.ProbeResult(2), 7);
    EXPECT_EQ(GetCapturedStdout(), "W3: 1, movN: 1, bit2a:      0, r:71");
}
