// The two commands: refusals, the root loop, verdicts, the trace file, the
// standard-output summary, stale groups and the history bounds.
#include "solver_fixture.h"

#include <sys/stat.h>

namespace {

const Problem kCornerStone{{"O..", "X.."}, {{'f', 2, 1}}, {{1, 1}}};

std::vector<std::string> Processed(const RecordingFrame& frame)
{
    std::vector<std::string> out;
    for (const std::string& s : frame.status)
        if (s.rfind("processed", 0) == 0)
            out.push_back(s);
    return out;
}

}  // namespace

TEST_F(SolverTest, NoTargetIsRefusedAfterTheTableIsCleared)
{
    CKovraView& v = view();
    v.m_resultTable[5] = 0x98;
    v.m_solverResult = 8;
    EXPECT_EQ(Kill(), "");
    EXPECT_EQ(Status(), "specify target stones");
    EXPECT_EQ(v.m_resultTable[5], 0);
    EXPECT_EQ(v.m_solverResult, 8);
    struct stat info;
    EXPECT_NE(stat("db.txt", &info), 0);  // no trace opened
    EXPECT_EQ(Live(), "");
}

TEST_F(SolverTest, KillWithoutFEntriesIsUndecided)
{
    Load({{"O..", "X.."}, {{'m', 2, 1}}, {{1, 1}}});
    EXPECT_EQ(Kill(), "         0/0result = 0------------\n");
    EXPECT_EQ(Status(), "?=0/0");
    EXPECT_EQ(view().m_solverResult, 0);
    EXPECT_EQ(view().m_solverSide, 'b');
}

TEST_F(SolverTest, KillSkipsFEntriesOnPointsThatWereWhite)
{
    // The f entry was made on a white stone: never a root move.
    Load({{"OO.", "X.."}, {{'f', 2, 1}}, {{1, 1}}});
    EXPECT_EQ(Kill(), "         0/0result = 0------------\n");
}

TEST_F(SolverTest, KillSkipsFEntriesOnOccupiedPointsAndKeepsTheStone)
{
    Load({{"O..", "X.."}, {{'f', 2, 1}, {'f', 3, 1}}, {{1, 1}}});
    CKovraView& v = view();
    v.m_board[1][2] = kBlack;  // a stone put on the f point after it was entered
    v.m_groupsStale = 1;
    Kill();
    EXPECT_EQ(Processed(h.frame), std::vector<std::string>{"processed 2 of f-moves"});
    EXPECT_EQ(Trace().find(" 0  1, 2"), std::string::npos);
    EXPECT_EQ(v.m_board[1][2], kBlack);
}

TEST_F(SolverTest, KillScansEntriesInListOrderWithTheirPlaceNumbers)
{
    Load({{".O.OX", "OOOOX", "XXXXX"}, {{'m', 8, 8}, {'f', 1, 1}, {'f', 3, 1}}, {{2, 2}}});
    Kill();
    EXPECT_EQ(Processed(h.frame),
              (std::vector<std::string>{"processed 2 of f-moves", "processed 3 of f-moves"}));
}

TEST_F(SolverTest, KillEndsAtTheFirstKillingRootMove)
{
    // Bent three: the bend (first entry) kills; the others are never tried.
    Load({{"..OX", ".OOX", "OOXX", "XXX."}, {{'f', 1, 1}, {'f', 2, 1}, {'f', 1, 2}}, {{2, 2}}});
    Kill();
    EXPECT_EQ(Processed(h.frame), std::vector<std::string>{"processed 1 of f-moves"});
    EXPECT_EQ(view().m_solverResult, 9);
    EXPECT_EQ(view().LoadResult(1, view().EncodeMoves(view().m_moveBlack, view().m_moveWhite, 3)), 9);
}

TEST_F(SolverTest, KillGoesOnAfterAKoRootMoveAndReportsKo)
{
    // Bent four in the corner: every root move is tried, the verdict is ko.
    Load({{"...OX", ".OOOX", "OOXXX", "XXX.."},
          {{'f', 1, 1}, {'f', 2, 1}, {'f', 3, 1}, {'f', 1, 2}},
          {{2, 2}}});
    EXPECT_EQ(Kill(), "         26/52result = 7------------\n");
    EXPECT_EQ(Status(), "koh=26/52");
    EXPECT_EQ(Processed(h.frame).size(), 4u);
}

