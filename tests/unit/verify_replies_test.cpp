// The user's clicks in a verification game and the system's answers.
#include "verify_test_support.h"

using Rows = std::vector<std::string>;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

// Candidates f (1,1), f (3,1), m (5,1) on an empty top row; the user plays
// off the list at (9,9), so the key before the reply is 0. A white reply on
// them gives the key 18, 6 or 2, a black one 9, 3 or 1.
class ReplyTest : public VerifyTest {
protected:
    void SetUp() override
    {
        Entry('f', 1, 1);
        Entry('f', 3, 1);
        Entry('m', 5, 1);
    }
    void StartAttack()
    {
        Verdict(8, 'b');
        v.OnAttack();
        h.frame.status.clear();
    }
    void StartDefend()
    {
        Verdict(9, 'w');
        v.OnDefend();  // records Black's pass
        h.frame.status.clear();
    }
};

}  // namespace

TEST_F(ReplyTest, WhiteAnswersWithTheFirstEntryStoredAsLife)
{
    StartAttack();
    v.StoreResult(1, 18, 0);
    v.StoreResult(1, 6, 8);
    v.StoreResult(1, 2, 8);
    CaptureStdout();
    v.OnVerifyClick(9, 9);
    EXPECT_EQ(GetCapturedStdout(), "");  // black-to-move probes print nothing
    EXPECT_EQ(Status(), (std::vector<std::string>{"my move ( 1, 3)"}));
    ASSERT_EQ(v.m_histCount, 2);
    EXPECT_EQ(v.m_histKind[0], 'b');
    EXPECT_EQ(v.m_histKind[1], 'w');
    EXPECT_EQ(v.m_histX[1], 3);
    EXPECT_EQ(v.m_histY[1], 1);
    EXPECT_EQ(BoardRows(v)[0], "..O........");
    EXPECT_EQ(BoardRows(v)[8], "........X..");
    EXPECT_EQ(v.m_ply, 1);
    EXPECT_EQ(GroupSetFault(v), "");
}

TEST_F(VerifyTest, MyMoveGivesTheRowBeforeTheColumn)
{
    Entry('m', 10, 2);
    Verdict(8, 'b');
    v.OnAttack();
    v.StoreResult(1, Key({2}), 8);
    v.OnVerifyClick(1, 1);
    EXPECT_EQ(Last(), "my move ( 2,10)");
    EXPECT_EQ(v.m_board[2][10], kWhite);
}

TEST_F(ReplyTest, WhitePassesWhereThePositionIsStoredAsLife)
{
    StartAttack();
    v.StoreResult(2, 0, 8);
    v.StoreResult(1, 2, 7);  // the last probe finds ko: still no move
    v.OnVerifyClick(9, 9);
    EXPECT_EQ(Status(), (std::vector<std::string>{"pass.."}));
    ASSERT_EQ(v.m_histCount, 1);  // the pass is not recorded
    EXPECT_EQ(v.m_histKind[0], 'b');
    EXPECT_EQ(v.m_ply, 1);
    EXPECT_EQ(BoardRows(v)[0], "...........");

    // There is no end of game: the next click is answered the same way.
    v.OnVerifyClick(10, 10);
    EXPECT_EQ(Last(), "pass..");
    EXPECT_EQ(v.m_histCount, 2);
    EXPECT_EQ(v.m_ply, 2);
}

TEST_F(ReplyTest, WhiteWithoutAnswerCannotLive)
{
    StartAttack();
    v.StoreResult(1, 2, 7);
    v.StoreResult(1, 6, 9);
    v.OnVerifyClick(9, 9);
    EXPECT_EQ(Status(), (std::vector<std::string>{"can't live / unexpected move"}));
    EXPECT_EQ(v.m_histCount, 1);
    EXPECT_EQ(BoardRows(v)[0], "...........");
}

