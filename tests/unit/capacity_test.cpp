// The fixed capacities held under real use: long verification games, solver
// runs started late in a long history, the deepest ply, the status buffer.
// Each test checks the members that follow a full table, which a write past
// its end would change (the sanitizers cannot see inside the view).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "solver_fixture.h"
#include "verify_test_support.h"

namespace {

// Second-line seven: reads 211 positions and lines well past ten plies.
const Problem kSecondLineSeven{
    {"X.......X..", "XOOOOOOOX..", "XXXXXXXXX.."},
    {{'f', 2, 1}, {'f', 3, 1}, {'f', 4, 1}, {'f', 5, 1}, {'f', 6, 1}, {'f', 7, 1}, {'f', 8, 1}},
    {{2, 2}}};

// History entries that put nothing on the board, each with its own point so
// that a stray write shows.
void FillHistoryWithSentinels(CKovraView& v, int n)
{
    while (v.m_histCount < n) {
        const int i = v.m_histCount;
        v.PushHistory('s', 1 + i % 11, 1 + (i / 11) % 11);
    }
}

bool SentinelsIntact(const CKovraView& v, int from, int to)
{
    for (int i = from; i < to; ++i)
        if (v.m_histKind[i] != 's' || v.m_histX[i] != 1 + i % 11 || v.m_histY[i] != 1 + (i / 11) % 11)
            return false;
    return true;
}

}  // namespace

// ---- the solver late in the history ---------------------------------------

TEST_F(SolverTest, SolverStartedLateInTheHistoryStaysInsideIt)
{
    for (const int used : {0, 67, 90, 110, 119, 120, 121}) {
        SCOPED_TRACE("history entries at the start: " + std::to_string(used));
        Load(kSecondLineSeven);
        CKovraView& v = view();
        const int stones = v.m_histCount;
        FillHistoryWithSentinels(v, std::max(used, stones));
        const int start = v.m_histCount;
        const std::int32_t moves = v.m_moveCount;
        const std::uint32_t black = v.m_moveBlack;

        const std::string kill = Kill();
        EXPECT_EQ(v.m_histCount, start);
        EXPECT_EQ(v.m_plyCap, std::max(0, std::min(kPlyLimit, kHistorySize - 1 - start)));
        const std::string live = Live();
        EXPECT_EQ(v.m_histCount, start + (start < kHistorySize ? 1 : 0));  // the root pass
        EXPECT_LE(v.m_histCount, kHistorySize);
        EXPECT_TRUE(SentinelsIntact(v, stones, start));
        EXPECT_EQ(v.m_moveCount, moves);
        EXPECT_EQ(v.m_moveBlack, black);
        EXPECT_EQ(v.m_moveWhite, 0u);
        if (start <= 67) {
            // 53 plies are room enough for every line of this problem.
            EXPECT_EQ(kill, "         211/430result = 9------------\n");
        } else if (start == kHistorySize) {
            EXPECT_EQ(kill, "         0/0result = -3------------\n");
            EXPECT_EQ(live, "         0/0result = -3------------\n");
        }
    }
}

TEST_F(SolverTest, HistoryEntriesBeforeTheRunAreLeftAsTheyWere)
{
    CKovraView& v = view();
    Load(kSecondLineSeven);
    const int stones = v.m_histCount;
    v.m_histCount = 0;  // the stones stay on the board; only the entries change
    FillHistoryWithSentinels(v, 100);
    Kill();
    Live();
    EXPECT_TRUE(SentinelsIntact(v, 0, 100));
    EXPECT_EQ(v.m_histKind[100], ' ');
    EXPECT_EQ(v.m_histCount, 101);
    EXPECT_GT(stones, 0);
}

// ---- the deepest ply ------------------------------------------------------

TEST_F(SolverTest, TheLastPlySlotIsUsedAndNothingBeyondIt)
{
    // A node at ply 53 still expands; its children at ply 54 are exhausted.
    Load({{"O....", "X...."}, {{'f', 2, 1}, {'m', 3, 1}}, {{1, 1}}});
    CKovraView& v = view();
    Live();  // weighs the move-list points for the keys
    std::memset(v.m_resultTable, 0, sizeof v.m_resultTable);
    v.m_plyCap = kPlyLimit;
    v.m_ply = kPlyLimit - 1;
    v.m_keyAtPly[kPlyLimit - 1] = v.KeyOfBoard(v.Board());
    v.m_moveAtPly[kPlyLimit - 1] = -1;
    const int targets = v.m_targetCount;
    const signed char targetY = v.m_targetY[0];
    const int key = v.KeyOfBoard(v.Board());
    const int r = v.SearchWhite(-1, v.Board(), v.GroupMap(), v.m_groupColor, v.m_groupStones,
                                v.m_groupCount);
    EXPECT_EQ(r, -3);
    EXPECT_EQ(v.m_ply, kPlyLimit - 1);
    EXPECT_EQ(v.m_keyAtPly[kPlyLimit], key);
    EXPECT_GE(v.m_moveAtPly[kPlyLimit], -1);
    EXPECT_LT(v.m_moveAtPly[kPlyLimit], v.m_moveCount);
    EXPECT_EQ(v.m_targetCount, targets);
    EXPECT_EQ(v.m_targetY[0], targetY);
}