TEST_F(SolverTest, CommandsLeaveThePositionAsTheyFoundIt)
{
    Load(kCornerStone);
    CKovraView& v = view();
    const std::vector<std::string> board = BoardRows(v);
    const std::vector<std::string> groups = GroupRows(v);
    const int hist = v.m_histCount;
    Kill();
    EXPECT_EQ(BoardRows(v), board);
    EXPECT_EQ(GroupRows(v), groups);
    EXPECT_EQ(v.m_histCount, hist);
    EXPECT_EQ(v.m_histBase, hist);
    EXPECT_EQ(v.m_ply, 0);

    Live();
    EXPECT_EQ(BoardRows(v), board);
    EXPECT_EQ(v.m_histCount, hist + 1);  // the root pass stays
    EXPECT_EQ(v.m_histKind[hist], ' ');
    EXPECT_EQ(v.m_histBase, hist);
    EXPECT_EQ(v.m_solverSide, 'w');
    EXPECT_EQ(v.m_moveAtPly[0], -1);
}

TEST_F(SolverTest, StaleGroupsAreRebuiltBeforeTheRun)
{
    // The black stone that takes the corner's last outside liberty is added
    // after the groups were built.
    Load({{"O..", "..."}, {{'f', 2, 1}}, {{1, 1}}});
    CKovraView& v = view();
    v.PushHistory('b', 1, 2);
    v.m_board[2][1] = kBlack;
    v.m_groupsStale = 1;
    EXPECT_EQ(Kill(), "         0/1result = 9------------\n");
    EXPECT_EQ(v.m_groupsStale, 0);
    EXPECT_NE(v.m_groupMap[2][1], 0);

    // Nothing changed since: the groups stay as they are.
    v.m_groupMap[5][5] = 0;
    const std::vector<std::string> groups = GroupRows(v);
    Kill();
    EXPECT_EQ(GroupRows(v), groups);
}

TEST_F(SolverTest, StaleGroupsWithoutATargetAreLeftAlone)
{
    CKovraView& v = view();
    v.m_board[3][3] = kWhite;
    v.m_groupsStale = 1;
    Kill();
    EXPECT_EQ(v.m_groupsStale, 1);
}

TEST_F(SolverTest, SummaryGoesToStandardOutputByDefaultAndTraceToDbTxt)
{
    Load(kCornerStone);
    testing::internal::CaptureStdout();
    view().OnStartAtk();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "         0/1result = 9------------\n");
    EXPECT_EQ(ReadFile("db.txt"), "       1: 0  1, 2\n"
                                  "        : 0  9\n");
    EXPECT_EQ(view().m_logFile, nullptr);
}

TEST_F(SolverTest, ATraceFileThatCannotBeCreatedLeavesTheRunWithoutTrace)
{
    Load(kCornerStone);
    ASSERT_EQ(mkdir("db.txt", 0700), 0);  // a directory stands where the file would go
    testing::internal::CaptureStderr();
    EXPECT_EQ(Kill(), "         0/1result = 9------------\n");
    const std::string err = testing::internal::GetCapturedStderr();
    rmdir("db.txt");
    EXPECT_EQ(Status(), "death=0/1");
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("db.txt"), std::string::npos);
}

TEST_F(SolverTest, NoTraceNameMeansNoTraceFile)
{
    Load(kCornerStone);
    view().m_traceName = nullptr;
    EXPECT_EQ(Kill(), "         0/1result = 9------------\n");
    struct stat info;
    EXPECT_NE(stat("db.txt", &info), 0);
}

TEST_F(SolverTest, ResultTableIsClearedAtEveryRun)
{
    Load(kCornerStone);
    CKovraView& v = view();
    v.m_resultTable[kTableSize - 1] = 0x77;
    Kill();
    EXPECT_EQ(v.m_resultTable[kTableSize - 1], 0);
}

// ---- the trace line ----------------------------------------------------------

TEST_F(SolverTest, TraceLinesHaveTheirFixedLayout)
{
    CKovraView& v = view();
    v.m_logFile = std::fopen("db.txt", "w");
    ASSERT_NE(v.m_logFile, nullptr);
    v.TraceLine(14, 2, 'b', 3, 10);
    v.TraceLine(15, 3, 'w', 4, 9);
    v.TraceLine(15, 3, ' ', 9, 0);
    v.TraceLine(1, 0, 'b', 0, 0);
    v.TraceLine(1, 0, ' ', -1, 0);
    v.m_playCount = 39999999;  // the ceiling: nothing more is written
    v.TraceLine(40000000, 1, 'b', 1, 1);
    std::fclose(v.m_logFile);
    v.m_logFile = nullptr;
    v.TraceLine(1, 0, 'b', 1, 1);  // no log open: nothing, no crash
    EXPECT_EQ(ReadFile("db.txt"), "      14: 2      3,10\n"
                                  "      15: 3        4' 9\n"
                                  "        : 3        9\n"
                                  "       1: 0  0, 0\n"
                                  "        : 0 -1\n");
}
