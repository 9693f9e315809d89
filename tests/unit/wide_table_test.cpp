// The wide reader's table: it starts small, doubles up to its bound and no
// further, keeps the entries with more work when full; and a reader whose
// table is far too small still reads exactly.
#include <gtest/gtest.h>

#include <random>

#include "wide/wide_reader.h"
#include "wide/wide_table.h"
#include "wide_support.h"

namespace {

go::TableEntry Entry(std::uint64_t key, std::uint32_t work)
{
    go::TableEntry e;
    e.key = key;
    e.phi = 1;
    e.delta = 2;
    e.work = work;
    return e;
}

}  // namespace

TEST(WideTable, GrowsUpToItsBoundThenReplacesTheLeastWork)
{
    const std::size_t bound = std::size_t{4} << 20;
    go::WideTable table(bound);
    const std::size_t first = table.Bytes();
    EXPECT_LE(first, std::size_t{1} << 19);
    std::mt19937_64 random(5u);
    std::vector<std::uint64_t> keys;
    for (int k = 0; k < 400000; ++k) {
        keys.push_back(random() | 1);
        table.Store(Entry(keys.back(), static_cast<std::uint32_t>(k % 7)));
        ASSERT_LE(table.Bytes(), bound);
    }
    EXPECT_GT(table.Bytes(), first);
    EXPECT_GT(table.Bytes() * 2, bound);  // it grew as far as it could
    // Entries with much work survive the crowd; most with none are gone.
    int kept = 0, keptIdle = 0;
    for (int k = 0; k < 400000; ++k) {
        const go::TableEntry* e = table.Find(keys[k]);
        if (e && k % 7 == 6)
            ++kept;
        if (e && k % 7 == 0)
            ++keptIdle;
    }
    EXPECT_GT(kept, 3 * keptIdle);
    table.Clear();
    EXPECT_EQ(table.Bytes(), first);
    EXPECT_EQ(table.Find(keys[0]), nullptr);
}

TEST(WideTable, AStoredEntryIsFoundAndReplacedByItsKey)
{
    go::WideTable table(1 << 20);
    table.Store(Entry(42, 3));
    table.Store(Entry(42, 9));
    ASSERT_NE(table.Find(42), nullptr);
    EXPECT_EQ(table.Find(42)->work, 9u);
    EXPECT_EQ(table.Used(), 1u);
    EXPECT_EQ(table.Find(43), nullptr);
}

TEST(WideTable, ATinyTableStillReadsExactly)
{
    std::mt19937 random(31u);
    go::WideReader roomy(1 << 22), tiny(4096);
    int compared = 0;
    for (int round = 0; compared < 150; ++round) {
        const go::Problem problem = RandomSmallProblem(random);
        if (problem.targets.empty() || problem.candidates.empty())
            continue;
        SCOPED_TRACE("round " + std::to_string(round));
        const go::WideReading a = roomy.Read(problem, go::kNoLoc, nullptr);
        const go::WideReading b = tiny.Read(problem, go::kNoLoc, nullptr);
        ASSERT_EQ(a.verdict, b.verdict);
        EXPECT_LE(b.tableBytes, 4096u);
        ++compared;
    }
    // And a bigger problem, where the tiny table is crowded all the time.
    const go::Problem six = ProblemOf({"aaaaaaaa.", "XTTTTTTX.", "XXXXXXXX.", "........."}, 19, go::Color::White);
    EXPECT_EQ(tiny.Read(six, go::kNoLoc, nullptr).verdict, go::Verdict::Life);
}

// A reader keeps its table from one reading of a problem to the next, and
// must not carry it to another problem: seeded random problems, each read
// whole and move by move after the same stones with one candidate less,
// read as a fresh reader reads them.
TEST(WideTable, ResultsStayWithTheirProblem)
{
    std::mt19937 random(77u);
    go::WideReader shared(1 << 20);
    int compared = 0, differing = 0;
    for (int round = 0; compared < 150 && round < 5000; ++round) {
        const go::Problem problem = RandomSmallProblem(random);
        if (problem.targets.empty() || problem.candidates.size() < 2)
            continue;
        go::Problem other = problem;
        other.candidates.erase(other.candidates.begin() + static_cast<long>(random() % other.candidates.size()));
        shared.Read(other, go::kNoLoc, nullptr);
        for (go::Loc move : go::FirstMoves(other))
            shared.Read(other, move, nullptr);
        const go::Verdict before = go::WideReader(1 << 20).Read(other, go::kNoLoc, nullptr).verdict;
        std::vector<go::Loc> moves = go::FirstMoves(problem);
        moves.push_back(go::kNoLoc);
        for (go::Loc move : moves) {
            const go::Verdict fresh = go::WideReader(1 << 20).Read(problem, move, nullptr).verdict;
            ASSERT_EQ(shared.Read(problem, move, nullptr).verdict, fresh) << "round " << round << ", move " << move;
            differing += move == go::kNoLoc && fresh != before;
        }
        ++compared;
    }
    EXPECT_EQ(compared, 150);
    EXPECT_GT(differing, 10);  // the candidate taken out often matters
}
