// Long reads: counters that pass the largest 32-bit value, and reads that
// are watched and stopped from outside.
#include "solver_fixture.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <fstream>

#include "solver/run_control.h"

namespace {

// 6052 positions for "start to kill": past the first looks at the flag.
const Problem kSecondLine11{{"...........", ".XOOOOOOOX.", ".XXXXXXXXXX"},
     {{'f', 2, 1}, {'f', 3, 1}, {'f', 4, 1}, {'f', 5, 1}, {'f', 6, 1}, {'f', 7, 1}, {'f', 8, 1}, {'f', 9, 1}, {'f', 10, 1}, {'f', 11, 1}, {'f', 11, 2}},
     {{3, 2}}};

// 20640 positions for "start to live".
const Problem kCorner10{{"....OX", "....OX", "..OOOX", "OOOXXX", "XXXX.."},
     {{'f', 1, 1}, {'f', 2, 1}, {'f', 3, 1}, {'f', 4, 1}, {'f', 1, 2}, {'f', 2, 2}, {'f', 3, 2}, {'f', 4, 2}, {'f', 1, 3}, {'f', 2, 3}},
     {{3, 3}}};

bool TableEmpty(const CKovraView& v)
{
    return std::all_of(v.m_resultTable, v.m_resultTable + kTableSize,
                       [](unsigned char c) { return c == 0; });
}

}  // namespace

TEST_F(SolverTest, CountersWrapPastTheLargestValueWithoutOverflow)
{
    Load(kSecondLine11);
    CKovraView& v = view();
    v.RebuildGroups();
    const auto search = [&v](std::int32_t start) {
        std::fill(v.m_resultTable, v.m_resultTable + kTableSize, 0);
        v.m_nodeCount = v.m_playCount = start;
        v.SearchBlack(-1, v.Board(), v.GroupMap(), v.m_groupColor, v.m_groupStones, v.m_groupCount);
        return std::make_pair(v.m_nodeCount, v.m_playCount);
    };
    const auto from0 = search(0);
    ASSERT_GT(from0.first, 10);
    const auto nearLimit = search(INT_MAX - 9);
    EXPECT_EQ(nearLimit.first, INT_MIN + from0.first - 10);
    EXPECT_EQ(nearLimit.second, INT_MIN + from0.second - 10);
}

TEST_F(SolverTest, AWatchedReadThatRunsToTheEndGivesTheSameOutput)
{
    Load(kSecondLine11);
    const std::string summary = Kill();
    const std::string trace = Trace();
    std::atomic<bool> cancel{false};
    CRunControl control;
    control.cancel = &cancel;
    view().m_runControl = &control;
    EXPECT_EQ(Kill(), summary);
    EXPECT_EQ(Trace(), trace);
    EXPECT_FALSE(view().m_runCancelled);
    EXPECT_GE(control.nodes.load(), std::int32_t(kPollNodes));
    EXPECT_GE(control.rootEntry.load(), 0);
    view().m_runControl = nullptr;
}

// Stopped: "cancelled", no summary, the position and the old trace as
// before, an empty table and no result to verify.
TEST_F(SolverTest, AStoppedReadLeavesEverythingAsBefore)
{
    CKovraView& v = view();
    std::atomic<bool> cancel{true};
    CRunControl control;
    control.cancel = &cancel;
    for (const bool live : {false, true}) {
        Load(live ? kCorner10 : kSecondLine11);
        v.m_runControl = &control;
        std::ofstream("db.txt") << "old\n";
        const std::vector<std::string> board = BoardRows(v);
        const int hist = v.m_histCount;
        v.m_solverResult = 9;
        EXPECT_EQ(live ? Live() : Kill(), "");
        EXPECT_EQ(Status(), "cancelled");
        EXPECT_TRUE(v.m_runCancelled);
        EXPECT_EQ(v.m_solverResult, 0);
        EXPECT_EQ(BoardRows(v), board);
        EXPECT_EQ(v.m_histCount, hist);
        EXPECT_EQ(v.m_ply, 0);
        EXPECT_TRUE(TableEmpty(v));
        EXPECT_EQ(Trace(), "old\n");
    }
    v.m_runControl = nullptr;
}
