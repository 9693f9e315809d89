// Recorded counters and trace fingerprints of larger problems (10 and 11
// candidate points). The counters and the trace are program output that users
// compare between versions: any change to the search that alters the moves
// tried, their order or the table reads and stores shows up here.
#include "solver_fixture.h"

#include <algorithm>

#include "board/group_table.h"

namespace {

const Problem kCorner11{{".....OX", "....OOX", "..OOOXX", "OOOXXX.", "XXXX..."},
     {{'f', 1, 1}, {'f', 2, 1}, {'f', 3, 1}, {'f', 4, 1}, {'f', 5, 1}, {'f', 1, 2}, {'f', 2, 2}, {'f', 3, 2}, {'f', 4, 2}, {'f', 1, 3}, {'f', 2, 3}},
     {{5, 2}}};

const Problem kCorner10{{"....OX", "....OX", "..OOOX", "OOOXXX", "XXXX.."},
     {{'f', 1, 1}, {'f', 2, 1}, {'f', 3, 1}, {'f', 4, 1}, {'f', 1, 2}, {'f', 2, 2}, {'f', 3, 2}, {'f', 4, 2}, {'f', 1, 3}, {'f', 2, 3}},
     {{3, 3}}};

const Problem kEdge11{{"......OX", ".....OOX", "OOOOOOXX", "XXXXXXX."},
     {{'f', 1, 1}, {'f', 2, 1}, {'f', 3, 1}, {'f', 4, 1}, {'f', 5, 1}, {'f', 6, 1}, {'f', 1, 2}, {'f', 2, 2}, {'f', 3, 2}, {'f', 4, 2}, {'f', 5, 2}},
     {{6, 2}}};

const Problem kEdge10{{".......OX", "O...OOOOX", "XOOOOXXXX", "XXXXX...."},
     {{'f', 1, 1}, {'f', 2, 1}, {'f', 3, 1}, {'f', 4, 1}, {'f', 5, 1}, {'f', 6, 1}, {'f', 7, 1}, {'f', 2, 2}, {'f', 3, 2}, {'f', 4, 2}},
     {{5, 2}}};

const Problem kRace10{{"X.OX.O", "X.OX.O", "X.OX.O", "XXOXOO", ".XXOO."},
     {{'f', 2, 1}, {'f', 5, 1}, {'z', 2, 2}, {'m', 5, 2}, {'z', 2, 3}, {'m', 5, 3}, {'m', 4, 1}, {'m', 4, 2}, {'m', 4, 3}, {'m', 4, 4}},
     {{3, 1}}};

const Problem kSecondLine11{{"...........", ".XOOOOOOOX.", ".XXXXXXXXXX"},
     {{'f', 2, 1}, {'f', 3, 1}, {'f', 4, 1}, {'f', 5, 1}, {'f', 6, 1}, {'f', 7, 1}, {'f', 8, 1}, {'f', 9, 1}, {'f', 10, 1}, {'f', 11, 1}, {'f', 11, 2}},
     {{3, 2}}};

// The point (4,4) is entered twice: a stone there counts in the key for both
// entries.
const Problem kTwiceEntered{{"X.O.O", "O.O.O", "XX.XO", "OOO.X"},
                            {{'f', 2, 2}, {'z', 2, 1}, {'f', 4, 4}, {'y', 4, 1}, {'y', 4, 2},
                             {'m', 3, 3}, {'f', 4, 4}},
                            {{5, 3}, {2, 4}}};

// Fifteen groups at the root: every search stone that would open a group
// finds the table full and stays outside every group.
const Problem kCrowded{{"X.O.X.O.X.O", "...........", "O.X.O.X.O.X", "...........", "X.O.XX....."},
                       {{'f', 2, 1}, {'f', 4, 1}, {'f', 3, 2}, {'m', 2, 2}, {'m', 4, 2},
                        {'m', 1, 4}, {'m', 2, 4}, {'m', 3, 4}},
                       {{3, 1}}};

struct Recorded {
    const char* name;
    const Problem* problem;
    bool live;
    const char* verdict;  // the status text: verdict, nodes expanded, plays
    std::uint32_t traceFnv;
    std::size_t traceSize;
};

const Recorded kRecorded[] = {
    {"corner-11 kill", &kCorner11, false, "life=53419/123356", 3873617648u, 83199},
    {"corner-10 live", &kCorner10, true, "life=20640/46829", 171329793u, 11489},
    {"edge-11 kill", &kEdge11, false, "life=37907/83283", 745911240u, 39241},
    {"edge-10 live", &kEdge10, true, "life=5677/12521", 3205611680u, 20135},
    {"race-10 kill", &kRace10, false, "death=262/483", 3981160968u, 2155},
    {"race-10 live", &kRace10, true, "life=334/602", 2741591693u, 2346},
    {"second-line-11 kill", &kSecondLine11, false, "life=6052/14761", 3042539351u, 40143},
    {"second-line-11 live", &kSecondLine11, true, "life=2009/4571", 1569106056u, 7231},
    {"twice-entered kill", &kTwiceEntered, false, "life=1107/1220", 1617999275u, 11624},
    {"twice-entered live", &kTwiceEntered, true, "life=36/62", 857272494u, 1349},
};

}  // namespace

TEST_F(SolverTest, CountersAndTracesMatchTheRecordedRuns)
{
    for (const Recorded& r : kRecorded) {
        SCOPED_TRACE(r.name);
        Load(*r.problem);
        r.live ? Live() : Kill();
        const std::string trace = Trace();
        EXPECT_EQ(Status(), r.verdict);
        EXPECT_EQ(trace.size(), r.traceSize);
        EXPECT_EQ(Fnv1a(trace), r.traceFnv);
        view().m_targetCount = 0;
    }
}

TEST_F(SolverTest, AFullGroupTableInTheSearchMatchesTheRecordedRuns)
{
    struct Run {
        bool live;
        const char* verdict;
        std::uint32_t traceFnv;
        std::size_t traceSize;
        long fullTableTexts;  // how often the search met the full table
    };
    const Run runs[] = {{false, "death=1129/1173", 3320223017u, 6591, 79},
                        {true, "death=12539/12607", 2889156421u, 11439, 720}};
    for (const Run& r : runs) {
        SCOPED_TRACE(r.live ? "live" : "kill");
        Load(kCrowded);
        ASSERT_EQ(view().m_groupCount, 15);
        h.frame.status.clear();
        r.live ? Live() : Kill();
        const std::string trace = Trace();
        EXPECT_EQ(Status(), r.verdict);
        EXPECT_EQ(trace.size(), r.traceSize);
        EXPECT_EQ(Fnv1a(trace), r.traceFnv);
        EXPECT_EQ(std::count(h.frame.status.begin(), h.frame.status.end(), kGroupTableFull),
                  r.fullTableTexts);
        view().m_targetCount = 0;
    }
}
