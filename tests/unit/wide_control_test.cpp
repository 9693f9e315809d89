// Stopping a wide reading: the cancel flag and the deadline end it with
// the verdict Cancelled, at once when they are set before it begins (the
// last first moves of a problem whose time is up); a reading that is let
// run publishes its count at the end.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <limits>
#include <string>

#include "solver/run_control.h"
#include "wide/wide_reader.h"
#include "wide_support.h"

namespace {

// A corner with fourteen region points: tens of thousands of positions.
go::Problem LongProblem()
{
    return ProblemOf({"aaaaaaaOX..",
                      "aaaaaTOOX..",
                      "aaOOOOXXX..",
                      "OOOXXXX....",
                      "XXXX......."},
                     19, go::Color::Black);
}

}  // namespace

// Set before the reading begins, the cancel flag or a passed deadline
// stops it before any position is read, the whole reading as much as a
// first move read alone: a problem's last first moves, begun after its
// limit, would each read thousands of positions more.
TEST(WideControl, AReadingStoppedBeforeItBeginsReadsNothing)
{
    std::atomic<bool> cancelled{true};
    const go::Problem problem = LongProblem();
    for (const go::Loc only : {go::kNoLoc, go::FirstMoves(problem).front()}) {
        for (const bool byFlag : {true, false}) {
            SCOPED_TRACE(std::string(byFlag ? "cancel flag" : "deadline") + (only == go::kNoLoc ? ", whole" : ", one move"));
            CRunControl control;
            if (byFlag)
                control.cancel = &cancelled;
            else
                control.deadline = std::chrono::steady_clock::now() - std::chrono::seconds(1);
            go::WideReader reader(1 << 22);
            const go::WideReading r = reader.Read(problem, only, &control);
            EXPECT_EQ(r.verdict, go::Verdict::Cancelled);
            EXPECT_EQ(r.expanded, 0);
            EXPECT_EQ(control.nodes.load(), 0);
            bool cut = true;
            EXPECT_TRUE(reader.SolutionTree(100, cut).empty());
        }
    }
}

TEST(WideControl, AFinishedReadingPublishesItsCount)
{
    std::atomic<bool> cancel{false};
    CRunControl control;
    control.cancel = &cancel;
    go::WideReader reader(1 << 22);
    const go::WideReading r = reader.Read(LongProblem(), go::kNoLoc, &control);
    EXPECT_EQ(r.verdict, go::Verdict::Life);
    EXPECT_GT(r.expanded, static_cast<std::int64_t>(kPollNodes));
    EXPECT_EQ(control.nodes.load(), r.expanded);
    EXPECT_GT(r.depth, 10);
}

TEST(RunControl, DeadlinesCountFromTheirStart)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now() - std::chrono::seconds(5);
    const struct {
        double seconds;
        Clock::time_point expected;
    } cases[] = {
        {1.5, start + std::chrono::milliseconds(1500)},
        // No limit: none asked for, or too far for the clock to count.
        {0, Clock::time_point{}},
        {-1, Clock::time_point{}},
        {std::numeric_limits<double>::quiet_NaN(), Clock::time_point{}},
        {1e12, Clock::time_point{}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DeadlineAfter(c.seconds, start), c.expected) << c.seconds;
}