TEST_F(ReplyTest, BlackNeverPasses)
{
    StartDefend();
    v.StoreResult(1, 0, 9);
    v.StoreResult(1, 0, 8);
    CaptureStdout();
    v.OnVerifyClick(9, 9);
    EXPECT_EQ(GetCapturedStdout(),
              "W3: 3, movN: 3, bit2a:      9, r:01"
              "W3: 3, movN: 3, bit2a:      3, r:01"
              "W3: 3, movN: 3, bit2a:      1, r:01");
    EXPECT_EQ(Status(), (std::vector<std::string>{"can't kill / unexpected move"}));
    EXPECT_EQ(v.m_histCount, 2);
    EXPECT_EQ(v.m_ply, 1);
}

TEST_F(ReplyTest, KoIsAcceptedWhereThePositionIsStoredAsKo)
{
    StartAttack();
    v.StoreResult(2, 0, 7);
    v.StoreResult(1, 18, 7);
    v.StoreResult(1, 6, 8);
    v.OnVerifyClick(9, 9);
    EXPECT_EQ(Last(), "my move ( 1, 1)");
}

TEST_F(ReplyTest, KoIsRefusedWhereThePositionIsNotKo)
{
    // A ko verdict does not matter to the replies: only the stored code does.
    Verdict(7, 'b');
    v.OnAttack();
    v.StoreResult(2, 0, 8);
    v.StoreResult(1, 18, 7);
    v.StoreResult(1, 6, 8);
    v.OnVerifyClick(9, 9);
    EXPECT_EQ(Last(), "my move ( 1, 3)");

    ViewHarness h2;
    CKovraView& w = h2.view();
    AddMoveEntry(w, 'f', 1, 1);
    w.m_solverResult = 7;
    w.m_solverSide = 'w';
    w.OnDefend();
    w.StoreResult(2, Key({1}), 7);  // stored ko, but the position (cur) is not
    CaptureStdout();
    w.OnVerifyClick(9, 9);
    EXPECT_EQ(h2.frame.Last(), "can't kill / unexpected move");
    w.StoreResult(1, 0, 7);  // now the position after White's stone is ko
    w.OnVerifyClick(8, 8);
    GetCapturedStdout();
    EXPECT_EQ(h2.frame.Last(), "my move ( 1, 1)");
}

TEST_F(VerifyTest, WhiteYEntryOnlyTakes)
{
    // Black (1,1) has its last liberty at (2,1).
    Position({"X.", "O."});
    Entry('y', 5, 5);
    Entry('y', 2, 1);
    Entry('f', 9, 1);
    Verdict(8, 'b');
    v.OnAttack();
    v.StoreResult(1, Key({2, 0, 0}), 8);
    v.StoreResult(1, Key({0, 2, 0}), 8);
    v.StoreResult(1, Key({0, 0, 2}), 8);
    v.OnVerifyClick(9, 9);
    EXPECT_EQ(Last(), "my move ( 1, 2)");
    EXPECT_EQ(BoardRows(v)[0], ".O.........");
    EXPECT_EQ(GroupSetFault(v), "");

    // Without the atari no 'y' entry is tried.
    ViewHarness h2;
    CKovraView& w = h2.view();
    SetPosition(w, {"X."});
    AddMoveEntry(w, 'y', 5, 5);
    AddMoveEntry(w, 'y', 2, 1);
    AddMoveEntry(w, 'f', 9, 1);
    w.m_solverResult = 8;
    w.m_solverSide = 'b';
    w.OnAttack();
    w.StoreResult(1, Key({2, 0, 0}), 8);
    w.StoreResult(1, Key({0, 2, 0}), 8);
    w.StoreResult(1, Key({0, 0, 2}), 8);
    w.OnVerifyClick(9, 9);
    EXPECT_EQ(h2.frame.Last(), "my move ( 1, 9)");
}

