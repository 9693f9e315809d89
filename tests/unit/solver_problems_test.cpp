// Problems every player knows, solved both ways: the verdicts must be the
// textbook ones (within the solver's own rules for passes and ko).
#include "solver_fixture.h"

namespace {

struct Verdicts {
    const char* kill;
    const char* live;
};

// Seven, six or eight white stones on the second line, both ends closed on
// the first line, the first-line points under them as f points.
Problem SecondLine(int stones)
{
    Problem p;
    std::string top = "X";
    std::string second = "X";
    std::string third;
    for (int k = 0; k < stones; ++k) {
        top += '.';
        second += 'O';
        p.moves.push_back({'f', 2 + k, 1});
    }
    top += 'X';
    second += 'X';
    third.assign(stones + 2, 'X');
    p.rows = {top, second, third};
    p.targets = {{2, 2}};
    return p;
}

}  // namespace

class KnownProblemTest : public SolverTest {
protected:
    void Check(const Problem& problem, const Verdicts& expected)
    {
        Load(problem);
        Kill();
        EXPECT_EQ(Status().substr(0, Status().find('=')), expected.kill);
        Live();
        EXPECT_EQ(Status().substr(0, Status().find('=')), expected.live);
    }
};

TEST_F(KnownProblemTest, StraightThreeDiesToTheMiddleOrLivesThere)
{
    Check({{"XO...OX", "XOOOOOX", "XXXXXXX"}, {{'f', 3, 1}, {'f', 4, 1}, {'f', 5, 1}}, {{2, 2}}},
          {"death", "life"});
}

TEST_F(KnownProblemTest, BentThreeInTheCornerDiesOrLives)
{
    Check({{"..OX", ".OOX", "OOXX", "XXX."}, {{'f', 1, 1}, {'f', 2, 1}, {'f', 1, 2}}, {{2, 2}}},
          {"death", "life"});
}

TEST_F(KnownProblemTest, BentFourInTheCornerIsKoForTheKiller)
{
    Check({{"...OX", ".OOOX", "OOXXX", "XXX.."},
           {{'f', 1, 1}, {'f', 2, 1}, {'f', 3, 1}, {'f', 1, 2}},
           {{2, 2}}},
          {"koh", "life"});
}

TEST_F(KnownProblemTest, SixOnTheSecondLineDieEvenMovingFirst)
{
    Check(SecondLine(6), {"death", "death"});
}

TEST_F(KnownProblemTest, SevenOnTheSecondLineBelongToWhoeverMovesFirst)
{
    Check(SecondLine(7), {"death", "life"});
}

TEST_F(KnownProblemTest, EightOnTheSecondLineLiveEvenWhenBlackMovesFirst)
{
    Check(SecondLine(8), {"life", "life"});
}

TEST_F(KnownProblemTest, CapturingRaceOfThreeLibertiesEachGoesToTheFirstMover)
{
    // White's outside liberties are z points (Black fills them), Black's are
    // m points; the black chain's own points are m points for after its capture.
    Problem race{{"X.OX.O.", "X.OX.O.", "X.OX.O.", "XXOXOO.", ".XXOO.."}, {}, {{3, 1}}};
    race.moves = {{'f', 2, 1}, {'f', 5, 1}, {'z', 2, 2}, {'m', 5, 2}, {'z', 2, 3},
                  {'m', 5, 3}, {'m', 4, 1}, {'m', 4, 2}, {'m', 4, 3}, {'m', 4, 4}};
    Check(race, {"death", "life"});
}
