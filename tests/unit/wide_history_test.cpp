// A result that rests on a repetition with a position above it holds only
// on that line: it must not come back from the table on another line.
#include <gtest/gtest.h>

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
        line.push_back(go::WideSearch::RepetitionKey(after, go::Color::White));
        line.push_back(0x1234 + line.size());  // Black to move: never met
    }
    EXPECT_TRUE(search.Solve(problem.board, go::Color::White, line, go::kNoLoc, true).moverWins);

    // On a line without them the group dies, though the table has seen the
    // position after White's pass.
    const std::vector<std::uint64_t> other = {11, 12, 13, 14};
    EXPECT_FALSE(search.Solve(problem.board, go::Color::White, other, go::kNoLoc, true).moverWins);
}
