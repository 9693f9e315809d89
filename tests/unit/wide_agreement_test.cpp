// The wide reader against the brute-force reader on seeded random small
// problems (kos, seki and repetitions among them), whole and one first
// move at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "wide/wide_reader.h"
#include "wide_brute.h"
#include "wide_support.h"

namespace {

using go::Color;
using go::Loc;

// Takes away strings left without a liberty by a random fill.
void RemoveDeadStrings(go::Board& board)
{
    for (bool removed = true; removed;) {
        removed = false;
        for (Loc loc = 0; loc < go::kLocs; ++loc)
            if (go::IsStone(board.At(loc)) && board.Liberties(loc) == 0) {
                board.SetStone(loc, Color::Empty);
                removed = true;
            }
    }
}

// Puts a ko on the board: a stone with one liberty, surrounded by the
// other colour, next to an empty point surrounded by its own. Returns the
// empty point.
Loc SeedKo(go::Board& board, std::mt19937& random)
{
    const int size = board.Size();
    const Loc stone = go::MakeLoc(1 + static_cast<int>(random() % size), 1 + static_cast<int>(random() % size));
    const Loc empty = static_cast<Loc>(stone + go::kAdjacent[random() % 4]);
    if (!board.IsPoint(empty))
        return go::kNoLoc;
    const Color a = (random() & 1) ? Color::Black : Color::White, b = go::Opponent(a);
    board.SetStone(stone, b);
    board.SetStone(empty, Color::Empty);
    for (int d : go::kAdjacent) {
        if (stone + d != empty && board.IsPoint(stone + d))
            board.SetStone(stone + d, a);
        if (empty + d != stone && board.IsPoint(empty + d))
            board.SetStone(empty + d, b);
    }
    return empty;
}

// A random problem on a 4x4 to 6x6 board, crowded so that the fights are
// close: at most eight region points (the empty points, and now and then a
// stone); one or two target strings; kinds mostly 'f'.
go::Problem RandomProblem(std::mt19937& random)
{
    go::Problem problem;
    const int size = 4 + static_cast<int>(random() % 3);
    problem.board = go::Board(size);
    const unsigned mode = std::min(2u, static_cast<unsigned>(random() % 5));
    Loc ko = go::kNoLoc;
    if (mode != 1) {
        const unsigned crowd = 2 + random() % 3;  // tenths left empty at first
        for (int y = 1; y <= size; ++y)
            for (int x = 1; x <= size; ++x) {
                const unsigned r = random() % 10;
                if (r >= crowd)
                    problem.board.SetStone(go::MakeLoc(x, y), (random() & 1) ? Color::Black : Color::White);
            }
        if (mode == 2)
            ko = SeedKo(problem.board, random);
        RemoveDeadStrings(problem.board);
    } else {
        // A random game leaves captures and ko shapes behind.
        const int moves = size * size * 3;
        for (int m = 0; m < moves; ++m) {
            const Loc loc = go::MakeLoc(1 + static_cast<int>(random() % size), 1 + static_cast<int>(random() % size));
            problem.board.Play(loc, (random() & 1) ? Color::Black : Color::White);
        }
        problem.board.LiftKoBan();
    }
    problem.defender = (random() & 1) ? Color::White : Color::Black;
    problem.first = (random() & 1) ? Color::White : Color::Black;
    std::vector<Loc> empty, defenders, stones;
    for (int y = 1; y <= size; ++y)
        for (int x = 1; x <= size; ++x) {
            const Loc loc = go::MakeLoc(x, y);
            const Color c = problem.board.At(loc);
            (c == Color::Empty ? empty : stones).push_back(loc);
            if (c == problem.defender)
                defenders.push_back(loc);
        }
    if (defenders.empty())
        return problem;
    // After a seeded ko, a target next to it when there is one.
    Loc target = defenders[random() % defenders.size()];
    if (ko != go::kNoLoc)
        for (int d : go::kAdjacent)
            for (int e : go::kAdjacent)
                if (problem.board.IsPoint(ko + d + e) && problem.board.At(ko + d + e) == problem.defender &&
                    random() % 3 == 0)
                    target = static_cast<Loc>(ko + d + e);
    problem.targets.push_back(target);
    if (random() % 4 == 0)
        problem.targets.push_back(defenders[random() % defenders.size()]);
    // Now and then an empty point off the region: a liberty for ever.
    std::shuffle(empty.begin(), empty.end(), random);
    std::size_t region = std::min<std::size_t>(empty.size(), 8);
    if (region > 2 && random() % 3 == 0)
        --region;
    std::vector<Loc> points;
    // A seeded ko's two points first, so that it can be fought.
    if (ko != go::kNoLoc && problem.board.At(ko) == Color::Empty)
        for (int d : go::kAdjacent)
            if (problem.board.IsPoint(ko + d) && problem.board.Liberties(ko + d) == 1 &&
                problem.board.StringSize(ko + d) == 1) {
                points.push_back(ko);
                points.push_back(static_cast<Loc>(ko + d));
                break;
            }
    for (Loc e : empty)
        if (points.size() < region && std::find(points.begin(), points.end(), e) == points.end())
            points.push_back(e);
    // Stones that may be taken: their points can be played again.
    for (Loc s : stones)
        if (points.size() < 8 && std::find(points.begin(), points.end(), s) == points.end() &&
            random() % (problem.board.Liberties(s) == 1 ? 2 : 12) == 0)
            points.push_back(s);
    for (Loc p : points) {
        const unsigned r = random() % 10;
        const go::Kind kind = r < 7 ? go::Kind::F : r == 7 ? go::Kind::M : r == 8 ? go::Kind::Y : go::Kind::Z;
        problem.candidates.push_back(go::Candidate{p, kind});
    }
    return problem;
}

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

const char* Name(go::Verdict v)
{
    switch (v) {
    case go::Verdict::Death: return "death";
    case go::Verdict::Life: return "life";
    case go::Verdict::Ko: return "ko";
    case go::Verdict::Exhausted: return "exhausted";
    case go::Verdict::Cancelled: return "cancelled";
    default: return "undecided";
    }
}

}  // namespace

