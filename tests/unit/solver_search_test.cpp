// The node operations: target tests, the kind filters, the pass rules,
// repetition, exhaustion and the combination of child results.
#include "solver_fixture.h"

#include <algorithm>

namespace {

// A lone white stone at the corner with its last liberty as an f point.
const Problem kCornerStone{{"O..", "X.."}, {{'f', 2, 1}}, {{1, 1}}};

int Count(const std::string& text, const std::string& what)
{
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

int SearchWhiteOnView(CKovraView& v, int move)
{
    return v.SearchWhite(move, v.Board(), v.GroupMap(), v.m_groupColor, v.m_groupStones,
                         v.m_groupCount);
}

int SearchBlackOnView(CKovraView& v, int move)
{
    return v.SearchBlack(move, v.Board(), v.GroupMap(), v.m_groupColor, v.m_groupStones,
                         v.m_groupCount);
}

}  // namespace

// ---- target tests --------------------------------------------------------

TEST_F(SolverTest, WhiteNodeWithATargetAlreadyTakenStoresDeath)
{
    Load({{"X..", "..."}, {{'f', 3, 3}}, {{2, 1}}});  // the target point is empty
    EXPECT_EQ(Live(), "         0/1result = 9------------\n");
    EXPECT_EQ(Status(), "death=0/1");
    const std::int32_t root = view().KeyOfBoard(view().Board());
    EXPECT_EQ(view().LoadResult(2, root), 9);
}

TEST_F(SolverTest, BlackNodeWithTheTargetGroupInAtariStoresDeath)
{
    Load({{"O.X", "X.."}, {{'f', 3, 2}}, {{1, 1}}});
    CKovraView& v = view();
    EXPECT_EQ(SearchBlackOnView(v, -1), 9);
    EXPECT_EQ(v.LoadResult(1, v.KeyOfBoard(v.Board())), 9);
    EXPECT_EQ(v.m_nodeCount, 0);
    EXPECT_EQ(v.m_ply, 0);
}

TEST_F(SolverTest, BlackNodeWithTwoLibertiesOnTheTargetExpands)
{
    Load({{"O..", "..."}, {{'m', 3, 3}}, {{1, 1}}});
    CKovraView& v = view();
    SearchBlackOnView(v, -1);
    EXPECT_GE(v.m_nodeCount, 1);
    EXPECT_EQ(v.m_keyAtPly[1], v.KeyOfBoard(v.Board()));
}

// ---- kind filters ----------------------------------------------------------

TEST_F(SolverTest, WhiteNeverPlaysAZPoint)
{
    // White's only open point is z: it is not tried, White passes instead.
    Load({{"O.X", "XX."}, {{'f', 3, 2}, {'z', 2, 1}}, {{1, 1}}});
    Live();
    EXPECT_EQ(Trace().find("1' 2"), std::string::npos);
}

TEST_F(SolverTest, WhiteSkipsAYPointThatTakesNothing)
{
    // y at (3,1) touches the black pair (4,1)-(4,2), which has two liberties.
    Load({{"O..XO", "X..XO", "...O.", "....."}, {{'f', 1, 4}, {'y', 3, 1}}, {{1, 1}}});
    Kill();
    EXPECT_EQ(Count(Trace(), "1' 3"), 0) << Trace();
}

TEST_F(SolverTest, WhitePlaysAYPointThatTakesABlackGroupInAtari)
{
    // With (3,2) white, the pair's last liberty is the y point.
    Load({{"O..XO", "X.OXO", "...O.", "....."}, {{'f', 1, 4}, {'y', 3, 1}}, {{1, 1}}});
    Kill();
    EXPECT_EQ(Count(Trace(), "1' 3"), 1) << Trace();
}

TEST_F(SolverTest, BlackPlaysAZPointOnlyNextToAWhiteStone)
{
    // z at (2,1) touches the target, z at (4,1) touches nothing white.
    Load({{"O...", "....", "....", "...."}, {{'f', 4, 4}, {'z', 4, 1}, {'z', 2, 1}}, {{1, 1}}});
    Live();
    const std::string trace = Trace();
    EXPECT_EQ(Count(trace, " 1, 4"), 0) << trace;
    EXPECT_GE(Count(trace, " 1, 2"), 1) << trace;
}

TEST_F(SolverTest, LiveRootTriesOnlyFEntriesAndCountsSkippedPlaces)
{
    Load({{".O.OX", "OOOOX", "XXXXX"}, {{'m', 8, 8}, {'f', 1, 1}, {'f', 3, 1}}, {{2, 2}}});
    Live();
    std::vector<std::string> processed;
    for (const std::string& s : h.frame.status)
        if (s.rfind("processed", 0) == 0)
            processed.push_back(s);
    EXPECT_EQ(processed, (std::vector<std::string>{"processed 2 of f-moves", "processed 3 of f-moves"}));
    // The m point is first in the list but never White's first move.
    EXPECT_EQ(Trace().find("       2: 1    8' 8"), std::string::npos);
}

// ---- pass rules --------------------------------------------------------------

// Five open points around a one-liberty corner stone; White's root move
// (2,1) cannot save it, so the root then considers a pass.
const Problem kFiveOpen{{"O....", "X...."},
                        {{'f', 2, 1}, {'m', 3, 1}, {'m', 4, 1}, {'m', 5, 1}, {'m', 5, 2}},
                        {{1, 1}}};

TEST_F(SolverTest, WhiteDoesNotPassWithFiveOpenPoints)
{
    Load(kFiveOpen);
    Live();
    EXPECT_EQ(Count(Trace(), ": 1    0' 0"), 0) << Trace();
}

TEST_F(SolverTest, WhitePassesWithFourOpenPointsCountingZAgainst)
{
    Problem four = kFiveOpen;
    four.moves.push_back({'z', 3, 2});
    Load(four);
    Live();
    EXPECT_EQ(Count(Trace(), ": 1    0' 0"), 1) << Trace();
}

TEST_F(SolverTest, WhiteDoesNotAnswerABlackPassWithAPass)
{
    // After the refused retake Black passes; White must then play (here it
    // connects and lives), never pass back.
    Load({{".OX.X", "OOOX.", "XX.X.", "..X.."}, {{'f', 4, 1}, {'m', 3, 1}, {'m', 1, 1}}, {{2, 2}}});
    Live();
    const std::string trace = Trace();
    const std::size_t blackPass = trace.find("       4: 2      0, 0\n");
    ASSERT_NE(blackPass, std::string::npos);
    EXPECT_EQ(trace.compare(blackPass + 22, 20, "       5: 3        1"), 0) << trace;
}

// ---- repetition and the ko ban ----------------------------------------------

TEST_F(SolverTest, BlackRefusesAMoveRepeatedFromTheSamePositionAndCallsItKo)
{
    Load({{"O...", "...."}, {{'f', 3, 1}}, {{1, 1}}});
    CKovraView& v = view();
    v.m_ply = 3;  // the node expands at ply 4 and looks back to ply 0
    v.m_keyAtPly[0] = v.KeyOfBoard(v.Board());
    v.m_moveAtPly[0] = 0;
    v.m_keyAtPly[3] = v.m_keyAtPly[0];
    EXPECT_EQ(SearchBlackOnView(v, -1), 7);
    EXPECT_EQ(v.m_playCount, 0);
    EXPECT_EQ(v.LoadResult(1, v.m_keyAtPly[0]), 7);
}

TEST_F(SolverTest, RepetitionLooksOnlyFourOrMorePliesBack)
{
    Load({{"O...", "...."}, {{'f', 3, 1}}, {{1, 1}}});
    CKovraView& v = view();
    v.m_ply = 1;  // expands at ply 2: no earlier Black turn is far enough up
    v.m_keyAtPly[0] = v.KeyOfBoard(v.Board());
    v.m_moveAtPly[0] = 0;
    v.m_keyAtPly[1] = v.m_keyAtPly[0];
    v.PushHistory('w', 9, 9);
    SearchBlackOnView(v, -1);
    EXPECT_GE(v.m_playCount, 1);
    EXPECT_EQ(v.m_moveAtPly[2], 0);  // the entry was played at ply 2
}

TEST_F(SolverTest, TheRetakeOfASingleStoneIsBannedAndBlackPasses)
{
    Load({{".OX.X", "OOOX.", "XX.X.", "..X.."}, {{'f', 4, 1}, {'m', 3, 1}, {'m', 1, 1}}, {{2, 2}}});
    Live();
    const std::string trace = Trace();
    // After White's capture at (4,1) Black tries (1,1) and passes; (3,1) is never tried there.
    EXPECT_NE(trace.find("       2: 1    1' 4\n"
                         "       3: 2      1, 1\n"
                         "        : 2     -1\n"
                         "       4: 2      0, 0\n"),
              std::string::npos);
    EXPECT_EQ(trace.find(": 2      1, 3"), std::string::npos);
}

// ---- exhaustion --------------------------------------------------------------

TEST_F(SolverTest, ANodeAtThePlyCapIsExhausted)
{
    Load(kCornerStone);
    CKovraView& v = view();
    v.m_plyCap = 3;
    v.m_ply = 3;
    EXPECT_EQ(SearchWhiteOnView(v, -1), -3);
    EXPECT_EQ(SearchBlackOnView(v, -1), -3);
    EXPECT_EQ(v.m_nodeCount, 0);
}

TEST_F(SolverTest, ExhaustionCheckDecidesWhetherAnExhaustedLineEndsTheScan)
{
    // A history two short of full leaves a ply cap of 1: every Black answer
    // to White's root moves is exhausted.
    const Problem open{{"O....", "X...."}, {{'f', 2, 1}, {'f', 3, 1}}, {{1, 1}}};
    Load(open);
    CKovraView& v = view();
    while (v.m_histCount < kHistorySize - 2)
        v.PushHistory('s', 9, 9);
    const int base = v.m_histCount;

    EXPECT_EQ(Live(), "         1/3result = -3------------\n");  // both root moves tried
    EXPECT_EQ(Status(), "exhst=1/3");

    v.m_histCount = base;
    v.m_exhaustCheck = 0;
    EXPECT_EQ(Live(), "         1/2result = -3------------\n");  // the first ends the scan
}

TEST_F(SolverTest, FullHistoryGivesExhaustedWithoutPlaying)
{
    Load(kCornerStone);
    CKovraView& v = view();
    while (v.m_histCount < kHistorySize)
        v.PushHistory('s', 9, 9);
    EXPECT_EQ(Kill(), "         0/0result = -3------------\n");
    EXPECT_EQ(Status(), "exhst=0/0");
    EXPECT_EQ(Trace(), "");
    EXPECT_EQ(v.m_histCount, kHistorySize);
    EXPECT_EQ(v.m_board[1][2], kEmpty);

    EXPECT_EQ(Live(), "         0/0result = -3------------\n");
    EXPECT_EQ(Status(), "exhst=0/0");
    EXPECT_EQ(v.m_histCount, kHistorySize);
}

TEST_F(SolverTest, PlyCapKeepsEveryLineInsideTheHistory)
{
    Load({{"O....", "X...."}, {{'f', 2, 1}, {'m', 3, 1}, {'m', 4, 1}, {'m', 5, 1}}, {{1, 1}}});
    CKovraView& v = view();
    while (v.m_histCount < 118)
        v.PushHistory('s', 9, 9);
    Live();
    EXPECT_EQ(v.m_plyCap, 2);
    EXPECT_LE(v.m_histCount, kHistorySize);
    EXPECT_EQ(v.m_histCount, 119);  // the root pass stays
}

TEST_F(SolverTest, ASearchStartedWithTooHighACapStaysInsideTheHistory)
{
    Load({{"O.....", "X....."}, {{'m', 2, 1}, {'m', 3, 1}, {'m', 4, 1}, {'m', 5, 1}, {'m', 6, 1}},
          {{1, 1}}});
    CKovraView& v = view();
    while (v.m_histCount < kHistorySize - 2)
        v.PushHistory('s', 9, 9);
    const std::string kinds(v.m_histKind, v.m_histKind + v.m_histCount);
    const std::string columns(v.m_histX, v.m_histX + v.m_histCount);
    v.m_plyCap = kPlyLimit;  // as no command would leave it
    SearchBlackOnView(v, -1);
    EXPECT_EQ(v.m_histCount, kHistorySize - 2);
    EXPECT_EQ(std::string(v.m_histKind, v.m_histKind + v.m_histCount), kinds);
    EXPECT_EQ(std::string(v.m_histX, v.m_histX + v.m_histCount), columns);
    EXPECT_LE(v.m_plyCap, 2);
}
