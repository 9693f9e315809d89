// Problems whose complete trace and summary were worked out by hand: the
// search must reproduce them byte for byte.
#include "solver_fixture.h"

namespace {

// One white stone in the corner with its one-point eye space.
const Problem kCornerStone{
    {"O..", "X.."},
    {{'f', 2, 1}},
    {{1, 1}},
};

// Two separate eyes; entries m, f, f with both f points suicide for Black.
const Problem kTwoEyes{
    {".O.OX", "OOOOX", "XXXXX"},
    {{'m', 8, 8}, {'f', 1, 1}, {'f', 3, 1}},
    {{2, 2}},
};

// White takes a single black stone at (3, 1) by playing (4, 1); Black may not
// take back at once.
const Problem kKoBan{
    {".OX.X", "OOOX.", "XX.X.", "..X.."},
    {{'f', 4, 1}, {'m', 3, 1}, {'m', 1, 1}},
    {{2, 2}},
};

// Bent three in the corner: Black kills at the bend.
const Problem kBentThree{
    {"..OX", ".OOX", "OOXX", "XXX."},
    {{'f', 1, 1}, {'f', 2, 1}, {'f', 1, 2}},
    {{2, 2}},
};

// Seven white stones on the second line, ends closed.
const Problem kSecondLineSeven{
    {"X.......X..", "XOOOOOOOX..", "XXXXXXXXXXX"},
    {{'f', 2, 1}, {'f', 3, 1}, {'f', 4, 1}, {'f', 5, 1}, {'f', 6, 1}, {'f', 7, 1}, {'f', 8, 1}},
    {{2, 2}},
};

}  // namespace

TEST_F(SolverTest, CornerStoneDiesBothWays)
{
    Load(kCornerStone);
    EXPECT_EQ(Kill(), "         0/1result = 9------------\n");
    EXPECT_EQ(Status(), "death=0/1");
    EXPECT_EQ(Trace(), "       1: 0  1, 2\n"
                       "        : 0  9\n");

    EXPECT_EQ(Live(), "         2/3result = 9------------\n");
    EXPECT_EQ(Status(), "death=2/3");
    EXPECT_EQ(Trace(), "       1: 0  0, 0\n"
                       "       2: 1    1' 2\n"
                       "        : 1    0\n"
                       "       3: 1    0' 0\n"
                       "        : 1    9\n"
                       "        : 0  9\n");
}

TEST_F(SolverTest, TwoEyesLiveAndSuicideRootsGiveMinusOne)
{
    Load(kTwoEyes);
    EXPECT_EQ(Kill(), "         0/2result = -1------------\n");
    EXPECT_EQ(Status(), "life=0/2");
    EXPECT_EQ(view().m_solverResult, -1);

    EXPECT_EQ(Live(), "         4/12result = 8------------\n");
    EXPECT_EQ(Status(), "life=4/12");
    EXPECT_EQ(Trace(), "       1: 0  0, 0\n"
                       "       2: 1    1' 1\n"
                       "        : 1    9\n"
                       "       3: 1    1' 3\n"
                       "        : 1    9\n"
                       "       4: 1    0' 0\n"
                       "       5: 2      8, 8\n"
                       "       6: 3        1' 1\n"
                       "        : 3        9\n"
                       "       7: 3        1' 3\n"
                       "        : 3        9\n"
                       "       8: 3        0' 0\n"
                       "       9: 4          1, 1\n"
                       "        : 4         -1\n"
                       "      10: 4          1, 3\n"
                       "        : 4         -1\n"
                       "        : 3        8\n"
                       "        : 2      8\n"
                       "      11: 2      1, 1\n"
                       "        : 2     -1\n"
                       "      12: 2      1, 3\n"
                       "        : 2     -1\n"
                       "        : 1    8\n"
                       "        : 0  8\n");
}

TEST_F(SolverTest, RefusedRetakeMakesKoThatThePassAnswers)
{
    Load(kKoBan);
    EXPECT_EQ(Live(), "         7/12result = 8------------\n");
    EXPECT_EQ(Status(), "life=7/12");
    EXPECT_EQ(Trace(), "       1: 0  0, 0\n"
                       "       2: 1    1' 4\n"
                       "       3: 2      1, 1\n"
                       "        : 2     -1\n"
                       "       4: 2      0, 0\n"
                       "       5: 3        1' 3\n"
                       "       6: 4          1, 1\n"
                       "        : 4         -1\n"
                       "        : 3        8\n"
                       "        : 2      8\n"
                       "        : 1    7\n"
                       "       7: 1    0' 0\n"
                       "       8: 2      1, 4\n"
                       "       9: 3        1' 1\n"
                       "        : 3        9\n"
                       "      10: 3        0' 0\n"
                       "      11: 4          1, 1\n"
                       "        : 4         -1\n"
                       "        : 3        8\n"
                       "        : 2      8\n"
                       "      12: 2      1, 1\n"
                       "        : 2     -1\n"
                       "        : 1    8\n"
                       "        : 0  8\n");
}

TEST_F(SolverTest, BentThreeDiesToTheBend)
{
    Load(kBentThree);
    EXPECT_EQ(Kill(), "         5/10result = 9------------\n");
    EXPECT_EQ(Status(), "death=5/10");
    EXPECT_EQ(Trace(), "       1: 0  1, 1\n"
                       "       2: 1    1' 2\n"
                       "        : 1    9\n"
                       "       3: 1    2' 1\n"
                       "        : 1    9\n"
                       "       4: 1    0' 0\n"
                       "       5: 2      1, 2\n"
                       "       6: 3        2' 1\n"
                       "       7: 4          1, 1\n"
                       "       8: 5            1' 2\n"
                       "        : 5            9\n"
                       "       9: 5            0' 0\n"
                       "        : 5            9\n"
                       "        : 4          9\n"
                       "        : 3        9\n"
                       "      10: 3        0' 0\n"
                       "        : 3        9\n"
                       "        : 2      9\n"
                       "        : 1    9\n"
                       "        : 0  9\n");
}

TEST_F(SolverTest, SecondLineSevenLivesMovingFirst)
{
    Load(kSecondLineSeven);
    EXPECT_EQ(Live(), "         217/455result = 8------------\n");
    EXPECT_EQ(Status(), "life=217/455");
    const std::string trace = Trace();
    EXPECT_EQ(trace.size(), 4923u);
    EXPECT_EQ(Fnv1a(trace), 584770822u);
    const std::string head = "       1: 0  0, 0\n"
                             "       2: 1    1' 2\n"
                             "       3: 2      1, 3\n"
                             "       4: 3        1' 4\n";
    EXPECT_EQ(trace.substr(0, head.size()), head);
}