// ---- a long verification game ---------------------------------------------

TEST_F(VerifyTest, LongAttackGameFillsTheHistoryAndThenRefusesClicks)
{
    // No move list: every colouring is key 0, stored as life with White to
    // move, so White passes and each click takes one history entry.
    Verdict(8, 'b');
    v.StoreResult(2, 0, 8);
    FillHistory(10);
    v.OnAttack();
    int clicks = 0;
    for (int y = 1; y <= 11 && v.m_histCount < kHistorySize; ++y)
        for (int x = 1; x <= 11 && v.m_histCount < kHistorySize; ++x, ++clicks) {
            v.OnVerifyClick(x, y);
            ASSERT_EQ(Last(), "pass..");
        }
    EXPECT_EQ(clicks, kHistorySize - 10);
    EXPECT_EQ(v.m_histCount, kHistorySize);
    EXPECT_EQ(v.m_ply, clicks);  // the ply only counts the game's moves here

    v.OnVerifyClick(11, 11);
    EXPECT_EQ(Last(), "history full");
    EXPECT_EQ(v.m_board[11][11], kEmpty);
    EXPECT_EQ(v.m_histCount, kHistorySize);
    EXPECT_EQ(v.m_moveCount, 0);  // the member after the history is untouched
    EXPECT_EQ(GroupSetFault(v), "");
}

TEST_F(VerifyTest, LongDefendGameWithRepliesStopsAtTheLastSlot)
{
    // Black answers every white stone on the move list; the history fills
    // two entries per click and the last click gets no answer.
    Position({".."});
    for (int x = 1; x <= 11; ++x)
        Entry('m', x, 3);
    Verdict(9, 'w');
    // Every colouring with White to move after Black's reply reads death.
    std::memset(v.m_resultTable, 0x99, 177147);  // 3^11 keys
    FillHistory(kHistorySize - 8);
    v.OnDefend();  // Black passes first
    EXPECT_EQ(v.m_histCount, kHistorySize - 7);
    testing::internal::CaptureStdout();  // the probes' debugging lines
    int x = 1;
    while (v.m_histCount < kHistorySize && x <= 11) {
        while (x <= 11 && v.m_board[3][x] != kEmpty)
            ++x;
        if (x > 11)
            break;
        v.OnVerifyClick(x, 3);
    }
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(v.m_histCount, kHistorySize);
    EXPECT_EQ(std::string(v.m_histKind + kHistorySize - 7, 7), "wbwbwbw");
    EXPECT_EQ(Last(), "can't kill / unexpected move");  // no slot for an answer
    EXPECT_EQ(v.m_moveCount, 11);
    v.OnVerifyClick(1, 9);
    EXPECT_EQ(Last(), "history full");
    EXPECT_EQ(GroupSetFault(v), "");
}

// ---- the status buffer ----------------------------------------------------

TEST(StatusBuffer, LongTextsAreCutAtFortySevenCharacters)
{
    ViewHarness h;
    CKovraView& v = h.view();
    v.m_groupsStale = 0x5A5A5A5A;
    const std::string longText(200, 'q');
    v.ShowStatusF("%s", longText.c_str());
    EXPECT_EQ(h.frame.Last(), std::string(47, 'q'));
    EXPECT_EQ(v.m_groupsStale, 0x5A5A5A5A);

    // The widest texts the program formats fit whole.
    v.ShowStatusF("my move (%2d,%2d)", -2147483647 - 1, -2147483647 - 1);
    EXPECT_EQ(h.frame.Last(), "my move (-2147483648,-2147483648)");
    v.ShowStatusF("exhst=%d/%d", -2147483647 - 1, -2147483647 - 1);
    EXPECT_EQ(h.frame.Last(), "exhst=-2147483648/-2147483648");
    EXPECT_EQ(v.m_groupsStale, 0x5A5A5A5A);
}

TEST(FileName, EveryKeyLeavesATerminatedNameThatFits)
{
    ViewHarness h;
    CKovraView& v = h.view();
    EXPECT_STREQ(v.m_fileName, "movesx.txt");
    for (unsigned c : {0x30u, 0x39u, 0x20u, 0x61u, 0x7Fu, 0xFFu, 0x10FFFFu}) {
        v.OnChar(c);
        EXPECT_NE(std::memchr(v.m_fileName, '\0', sizeof v.m_fileName), nullptr);
    }
    v.OnChar('9');
    EXPECT_STREQ(v.m_fileName, "moves9.txt");
}