TEST_F(VerifyTest, BlackZEntryOnlyTouchesWhite)
{
    Position({"O."});
    Entry('z', 5, 5);
    Entry('z', 2, 1);
    Entry('f', 9, 1);
    Verdict(9, 'w');
    v.OnDefend();
    v.StoreResult(2, Key({1, 0, 0}), 9);
    v.StoreResult(2, Key({0, 1, 0}), 9);
    v.StoreResult(2, Key({0, 0, 1}), 9);
    CaptureStdout();
    v.OnVerifyClick(9, 9);
    // (5,5) was not even probed.
    EXPECT_EQ(GetCapturedStdout(), "W3: 3, movN: 3, bit2a:      3, r:91");
    EXPECT_EQ(Last(), "my move ( 1, 2)");
}

TEST_F(VerifyTest, WhiteZAndBlackYEntriesHaveNoCondition)
{
    Entry('z', 5, 5);
    Verdict(8, 'b');
    v.OnAttack();
    v.StoreResult(1, Key({2}), 8);
    v.OnVerifyClick(9, 9);
    EXPECT_EQ(Last(), "my move ( 5, 5)");

    ViewHarness h2;
    CKovraView& w = h2.view();
    AddMoveEntry(w, 'y', 5, 5);
    w.m_solverResult = 9;
    w.m_solverSide = 'w';
    w.OnDefend();
    w.StoreResult(2, Key({1}), 9);
    CaptureStdout();
    w.OnVerifyClick(9, 9);
    GetCapturedStdout();
    EXPECT_EQ(h2.frame.Last(), "my move ( 5, 5)");
}

TEST_F(VerifyTest, UserCaptureIsGoneBeforeTheReplyIsSought)
{
    // Black (2,1) takes white (1,1), the first list point.
    Position({"O.", "X."});
    Entry('m', 1, 1);
    Entry('f', 3, 1);
    Verdict(8, 'b');
    v.OnAttack();
    // Only a position read with (1,1) empty is ko, and only then is the
    // ko reply on (3,1) accepted.
    v.StoreResult(2, Key({0, 0}), 7);
    v.StoreResult(2, Key({2, 0}), 8);
    v.StoreResult(1, Key({0, 2}), 7);
    h.canvas.calls.clear();
    v.OnVerifyClick(2, 1);
    EXPECT_EQ(Last(), "my move ( 1, 3)");
    EXPECT_EQ(BoardRows(v)[0], ".XO........");
    EXPECT_EQ(GroupSetFault(v), "");
    // Neither redraw shows a stone on (1,1); the first already lacks it.
    EXPECT_TRUE(h.canvas.Calls("ellipse 1 1 25 25").empty());
    EXPECT_EQ(h.canvas.Calls("fill 0 0").size(), 2u);
}

TEST_F(VerifyTest, IllegalUserStoneStaysAndIsAnswered)
{
    Position({".O", "O."});
    Entry('f', 3, 1);
    Verdict(8, 'b');
    v.OnAttack();
    v.StoreResult(1, Key({2}), 8);
    v.OnVerifyClick(1, 1);
    EXPECT_EQ(v.m_board[1][1], kBlack);
    EXPECT_NE(v.m_groupMap[1][1], 0);
    EXPECT_EQ(Last(), "my move ( 1, 3)");
    EXPECT_EQ(GroupSetFault(v), "");
}

TEST_F(ReplyTest, ClicksOnStonesOrOffTheBoardAreIgnored)
{
    StartAttack();
    v.StoreResult(1, 6, 8);
    v.OnVerifyClick(9, 9);
    const int hist = v.m_histCount;
    const int ply = v.m_ply;
    const Rows board = BoardRows(v);
    const size_t texts = Status().size();
    const size_t calls = h.canvas.calls.size();
    const int clicks[][2] = {{9, 9}, {3, 1}, {0, 5}, {12, 3}, {4, 0}, {5, 12}};
    for (const auto& c : clicks)
        v.OnVerifyClick(c[0], c[1]);
    EXPECT_EQ(v.m_histCount, hist);
    EXPECT_EQ(v.m_ply, ply);
    EXPECT_EQ(BoardRows(v), board);
    EXPECT_EQ(Status().size(), texts);
    EXPECT_EQ(h.canvas.calls.size(), calls);
    EXPECT_EQ(v.m_board[0][4], kBorder);
    EXPECT_EQ(GroupSetFault(v), "");
}