TEST(WideAgreement, RandomProblemsReadAsTheBruteForceReadsThem)
{
    std::mt19937 random(20240611u);
    go::WideReader reader(1 << 20);
    int compared = 0, kos = 0, repetitions = 0, koBans = 0, seki = 0, firstMoves = 0, skipped = 0;
    int verdicts[3] = {0, 0, 0};
    for (int round = 0; compared < 400 && round < 20000; ++round) {
        const go::Problem problem = RandomProblem(random);
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
        ASSERT_STREQ(Name(got.verdict), Name(expected));
        ++compared;
        kos += expected == go::Verdict::Ko;
        repetitions += brute.metRepetition;
        koBans += brute.metKoBan;
        verdicts[expected == go::Verdict::Death ? 0 : expected == go::Verdict::Life ? 1 : 2]++;
        seki += expected == go::Verdict::Life && SharesTwoLiberties(problem);
        // One first move at a time, on every fourth problem: each agrees
        // with the brute force, and the whole succeeds iff one of them does.
        if (round % 10 != 0 && got.verdict != go::Verdict::Ko)
            continue;
        bool anySuccess = false, anyKo = false;
        const go::Verdict success = problem.first == problem.defender ? go::Verdict::Life : go::Verdict::Death;
        for (Loc move : go::FirstMoves(problem)) {
            BruteReader one(problem, 400000);
            const go::Verdict alone = one.Verdict(move);
            if (alone == go::Verdict::Exhausted)
                continue;
            const go::Verdict wide = reader.Read(problem, move, nullptr).verdict;
            ASSERT_STREQ(Name(wide), Name(alone)) << "first move " << move;
            anySuccess = anySuccess || wide == success;
            anyKo = anyKo || wide == go::Verdict::Ko;
            ++firstMoves;
        }
        EXPECT_EQ(anySuccess, expected == success);
        EXPECT_EQ(anyKo && !anySuccess, expected == go::Verdict::Ko);
    }
    EXPECT_EQ(compared, 400);
    EXPECT_LT(skipped, compared / 10);
    // The set really holds every kind of fight.
    EXPECT_GT(kos, 20);
    EXPECT_GT(repetitions, 50);
    EXPECT_GT(koBans, 100);
    EXPECT_GT(seki, 3);
    EXPECT_GT(verdicts[0], 50);
    EXPECT_GT(verdicts[1], 50);
    EXPECT_GT(firstMoves, 500);
    std::printf("compared %d (skipped %d): death %d, life %d, ko %d; repetitions %d, ko bans %d, seki %d; "
                "first moves %d\n",
                compared, skipped, verdicts[0], verdicts[1], verdicts[2], repetitions, koBans, seki, firstMoves);
}
