// "Check first moves": which root candidates are read, the letters and the
// outcome the window shows for any number of workers, and that the check
// leaves the last solver command's table, verdict and counters alone.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "solver/first_moves.h"
#include "test_support.h"

namespace {

// Stones on the second line, both ends closed, the first-line points under them as f points.
Problem SecondLine(int stones)
{
    Problem p{{"X" + std::string(stones, '.') + "X", "X" + std::string(stones, 'O') + "X",
               std::string(stones + 2, 'X')},
              {},
              {{2, 2}}, {}};
    for (int k = 0; k < stones; ++k)
        p.moves.push_back({'f', 2 + k, 1});
    return p;
}

const Problem kBentThree{{"..OX", ".OOX", "OOXX", "XXX."},
                         {{'f', 1, 1}, {'f', 2, 1}, {'f', 1, 2}},
                         {{2, 2}}, {}};

std::string CandidateNames(const CFirstMoveCheck& check)
{
    std::string names;
    for (const CFirstMoveReading& r : check.readings)
        names += FirstMoveName(r) + " ";
    return names;
}

class FirstMoveTest : public ScratchDirTest {
protected:
    void Load(const Problem& problem) { LoadProblem(view(), problem); }
    // Runs a solver command, its summary line caught.
    void Solve(bool live)
    {
        std::FILE* sink = std::tmpfile();
        view().m_summaryOut = sink;
        live ? view().OnStartDef() : view().OnStartAtk();
        view().m_summaryOut = nullptr;
        std::fclose(sink);
    }
    std::string Status() const { return h.frame.Last(); }
};

}  // namespace

// m entries, occupied points and (for "start to kill") points that were white
// when entered are no first moves; White's pass is one with few open points.
TEST_F(FirstMoveTest, CandidatesFollowTheRootRules)
{
    Load({{"XO...OX", "XOOOOOX", "XXXXXXX"},
          {{'m', 3, 1}, {'f', 4, 1}, {'f', 5, 1}, {'f', 1, 1}},
          {{2, 2}}, {}});
    view().m_moveWhite |= 1u << 1;  // entry 2 was entered on a white stone
    EXPECT_EQ(CandidateNames(PrepareFirstMoveCheck(view(), go::Goal::Kill)), "(1,4) ");
    EXPECT_EQ(CandidateNames(PrepareFirstMoveCheck(view(), go::Goal::Live)), "(1,4) (1,5) pass ");
}

struct CheckCase {
    Problem problem;
    bool live;
    const char* letters;  // per candidate point, in list order
    const char* status;
};

// Unique, two, none, ko when nothing kills, for any number of workers.
TEST_F(FirstMoveTest, LettersAndOutcomeWhateverTheWorkers)
{
    const CheckCase cases[] = {
        {kBentThree, false, "DLL", "unique solution at (1,1)"},
        {kBentThree, true, "LDD", "unique solution at (1,1)"},
        {SecondLine(7), false, "DLLLLLD", "2 solutions"},
        {SecondLine(8), false, "LLLLLLLL", "no solution"},
        {{{"...OX", ".OOOX", "OOXXX", "XXX"}, {{'f', 1, 1}, {'f', 2, 1}, {'f', 3, 1}, {'f', 1, 2}}, {{2, 2}}, {}},
         false, "LKLL", "unique solution at (1,2)"},
    };
    for (const CheckCase& c : cases) {
        for (int workers : {1, 2, 3}) {
            SCOPED_TRACE(c.status + std::string(" workers ") + std::to_string(workers));
            Load(c.problem);
            Solve(c.live);
            h.canvas.calls.clear();
            view().m_checkWorkers = workers;
            view().OnCheckFirstMoves();
            std::string letters;
            for (const std::string& call : h.canvas.Calls("text "))
                letters += call.back();
            EXPECT_EQ(letters, c.letters);
            EXPECT_EQ(Status(), c.status);
        }
    }
}

// The letter goes on the candidate's point; the readings' own texts stay
// in their views; the window's table, verdict and counters are as before.
TEST_F(FirstMoveTest, CheckLeavesTheSolverRunAlone)
{
    Load(kBentThree);
    Solve(false);
    const std::string table(reinterpret_cast<const char*>(view().m_resultTable), kTableSize);
    const int result = view().m_solverResult;
    const int nodes = view().m_nodeCount;
    const int plays = view().m_playCount;
    const std::size_t texts = h.frame.status.size();
    h.canvas.calls.clear();
    view().m_checkWorkers = 2;
    view().OnCheckFirstMoves();

    EXPECT_EQ(h.canvas.Calls("text "),
              (std::vector<std::string>{"text 9 5 D", "text 35 5 L", "text 9 31 L"}));
    EXPECT_EQ(std::vector<std::string>(h.frame.status.begin() + texts, h.frame.status.end()),
              (std::vector<std::string>{"checking first moves", "unique solution at (1,1)"}));
    EXPECT_EQ(std::memcmp(table.data(), view().m_resultTable, kTableSize), 0);
    EXPECT_EQ(view().m_solverResult, result);
    EXPECT_EQ(view().m_nodeCount, nodes);
    EXPECT_EQ(view().m_playCount, plays);
}

TEST_F(FirstMoveTest, RefusedWithoutTargets)
{
    view().OnCheckFirstMoves();
    EXPECT_EQ(Status(), "specify target stones");
    EXPECT_TRUE(h.canvas.Calls("text ").empty());
}

// What the readings come to: those that reach the goal work; ko moves
// stand in for them only when every reading came to an end, since a
// stopped one may reach the goal.
TEST(FirstMoveOutcome, StoppedReadingsLeaveOnlyTheProvenSolutions)
{
    constexpr int kStopped = -1;
    const struct {
        const char* name;
        go::Goal goal;
        std::vector<int> results;
        std::vector<int> solutions;
        std::vector<int> cancelled;
    } cases[] = {
        {"the goal reached", go::Goal::Kill, {kDeath, kLife, kKo}, {0}, {}},
        {"ko when nothing reaches the goal", go::Goal::Kill, {kLife, kKo, kLife}, {1}, {}},
        {"life is the goal of start to live", go::Goal::Live, {kDeath, kLife, kLife}, {1, 2}, {}},
        {"a proven move beside a stopped one", go::Goal::Kill, {kStopped, kDeath, kLife}, {1}, {0}},
        {"no ko while a reading was stopped", go::Goal::Live, {kDeath, kKo, kStopped}, {}, {2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CFirstMoveCheck check;
        check.goal = c.goal;
        for (std::size_t k = 0; k < c.results.size(); ++k) {
            CFirstMoveReading r;
            r.candidate = static_cast<int>(k);
            r.at = go::MakeLoc(static_cast<int>(k) + 1, 1);
            r.cancelled = c.results[k] == kStopped;
            r.result = r.cancelled ? 0 : c.results[k];
            check.readings.push_back(r);
        }
        const CFirstMoveOutcome outcome = JudgeFirstMoves(check);
        EXPECT_EQ(outcome.solutions, c.solutions);
        EXPECT_EQ(outcome.cancelled, c.cancelled);
    }
}
