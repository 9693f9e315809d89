// kovra-solve's batch: problems read side by side come out in order, a stop
// or a limit reaches every reading, the trace ends with the last problem's,
// and a failing reading stops the hand-out.
#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "batch.h"
#include "solver/first_moves.h"
#include "test_support.h"
#include "wide_support.h"

namespace {

const Problem kBentThree{{"..OX", ".OOX", "OOXX", "XXX."},
                         {{'f', 1, 1}, {'f', 2, 1}, {'f', 1, 2}},
                         {{2, 2}}, {}};

// A group on the edge with ten points of room: White lives after more than
// 4,096 expanded positions.
Problem LongLiving()
{
    Problem p{{".......OX", "O...OOOOX", "XOOOOXXXX", "XXXXX...."}, {}, {{5, 2}}, {}};
    for (int x = 1; x <= 7; ++x)
        p.moves.push_back({'f', x, 1});
    for (int x = 2; x <= 4; ++x)
        p.moves.push_back({'f', x, 2});
    return p;
}

// The batch over named problems of the test's own, printed into a string.
class BatchTest : public ScratchDirTest {
protected:
    void Add(const std::string& name, const Problem& problem) { m_problems.push_back({name, problem}); }
    // A problem for the wide reader, killed with Black first.
    void AddWide(const std::string& name, const go::Problem& problem) { m_wide.push_back({name, problem}); }
    void Clear() { m_problems.clear(); }

    // Called on the worker after each reading of the named problem.
    std::function<void(const std::string& name)> afterReading;

    int Run(BatchOptions options)
    {
        for (const auto& p : m_problems)
            options.files.push_back(p.first.c_str());
        for (const auto& p : m_wide)
            options.files.push_back(p.first.c_str());
        options.load = [this](CKovraView& view, const char* path, const ProblemLoaded& loaded) {
            for (const auto& p : m_wide) {
                if (p.first != path)
                    continue;
                ProblemSource source;
                source.label = p.first;
                source.wide = true;
                source.problem = p.second;
                source.goal = p.second.first == p.second.defender ? go::Goal::Live : go::Goal::Kill;
                loaded(source);
            }
            for (const auto& p : m_problems) {
                if (p.first != path)
                    continue;
                ProblemSource source;
                source.label = p.first;
                LoadProblem(view, p.second);
                const std::string name = p.first;
                source.keep = [this, name](BatchWorker&, const CFirstMoveReading&) {
                    if (afterReading)
                        afterReading(name);
                };
                loaded(source);
            }
        };
        std::FILE* out = std::tmpfile();
        options.out = out;
        int status = -1;
        try {
            status = RunBatch(options);
        } catch (...) {
            std::fclose(out);
            throw;
        }
        std::rewind(out);
        output.clear();
        char buffer[256];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, out)) > 0)
            output.append(buffer, n);
        std::fclose(out);
        return status;
    }

    std::string output;

private:
    std::vector<std::pair<std::string, Problem>> m_problems;
    std::vector<std::pair<std::string, go::Problem>> m_wide;
};

// The lines with each "=N/M" taken out.
std::string WithoutCounters(const std::string& text)
{
    std::string out;
    for (std::size_t k = 0; k < text.size(); ++k) {
        out += text[k];
        if (text[k] == '=')
            while (k + 1 < text.size() && (std::isdigit(static_cast<unsigned char>(text[k + 1])) || text[k + 1] == '/'))
                ++k;
    }
    return out;
}

}  // namespace

TEST_F(BatchTest, LinesComeInFileOrderWhateverTheWorkers)
{
    Add("long", LongLiving());
    Add("short", kBentThree);
    for (int jobs : {1, 2}) {
        BatchOptions options;
        options.jobs = jobs;
        EXPECT_EQ(Run(options), 0);
        EXPECT_EQ(output, "long: life=15043/34413\nshort: death=5/10\n") << jobs;
    }
}

// A stop that comes while the first problem is read reaches the readings
// not yet begun.
TEST_F(BatchTest, AStopReachesTheReadingsNotYetBegun)
{
    Add("first", kBentThree);
    Add("second", kBentThree);
    std::atomic<bool> cancel{false};
    afterReading = [&](const std::string&) { cancel.store(true); };
    BatchOptions options;
    options.cancel = &cancel;
    EXPECT_EQ(Run(options), 1);
    EXPECT_EQ(output, "first: death=5/10\nsecond: cancelled\n");
}

// A limit far away never stops a reading, however many positions it takes.
TEST_F(BatchTest, ALimitNotReachedLeavesTheReadingAlone)
{
    Add("long", LongLiving());
    BatchOptions options;
    options.timeout = 30;
    EXPECT_EQ(Run(options), 0);
    EXPECT_EQ(output, "long: life=15043/34413\n");
}

// Under a time limit the wide reader's first moves are read in turns. With
// turns so short that every long reading is cut, each is taken up again
// where the table left it: the verdicts and the solutions are those of a
// reading without turns, and no cut turn counts as a failure. (Black takes
// the stone in atari at once; every other first move lets White connect
// and live after a few thousand positions.)
TEST_F(BatchTest, FirstMovesReadInTurnsEndAsWithout)
{
    AddWide("wide", ProblemOf({"aaaaaaTX.", "aaaaaaTX.", "TTTTTTaX.", "XXXXXXTX.", "XXXXXXXX."}, 19, go::Color::Black));
    BatchOptions options;
    options.allMoves = true;
    EXPECT_EQ(Run(options), 0);
    const std::string without = output;
    options.timeout = 600;
    options.firstTurn = std::chrono::microseconds(1);
    EXPECT_EQ(Run(options), 0);
    EXPECT_EQ(WithoutCounters(output), WithoutCounters(without));
    EXPECT_EQ(output.find("cancelled"), std::string::npos) << output;
    // The counters add up the turns: readings were cut and taken up again.
    EXPECT_NE(output, without);
}

// The trace file ends with the last problem's trace, as when the problems
// are read one after another.
TEST_F(BatchTest, TheTraceIsTheLastProblems)
{
    Add("short", kBentThree);
    BatchOptions alone;
    alone.trace = "alone.txt";
    ASSERT_EQ(Run(alone), 0);
    Clear();
    Add("long", LongLiving());
    Add("last", kBentThree);
    for (int jobs : {1, 2}) {
        BatchOptions options;
        options.trace = "db.txt";
        options.jobs = jobs;
        ASSERT_EQ(Run(options), 0);
        EXPECT_EQ(ReadFile("db.txt"), ReadFile("alone.txt")) << jobs;
    }
}

// A reading that throws stops the hand-out of the rest, and the batch
// throws it on.
TEST_F(BatchTest, AFailingReadingStopsTheRest)
{
    Add("first", kBentThree);
    Add("second", kBentThree);
    Add("third", kBentThree);
    std::vector<std::string> read;
    afterReading = [&](const std::string& name) {
        read.push_back(name);
        throw std::runtime_error("no room");
    };
    BatchOptions options;
    EXPECT_THROW(Run(options), std::runtime_error);
    EXPECT_EQ(read, std::vector<std::string>{"first"});
}