TEST_F(ReplyTest, FullHistoryRefusesTheClick)
{
    StartAttack();
    v.StoreResult(1, 18, 8);
    FillHistory(kHistorySize);
    v.OnVerifyClick(9, 9);
    EXPECT_EQ(Status(), (std::vector<std::string>{"history full"}));
    EXPECT_EQ(v.m_histCount, kHistorySize);
    EXPECT_EQ(v.m_board[9][9], kEmpty);
    EXPECT_EQ(v.m_ply, 0);
}

TEST_F(ReplyTest, LastSlotTakesTheUserStoneAndNoReplyIsTried)
{
    StartAttack();
    v.StoreResult(1, 18, 8);
    v.StoreResult(2, 0, 8);
    FillHistory(kHistorySize - 1);
    v.OnVerifyClick(9, 9);
    EXPECT_EQ(Last(), "pass..");
    EXPECT_EQ(v.m_histCount, kHistorySize);
    EXPECT_EQ(v.m_board[9][9], kBlack);
    EXPECT_EQ(v.m_board[1][1], kEmpty);

    ViewHarness h2;
    CKovraView& w = h2.view();
    AddMoveEntry(w, 'f', 1, 1);
    w.m_solverResult = 9;
    w.m_solverSide = 'w';
    w.OnDefend();
    w.StoreResult(2, Key({1}), 9);
    while (w.m_histCount < kHistorySize - 1)
        w.PushHistory('s', 11, 11);
    CaptureStdout();
    w.OnVerifyClick(9, 9);
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(h2.frame.Last(), "can't kill / unexpected move");
    EXPECT_EQ(w.m_board[1][1], kEmpty);
}

TEST_F(VerifyTest, DefendGamePrintsEveryWhiteToMoveProbe)
{
    // An eye space of two points; the system (Black) opens on (4,1), the
    // user's (1,1) lets Black take everything on (3,1), and the last answer
    // finds nothing.
    Position({".O..OX",
              "OOOOOX",
              "XXXXXX"});
    Entry('f', 3, 1);
    Entry('f', 4, 1);
    Entry('m', 1, 1);
    Verdict(9, 'b');
    v.StoreResult(2, Key({0, 1, 0}), 9);
    v.StoreResult(2, Key({1, 1, 0}), 9);
    CaptureStdout();
    v.OnDefend();
    v.OnVerifyClick(1, 1);
    const std::string afterFirst = Last();
    v.OnVerifyClick(5, 1);
    EXPECT_EQ(GetCapturedStdout(),
              "W3: 1, movN: 1, bit2a:      9, r:01"
              "W3: 1, movN: 1, bit2a:      3, r:91"
              "W3: 3, movN: 3, bit2a:     12, r:91"
              "W3: 4, movN: 5, bit2a:     13, r:01");
    EXPECT_EQ(Status(), (std::vector<std::string>{"defend", "my move ( 1, 3)",
                                                  "can't kill / unexpected move"}));
    EXPECT_EQ(afterFirst, "my move ( 1, 3)");
    EXPECT_EQ(BoardRows(v)[0], "..XXOX.....");
    EXPECT_EQ(BoardRows(v)[1], ".....X.....");
    EXPECT_EQ(v.m_histCount, 4);
    EXPECT_EQ(v.m_ply, 2);
    EXPECT_EQ(GroupSetFault(v), "");
}

TEST_F(VerifyTest, BoardReplacedMidGameIsRegroupedBeforeTheClick)
{
    // A Restore during the game puts stones on the board without groups:
    // the user's capture must still see the white stone's group.
    Entry('f', 3, 1);
    Verdict(8, 'b');
    v.OnAttack();
    v.ResetPosition();
    SetBoard(v, {"O.", "X."});
    v.m_groupsStale = 1;
    v.OnVerifyClick(2, 1);
    EXPECT_EQ(BoardRows(v)[0], ".X.........");
    EXPECT_EQ(GroupSetFault(v), "");
    EXPECT_EQ(v.m_groupsStale, 0);
}
