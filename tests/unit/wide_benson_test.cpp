// Benson's test on hand-made shapes: life is seen only where no attacker
// play in the region can take the targets, and where it is, it is seen,
// also when it rests on a string around the targets.
#include <gtest/gtest.h>

#include "wide/benson.h"
#include "wide_support.h"

namespace {

// The region ca-cb is an eye of both strings: each lives with the other,
// as long as the string on the right has an eye of its own (ea).
const AsciiRows kSharedEye = {"aTaOaOX", "TTaOOOX", "XTTXXXX", "XXXXXXX"};
const AsciiRows kSharedEyeOnly = {"aTaOXOX", "TTaOOOX", "XTTXXXX", "XXXXXXX"};

const struct {
    const char* name;
    AsciiRows rows;  // White defends: 'T' targets, 'O' other white stones
    bool alive;
} kShapes[] = {
    {"two eyes of one point", {"aTaTX", "TTTTX", "XXXXX"}, true},
    {"one eye of two points", {"aaTX.", "TTTX.", "XXXX."}, false},
    {"one eye and a filled one", {"XTaTX", "TTTTX", "XXXXX"}, false},
    {"an eye shared with a string that has one of its own", kSharedEye, true},
    // The string on the right has no eye of its own: the shared one is no
    // eye of the targets then, though they have two regions of their own.
    {"an eye shared with a string that has none", kSharedEyeOnly, false},
    // A liberty off the region is one nobody fills.
    {"one eye and a liberty off the region", {"aTaT.", "TTTTX", "XXXXX"}, true},
    {"no eye, an attacker stone in each hole", {"XTXTX", "TTTTX", "XXXXX"}, false},
    // Every target string must live: the one on the right has one eye.
    {"two target strings, one with a single eye", {"aTaTXTaTX", "TTTTXTTTX", "XXXXXXXXX"}, false},
};

bool Alive(go::BensonTest& benson, const go::Problem& problem)
{
    bool candidate[go::kLocs] = {};
    for (const go::Candidate& c : problem.candidates)
        candidate[c.at] = true;
    return benson.TargetsAlive(problem.board, problem.defender, candidate, problem.targets);
}

}  // namespace

TEST(WideBenson, SeesUnconditionalLifeAndNoOther)
{
    for (const auto& shape : kShapes) {
        SCOPED_TRACE(shape.name);
        const go::Problem problem = ProblemOf(shape.rows, 19, go::Color::Black);
        ASSERT_EQ(problem.defender, go::Color::White);
        go::BensonTest benson;
        EXPECT_EQ(Alive(benson, problem), shape.alive);
    }
}

// The same test object, used again, forgets the last position: a live
// shape after a dead one and the other way round.
TEST(WideBenson, KeepsNothingFromTheLastPosition)
{
    const go::Problem live = ProblemOf(kSharedEye, 19, go::Color::Black);
    const go::Problem dead = ProblemOf(kSharedEyeOnly, 19, go::Color::Black);
    go::BensonTest benson;
    for (int round = 0; round < 3; ++round) {
        EXPECT_TRUE(Alive(benson, live));
        EXPECT_FALSE(Alive(benson, dead));
    }
}
