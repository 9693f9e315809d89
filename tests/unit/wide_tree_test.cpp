// The wide reader's solution trees, replayed move by move on a fresh
// position: every move legal, the winner with one move, the loser with
// every legal move, and each line ending where the game ends.
#include <gtest/gtest.h>

#include <random>

#include "wide/wide_reader.h"
#include "wide_brute.h"
#include "wide_support.h"

namespace {

using go::Color;
using go::Loc;
using go::Player;
using Line = std::vector<std::pair<Player, Loc>>;

struct TreeCheck {
    const go::Problem& problem;
    BruteReader& brute;
    Player winner;
    Player favoured;  // of the reading the tree comes from
    bool complete;    // the tree was not cut
    int lines = 0;
    int koEnds = 0;

    // Empty when the moves (played after line) and all below them are right.
    std::string Check(const std::vector<go::TreeMove>& moves, Line& line, const go::Board& board)
    {
        const Player toMove = line.empty() ? problem.first : go::Opponent(line.back().first);
        if (moves.empty())
            return CheckEnd(line, board);
        if (toMove == winner && moves.size() != 1)
            return "the winner has " + std::to_string(moves.size()) + " moves";
        if (toMove != winner && complete && moves.size() != brute.Moves(line, favoured).size())
            return "the loser has " + std::to_string(moves.size()) + " of " +
                   std::to_string(brute.Moves(line, favoured).size()) + " moves";
        for (const go::TreeMove& m : moves) {
            if (m.player != toMove)
                return "a move by the wrong side";
            go::Board after = board;
            if (!after.Play(m.at, m.player))
                return "an illegal move at " + std::to_string(m.at);
            line.emplace_back(m.player, m.at);
            std::string fault;
            if (m.ko && !m.next.empty())
                fault = "a line goes on after its ko mark";
            else if (m.ko)
                ++koEnds, ++lines;
            else
                fault = Check(m.next, line, after);
            line.pop_back();
            if (!fault.empty())
                return fault;
        }
        return "";
    }

    std::string CheckEnd(const Line& line, const go::Board& board)
    {
        ++lines;
        bool taken = false;
        for (Loc t : problem.targets)
            taken = taken || board.At(t) != problem.defender;
        const Player attacker = go::Opponent(problem.defender);
        if (winner == attacker)
            return taken ? "" : "a line of the attacker ends with every target standing";
        if (taken)
            return "a line of the defender ends with a target taken";
        const Player w = brute.Winner(line, favoured);
        return w == problem.defender || w == Color::Empty ? "" : "a line of the defender ends where it dies";
    }
};

}  // namespace

TEST(WideTree, LinesReplayLegallyAndEndWhereTheGameEnds)
{
    std::mt19937 random(77u);
    go::WideReader reader(1 << 20);
    int trees = 0, lines = 0, koEnds = 0, kos = 0;
    for (int round = 0; trees < 250 && round < 8000; ++round) {
        const go::Problem problem = RandomSmallProblem(random);
        if (problem.targets.empty() || problem.candidates.empty())
            continue;
        const go::WideReading r = reader.Read(problem, go::kNoLoc, nullptr);
        if (r.verdict != go::Verdict::Ko && round % 8 != 0)
            continue;
        bool cut = false;
        const std::vector<go::TreeMove> tree = reader.SolutionTree(5000, cut);
        const bool kill = problem.first != problem.defender;
        const bool firstWins = r.verdict == go::Verdict::Ko || (r.verdict == go::Verdict::Death) == kill;
        const bool fromFirstReading = r.verdict == (kill ? go::Verdict::Death : go::Verdict::Life);
        BruteReader brute(problem, 400000);
        TreeCheck check{problem, brute, firstWins ? problem.first : go::Opponent(problem.first),
                        fromFirstReading ? go::Opponent(problem.first) : problem.first, !cut};
        SCOPED_TRACE("round " + std::to_string(round));
        Line line;
        if (tree.empty())
            continue;  // nothing to play: already decided
        ASSERT_EQ(check.Check(tree, line, problem.board), "");
        ++trees;
        lines += check.lines;
        koEnds += check.koEnds;
        kos += r.verdict == go::Verdict::Ko;
    }
    EXPECT_EQ(trees, 250);
    EXPECT_GT(kos, 10);
    EXPECT_GT(koEnds, 6);
    std::printf("trees %d, lines %d, ko ends %d, ko verdicts %d\n", trees, lines, koEnds, kos);
}

// A small limit still shows the main line whole: it is added before any
// side line.
TEST(WideTree, ASmallLimitKeepsTheMainLine)
{
    const go::Problem problem = ProblemOf({"aaaaaaaa.", "XTTTTTTX.", "XXXXXXXX.", "........."}, 19, Color::Black);
    go::WideReader reader(1 << 22);
    ASSERT_EQ(reader.Read(problem, go::kNoLoc, nullptr).verdict, go::Verdict::Death);
    bool cut = false;
    const std::vector<go::TreeMove> full = reader.SolutionTree(100000, cut);
    ASSERT_FALSE(cut);
    int depth = 0;
    for (const std::vector<go::TreeMove>* m = &full; !m->empty(); m = &(*m)[0].next)
        ++depth;
    // The solution may take another road the second time (the table has
    // learnt more), but no longer a one.
    const std::vector<go::TreeMove> small = reader.SolutionTree(depth, cut);
    EXPECT_TRUE(cut);
    go::Board board = problem.board;
    int moves = 0;
    for (const std::vector<go::TreeMove>* m = &small; !m->empty(); m = &(*m)[0].next) {
        ASSERT_TRUE(board.Play((*m)[0].at, (*m)[0].player));
        ++moves;
    }
    EXPECT_LE(moves, depth);
    bool taken = false;
    for (Loc t : problem.targets)
        taken = taken || board.At(t) != Color::White;
    EXPECT_TRUE(taken);
}
