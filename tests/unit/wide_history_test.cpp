// A result that rests on a repetition with a position above it holds only
// on that line: it must not come back from the table on another line.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "wide/wide_reader.h"
#include "wide_brute.h"

#include "wide/wide_rules.h"
#include "wide/wide_search.h"
#include "wide/wide_table.h"
#include "wide_support.h"

TEST(WideHistory, AResultRestingOnTheLineAboveIsNotReusedOnAnotherLine)
{
    // White's corner group has a two-point eye: dead, whoever moves.
    const go::Problem problem = ProblemOf({"aaTX.",
                                           "TTTX.",
                                           "XXXX.",
                                           "....."},
                                          19, go::Color::White);
    go::WideRules rules(problem);
    go::WideTable table(1 << 20);
    go::WideSearch search(rules, table);
    search.SetReading(go::Color::Black, 1);  // White, not favoured, wins repetitions

    // The positions after either black move inside, White to move, as if
    // they had stood on the line before: after White's pass each black
    // move repeats one of them, so White lives on this line.
    const go::Loc inside[2] = {go::MakeLoc(1, 1), go::MakeLoc(2, 1)};
    std::vector<std::uint64_t> line;
    for (go::Loc at : inside) {
        go::Board after = problem.board;
        ASSERT_TRUE(after.Play(at, go::Color::Black));
        line.push_back(go::WideSearch::RepetitionKey(after, go::Color::White, go::Stage::Fight));
        line.push_back(0x1234 + line.size());  // Black to move: never met
    }
    EXPECT_TRUE(search.Solve(problem.board, go::Color::White, go::Stage::Fight, line, go::kNoLoc, true).moverWins);

    // On a line without them the group dies, though the table has seen the
    // position after White's pass.
    const std::vector<std::uint64_t> other = {11, 12, 13, 14};
    EXPECT_FALSE(search.Solve(problem.board, go::Color::White, go::Stage::Fight, other, go::kNoLoc, true).moverWins);
}

// The two readings share a table, and a proof free of kos serves both: on
// positions whose winner depends on the favoured side (kos, repetitions),
// each reading still gives its own answer, whichever ran first.
TEST(WideHistory, EachReadingKeepsItsOwnAnswerOnASharedTable)
{
    std::mt19937 random(515u);
    int koDependent = 0, compared = 0;
    for (int round = 0; round < 3000 && koDependent < 12; ++round) {
        const go::Problem problem = RandomSmallProblem(random);
        if (problem.targets.empty() || problem.candidates.empty())
            continue;
        BruteReader brute(problem, 50000);
        const go::Player next = go::Opponent(problem.first);
        for (go::Loc move : go::FirstMoves(problem)) {
            if (move == go::kPass)
                continue;
            const std::vector<std::pair<go::Player, go::Loc>> line = {{problem.first, move}};
            const go::Player whenBlack = brute.Winner(line, go::Color::Black);
            const go::Player whenWhite = brute.Winner(line, go::Color::White);
            if (whenBlack == go::Color::Empty || whenWhite == go::Color::Empty)
                continue;
            go::Board after = problem.board;
            after.Play(move, problem.first);
            if (go::WideRules(problem).TargetTaken(after))
                continue;  // decided: the reading starts from a standing target
            const std::vector<std::uint64_t> above = {
                go::WideSearch::RepetitionKey(problem.board, problem.first, go::Stage::Fight)};
            for (const bool blackFirst : {true, false}) {
                go::WideRules rules(problem);
                go::WideTable table(1 << 20);
                go::WideSearch search(rules, table);
                for (int r = 1; r <= 2; ++r) {
                    const go::Player favoured = (r == 1) == blackFirst ? go::Color::Black : go::Color::White;
                    search.SetReading(favoured, r);
                    const bool moverWins =
                        search.Solve(after, next, go::Stage::Fight, above, go::kNoLoc, true).moverWins;
                    SCOPED_TRACE("round " + std::to_string(round) + " reading " + std::to_string(r) +
                                 (blackFirst ? " black first" : " white first"));
                    ASSERT_EQ(moverWins, (favoured == go::Color::Black ? whenBlack : whenWhite) == next);
                }
            }
            ++compared;
            koDependent += whenBlack != whenWhite;
        }
    }
    EXPECT_GE(koDependent, 12);
    std::printf("compared %d positions, %d of them won by the favoured side\n", compared, koDependent);
}
