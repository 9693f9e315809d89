// The wide reader against the brute-force reader on seeded random small
// problems (kos, seki and repetitions among them), whole and one first
// move at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>

#include "wide/wide_reader.h"
#include "wide_brute.h"
#include "wide_support.h"

namespace {

using go::Color;
using go::Loc;

// Two strings in a classic seki: a target and an attacker string whose
// liberties are the same two points.
bool SharesTwoLiberties(const go::Problem& problem)
{
    const go::Board& b = problem.board;
    const Color attacker = go::Opponent(problem.defender);
    for (Loc t : problem.targets) {
        if (b.At(t) != problem.defender || b.Liberties(t) != 2)
            continue;
        for (Loc a = 0; a < go::kLocs; ++a) {
            if (b.At(a) != attacker || b.Liberties(a) != 2)
                continue;
            int shared = 0;
            for (Loc p = 0; p < go::kLocs; ++p) {
                if (b.At(p) != Color::Empty)
                    continue;
                bool nextToT = false, nextToA = false;
                for (int d : go::kAdjacent) {
                    nextToT = nextToT || (b.At(p + d) == problem.defender && b.Head(p + d) == b.Head(t));
                    nextToA = nextToA || (b.At(p + d) == attacker && b.Head(p + d) == b.Head(a));
                }
                shared += nextToT && nextToA;
            }
            if (shared == 2)
                return true;
        }
    }
    return false;
}


// A number from the environment, or the suite's own.
unsigned long Setting(const char* name, unsigned long fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoul(text, nullptr, 10) : fallback;
}

}  // namespace

// A longer run, after a change to the reader: KOVRA_AGREEMENT_SEED,
// KOVRA_AGREEMENT_PROBLEMS (600) and KOVRA_AGREEMENT_TABLE (its bytes: a
// few kilobytes make it replace entries all the time).
TEST(WideAgreement, RandomProblemsReadAsTheBruteForceReadsThem)
{
    std::mt19937 random(static_cast<std::uint32_t>(Setting("KOVRA_AGREEMENT_SEED", 20240611u)));
    const int wanted = static_cast<int>(Setting("KOVRA_AGREEMENT_PROBLEMS", 600));
    go::WideReader reader(Setting("KOVRA_AGREEMENT_TABLE", 1 << 20));
    int compared = 0, kos = 0, repetitions = 0, koBans = 0, seki = 0, firstMoves = 0, skipped = 0, winnerSweeps = 0;
    int verdicts[3] = {0, 0, 0};
    for (int round = 0; compared < wanted && round < 50 * wanted; ++round) {
        const go::Problem problem = RandomSmallProblem(random);
        if (problem.targets.empty() || problem.candidates.empty())
            continue;
        // Kos are rare among random problems: every one the wide reader
        // finds is compared, and every fifth of the others.
        const go::WideReading got = reader.Read(problem, go::kNoLoc, nullptr);
        if (got.verdict != go::Verdict::Ko && round % 5 != 0)
            continue;
        BruteReader brute(problem, 400000);
        const go::Verdict expected = brute.Verdict();
        if (expected == go::Verdict::Exhausted) {
            ++skipped;
            continue;
        }
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_STREQ(go::NameOf(got.verdict), go::NameOf(expected));
        ++compared;
        kos += expected == go::Verdict::Ko;
        repetitions += brute.metRepetition;
        koBans += brute.metKoBan;
        verdicts[expected == go::Verdict::Death ? 0 : expected == go::Verdict::Life ? 1 : 2]++;
        seki += expected == go::Verdict::Life && SharesTwoLiberties(problem);
        // One first move at a time, on every tenth problem and every ko: each agrees
        // with the brute force, and the whole succeeds iff one of them does.
        if (round % 10 != 0 && got.verdict != go::Verdict::Ko)
            continue;
        bool anySuccess = false, anyKo = false;
        const go::Verdict success = problem.first == problem.defender ? go::Verdict::Life : go::Verdict::Death;
        // The whole reading's order of the first moves holds each once,
        // the one it found to win (or to win the ko) first.
        const std::vector<Loc> moves = go::FirstMoves(problem);
        if (!got.promising.empty()) {
            std::vector<Loc> ordered = got.promising, listed = moves;
            std::sort(ordered.begin(), ordered.end());
            std::sort(listed.begin(), listed.end());
            EXPECT_EQ(ordered, listed);
        }
        const bool won = got.verdict == success || got.verdict == go::Verdict::Ko;
        std::vector<Loc> winners;  // by the brute force
        bool everyMoveRead = true;
        for (Loc move : moves) {
            BruteReader one(problem, 400000);
            const go::Verdict alone = one.Verdict(move);
            everyMoveRead = everyMoveRead && alone != go::Verdict::Exhausted;
            if (alone == go::Verdict::Exhausted)
                continue;
            if (alone == success)
                winners.push_back(move);
            const go::Verdict wide = reader.Read(problem, move, nullptr).verdict;
            ASSERT_STREQ(go::NameOf(wide), go::NameOf(alone)) << "first move " << move;
            if (won && !got.promising.empty() && move == got.promising.front()) {
                EXPECT_STREQ(go::NameOf(wide), go::NameOf(got.verdict)) << "the most promising first move";
            }
            anySuccess = anySuccess || wide == success;
            anyKo = anyKo || wide == go::Verdict::Ko;
            ++firstMoves;
        }
        EXPECT_EQ(anySuccess, expected == success);
        EXPECT_EQ(anyKo && !anySuccess, expected == go::Verdict::Ko);
        // The other winners, looked for from the whole reading's own: the
        // same moves as the brute force's, each once. On a table that holds
        // the whole reading only, as --all-moves leaves it: the first moves
        // read alone above would answer the search's every first move.
        if (got.verdict == success && !got.promising.empty() && everyMoveRead) {
            reader.Forget();
            reader.Read(problem, go::kNoLoc, nullptr);
            std::vector<Loc> found{got.promising.front()};
            for (;;) {
                const go::WideReader::OtherWinner w = reader.FindOtherWinner(problem, found, nullptr);
                ASSERT_FALSE(w.cancelled);
                if (w.move == go::kNoLoc)
                    break;
                ASSERT_EQ(std::count(found.begin(), found.end(), w.move), 0) << "found twice: " << w.move;
                found.push_back(w.move);
            }
            std::sort(found.begin(), found.end());
            std::sort(winners.begin(), winners.end());
            EXPECT_EQ(found, winners);
            ++winnerSweeps;
        }
    }
    EXPECT_EQ(compared, wanted);
    EXPECT_LT(skipped, compared / 10);
    // The set really holds every kind of fight.
    EXPECT_GT(kos, 15);
    EXPECT_GT(repetitions, 50);
    EXPECT_GT(koBans, 100);
    EXPECT_GT(seki, 3);
    EXPECT_GT(verdicts[0], 50);
    EXPECT_GT(verdicts[1], 50);
    EXPECT_GT(firstMoves, 500);
    EXPECT_GT(winnerSweeps, 10);
    std::printf("compared %d (skipped %d): death %d, life %d, ko %d; repetitions %d, ko bans %d, seki %d; "
                "first moves %d, winner sweeps %d\n",
                compared, skipped, verdicts[0], verdicts[1], verdicts[2], repetitions, koBans, seki, firstMoves,
                winnerSweeps);
}
