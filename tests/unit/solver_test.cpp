// The solver: one golden table of problems and commands with the verdict,
// the counters, the root scan and a fingerprint of the trace, so that any
// change to the moves tried, their order or the table's reads and stores
// shows; then what the table cannot say.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <fstream>
#include <cstdio>
#include <cstring>

#include "board/group_table.h"
#include "solver/run_control.h"
#include "test_support.h"

namespace {

// Six, seven or eight white stones on the second line, both ends closed on
// the first line, the first-line points under them as f points.
Problem SecondLine(int stones)
{
    Problem p{{"X" + std::string(stones, '.') + "X", "X" + std::string(stones, 'O') + "X",
               std::string(stones + 2, 'X')},
              {},
              {{2, 2}},
              {}};
    for (int k = 0; k < stones; ++k)
        p.moves.push_back({'f', 2 + k, 1});
    return p;
}

// A lone white stone in the corner with its last liberty as an f point.
const Problem kCornerStone{{"O..", "X.."}, {{'f', 2, 1}}, {{1, 1}}, {}};
// Two separate eyes; entries m, f, f with both f points suicide for Black.
const Problem kTwoEyes{{".O.OX", "OOOOX", "XXXXX"}, {{'m', 8, 8}, {'f', 1, 1}, {'f', 3, 1}}, {{2, 2}}, {}};
// White takes a single black stone at (3,1) by playing (4,1); Black may not
// take back at once and passes.
const Problem kKoBan{{".OX.X", "OOOX.", "XX.X.", "..X.."}, {{'f', 4, 1}, {'m', 3, 1}, {'m', 1, 1}}, {{2, 2}}, {}};
const Problem kBentThree{{"..OX", ".OOX", "OOXX", "XXX."}, {{'f', 1, 1}, {'f', 2, 1}, {'f', 1, 2}}, {{2, 2}}, {}};
const Problem kBentFour{{"...OX", ".OOOX", "OOXXX", "XXX.."},
                        {{'f', 1, 1}, {'f', 2, 1}, {'f', 3, 1}, {'f', 1, 2}}, {{2, 2}}, {}};
const Problem kStraightThree{{"XO...OX", "XOOOOOX", "XXXXXXX"}, {{'f', 3, 1}, {'f', 4, 1}, {'f', 5, 1}}, {{2, 2}}, {}};
const Problem kSix = SecondLine(6);
const Problem kSeven = SecondLine(7);
const Problem kEight = SecondLine(8);
// A capturing race of three liberties each: White's outside liberties are z
// points, Black's m points, the black chain's own points m points.
const Problem kRace{{"X.OX.O", "X.OX.O", "X.OX.O", "XXOXOO", ".XXOO."},
                    {{'f', 2, 1}, {'f', 5, 1}, {'z', 2, 2}, {'m', 5, 2}, {'z', 2, 3}, {'m', 5, 3},
                     {'m', 4, 1}, {'m', 4, 2}, {'m', 4, 3}, {'m', 4, 4}},
                    {{3, 1}}, {}};
const Problem kCorner11{{".....OX", "....OOX", "..OOOXX", "OOOXXX.", "XXXX..."},
                        {{'f', 1, 1}, {'f', 2, 1}, {'f', 3, 1}, {'f', 4, 1}, {'f', 5, 1}, {'f', 1, 2},
                         {'f', 2, 2}, {'f', 3, 2}, {'f', 4, 2}, {'f', 1, 3}, {'f', 2, 3}},
                        {{5, 2}}, {}};
const Problem kCorner10{{"....OX", "....OX", "..OOOX", "OOOXXX", "XXXX.."},
                        {{'f', 1, 1}, {'f', 2, 1}, {'f', 3, 1}, {'f', 4, 1}, {'f', 1, 2}, {'f', 2, 2},
                         {'f', 3, 2}, {'f', 4, 2}, {'f', 1, 3}, {'f', 2, 3}},
                        {{3, 3}}, {}};
const Problem kEdge11{{"......OX", ".....OOX", "OOOOOOXX", "XXXXXXX."},
                      {{'f', 1, 1}, {'f', 2, 1}, {'f', 3, 1}, {'f', 4, 1}, {'f', 5, 1}, {'f', 6, 1},
                       {'f', 1, 2}, {'f', 2, 2}, {'f', 3, 2}, {'f', 4, 2}, {'f', 5, 2}},
                      {{6, 2}}, {}};
const Problem kEdge10{{".......OX", "O...OOOOX", "XOOOOXXXX", "XXXXX...."},
                      {{'f', 1, 1}, {'f', 2, 1}, {'f', 3, 1}, {'f', 4, 1}, {'f', 5, 1}, {'f', 6, 1},
                       {'f', 7, 1}, {'f', 2, 2}, {'f', 3, 2}, {'f', 4, 2}},
                      {{5, 2}}, {}};
const Problem kSecondLine11{{"...........", ".XOOOOOOOX.", ".XXXXXXXXXX"},
                            {{'f', 2, 1}, {'f', 3, 1}, {'f', 4, 1}, {'f', 5, 1}, {'f', 6, 1}, {'f', 7, 1},
                             {'f', 8, 1}, {'f', 9, 1}, {'f', 10, 1}, {'f', 11, 1}, {'f', 11, 2}},
                            {{3, 2}}, {}};
// (4,4) is entered twice: a stone there counts in the key for both entries.
const Problem kTwiceEntered{{"X.O.O", "O.O.O", "XX.XO", "OOO.X"},
                            {{'f', 2, 2}, {'z', 2, 1}, {'f', 4, 4}, {'y', 4, 1}, {'y', 4, 2},
                             {'m', 3, 3}, {'f', 4, 4}},
                            {{5, 3}, {2, 4}}, {}};
// Fifteen groups at the root: a search stone that would open a group finds
// the table full and stays outside every group.
const Problem kCrowded{{"X.O.X.O.X.O", "...........", "O.X.O.X.O.X", "...........", "X.O.XX....."},
                       {{'f', 2, 1}, {'f', 4, 1}, {'f', 3, 2}, {'m', 2, 2}, {'m', 4, 2}, {'m', 1, 4},
                        {'m', 2, 4}, {'m', 3, 4}},
                       {{3, 1}}, {}};
// The target point is empty: the first White node finds it taken.
const Problem kTargetTaken{{"X..", "..."}, {{'f', 3, 3}}, {{2, 1}}, {}};
// White's only open point is z: not tried, White passes instead.
const Problem kWhiteZ{{"O.X", "XX."}, {{'f', 3, 2}, {'z', 2, 1}}, {{1, 1}}, {}};
// y at (3,1) touches the black pair (4,1)-(4,2): tried only with the pair in atari.
const Problem kYNoAtari{{"O..XO", "X..XO", "...O.", "....."}, {{'f', 1, 4}, {'y', 3, 1}}, {{1, 1}}, {}};
const Problem kYAtari{{"O..XO", "X.OXO", "...O.", "....."}, {{'f', 1, 4}, {'y', 3, 1}}, {{1, 1}}, {}};
// z at (2,1) touches the target, z at (4,1) touches nothing white.
const Problem kBlackZ{{"O...", "....", "....", "...."}, {{'f', 4, 4}, {'z', 4, 1}, {'z', 2, 1}}, {{1, 1}}, {}};
// Five open points; White's root move cannot save the stone. With a z point
// more only four count, and White may pass.
const Problem kFiveOpen{{"O....", "X...."},
                        {{'f', 2, 1}, {'m', 3, 1}, {'m', 4, 1}, {'m', 5, 1}, {'m', 5, 2}}, {{1, 1}}, {}};
const Problem kFourOpen{{"O....", "X...."},
                        {{'f', 2, 1}, {'m', 3, 1}, {'m', 4, 1}, {'m', 5, 1}, {'m', 5, 2}, {'z', 3, 2}},
                        {{1, 1}}, {}};
const Problem kTwoRoots{{"O....", "X...."}, {{'f', 2, 1}, {'f', 3, 1}}, {{1, 1}}, {}};
const Problem kFourEntries{{"O....", "X...."}, {{'f', 2, 1}, {'m', 3, 1}, {'m', 4, 1}, {'m', 5, 1}}, {{1, 1}}, {}};
const Problem kNoF{{"O..", "X.."}, {{'m', 2, 1}}, {{1, 1}}, {}};
// The f entry was made on a white stone erased afterwards: never a root move.
const Problem kEnteredWhite{{"OO.", "X.."}, {{'f', 2, 1}}, {{1, 1}}, {{'s', 2, 1}}};
// A black stone put on the first f point after it was entered: skipped.
const Problem kEnteredThenTaken{{"O..", "X.."}, {{'f', 2, 1}, {'f', 3, 1}}, {{1, 1}}, {{'b', 2, 1}}};
// The stone that takes the corner's last outside liberty comes after the
// groups were built: the run rebuilds them first.
const Problem kStale{{"O..", "..."}, {{'f', 2, 1}}, {{1, 1}}, {{'b', 1, 2}}};

struct Golden {
    const char* name;
    const Problem* problem;
    bool live;          // "start to live" instead of "start to kill"
    int fill;           // history entries before the run
    bool ignore;        // the exhaustion check off
    const char* status; // verdict, positions expanded, moves and passes played
    int code;           // the result on the summary line
    const char* processed;  // the "processed N of f-moves" places, in order
    std::size_t traceSize;
    std::uint32_t traceFnv;
    long fullTable;     // how often the search met the full group table
};

const Golden kGolden[] = {
    {"corner stone kill", &kCornerStone, false, 0, false, "death=0/1", 9, "1", 33, 1681361264u, 0},
    {"corner stone live", &kCornerStone, true, 0, false, "death=2/3", 9, "1", 107, 2744085094u, 0},
    {"two eyes kill: suicide roots", &kTwoEyes, false, 0, false, "life=0/2", -1, "2,3", 66, 1841573250u, 0},
    {"two eyes live: only f roots", &kTwoEyes, true, 0, false, "life=4/12", 8, "2,3", 500, 958591030u, 0},
    {"ko ban live", &kKoBan, true, 0, false, "life=7/12", 8, "1", 504, 774393869u, 0},
    {"bent three kill", &kBentThree, false, 0, false, "death=5/10", 9, "1", 430, 3035239587u, 0},
    {"bent three live", &kBentThree, true, 0, false, "life=2/4", 8, "1", 152, 1718194092u, 0},
    {"bent four kill", &kBentFour, false, 0, false, "koh=26/52", 7, "1,2,3,4", 1806, 3567355772u, 0},
    {"bent four live", &kBentFour, true, 0, false, "life=6/11", 8, "1", 479, 2718940308u, 0},
    {"straight three kill", &kStraightThree, false, 0, false, "death=7/14", 9, "1,2", 582, 428881528u, 0},
    {"straight three live", &kStraightThree, true, 0, false, "life=4/8", 8, "1,2", 320, 2233846499u, 0},
    {"second-line six kill", &kSix, false, 0, false, "death=63/123", 9, "1", 4060, 163202671u, 0},
    {"second-line six live", &kSix, true, 0, false, "death=211/430", 9, "1,2,3,4,5,6", 7541, 1242836963u, 0},
    {"second-line seven kill", &kSeven, false, 0, false, "death=211/430", 9, "1", 7541, 1518059708u, 0},
    {"second-line seven live", &kSeven, true, 0, false, "life=217/455", 8, "1", 4923, 584770822u, 0},
    {"second-line eight kill", &kEight, false, 0, false, "life=835/1806", 8, "1,2,3,4,5,6,7,8", 21342, 1149401779u, 0},
    {"second-line eight live", &kEight, true, 0, false, "life=549/1182", 8, "1", 6604, 2043619695u, 0},
    {"race kill", &kRace, false, 0, false, "death=262/483", 9, "1", 2155, 3981160968u, 0},
    {"race live", &kRace, true, 0, false, "life=334/602", 8, "1,2", 2346, 2741591693u, 0},
    {"corner-11 kill", &kCorner11, false, 0, false, "life=53419/123356", 8, "1,2,3,4,5,6,7,8,9,10,11", 83199, 3873617648u, 0},
    {"corner-10 live", &kCorner10, true, 0, false, "life=20640/46829", 8, "1", 11489, 171329793u, 0},
    {"edge-11 kill", &kEdge11, false, 0, false, "life=37907/83283", 8, "1,2,3,4,5,6,7,8,9,10,11", 39241, 745911240u, 0},
    {"edge-10 live", &kEdge10, true, 0, false, "life=5677/12521", 8, "1", 20135, 3205611680u, 0},
    {"second-line-11 kill", &kSecondLine11, false, 0, false, "life=6052/14761", 8, "1,2,3,4,5,6,7,8,9,10,11", 40143, 3042539351u, 0},
    {"second-line-11 live", &kSecondLine11, true, 0, false, "life=2009/4571", 8, "1", 7231, 1569106056u, 0},
    {"twice entered kill", &kTwiceEntered, false, 0, false, "life=1107/1220", 8, "1,3,7", 11624, 1617999275u, 0},
    {"twice entered live", &kTwiceEntered, true, 0, false, "life=36/62", 8, "1", 1349, 857272494u, 0},
    {"crowded kill", &kCrowded, false, 0, false, "death=1129/1173", 9, "1", 6591, 3320223017u, 79},
    {"crowded live", &kCrowded, true, 0, false, "death=12539/12607", 9, "1,2,3", 11439, 2889156421u, 720},
    {"target already taken", &kTargetTaken, true, 0, false, "death=0/1", 9, "", 33, 1255871819u, 0},
    {"white never plays z", &kWhiteZ, true, 0, false, "death=1/3", 9, "1", 107, 2499366243u, 0},
    {"white y without atari", &kYNoAtari, false, 0, false, "death=1/2", 9, "1", 70, 3110424704u, 0},
    {"white y taking", &kYAtari, false, 0, false, "death=1/3", 9, "1", 107, 2803436331u, 0},
    {"black z only next to white", &kBlackZ, true, 0, false, "death=7/9", 9, "1", 381, 1907290744u, 0},
    {"no white pass with five open", &kFiveOpen, true, 0, false, "death=3/7", 9, "1", 291, 49864054u, 0},
    {"white pass with four open", &kFourOpen, true, 0, false, "death=3/8", 9, "1", 328, 2246785648u, 0},
    {"ply cap 1: exhausted lines", &kTwoRoots, true, kHistorySize - 2, false, "exhst=1/3", -3, "1,2", 107, 1472468416u, 0},
    {"ply cap 1, check off", &kTwoRoots, true, kHistorySize - 2, true, "exhst=1/2", -3, "1", 70, 1157820466u, 0},
    {"ply cap 2", &kFourEntries, true, 118, false, "exhst=2/5", -3, "1", 193, 8327991u, 0},
    {"full history kill", &kCornerStone, false, kHistorySize, false, "exhst=0/0", -3, "", 0, 2166136261u, 0},
    {"full history live", &kCornerStone, true, kHistorySize, false, "exhst=0/0", -3, "", 0, 2166136261u, 0},
    {"seven kill late", &kSeven, false, 67, false, "death=211/430", 9, "1", 7541, 1518059708u, 0},
    {"seven kill later", &kSeven, false, 110, false, "death=227/470", 9, "1", 10517, 478279333u, 0},
    {"seven live, one slot left", &kSeven, true, kHistorySize - 1, false, "exhst=0/1", -3, "", 33, 707849050u, 0},
    {"no f entry", &kNoF, false, 0, false, "?=0/0", 0, "", 0, 2166136261u, 0},
    {"f entered on a white stone", &kEnteredWhite, false, 0, false, "?=0/0", 0, "", 0, 2166136261u, 0},
    {"f point taken after entry", &kEnteredThenTaken, false, 0, false, "?=2/2", 0, "2", 70, 1020681559u, 0},
    {"stale groups rebuilt", &kStale, false, 0, false, "death=0/1", 9, "1", 33, 1681361264u, 0},
};

class SolverTest : public ScratchDirTest {
protected:
    // Runs a command; returns the summary line it printed.
    std::string Run(bool live)
    {
        std::FILE* out = std::tmpfile();
        view().m_summaryOut = out;
        live ? view().OnStartDef() : view().OnStartAtk();
        view().m_summaryOut = nullptr;
        std::string text;
        std::rewind(out);
        for (int c; (c = std::fgetc(out)) != EOF;)
            text += char(c);
        std::fclose(out);
        return text;
    }
};

std::string Processed(const Rows& status)
{
    std::string out;
    for (const std::string& s : status)
        if (s.rfind("processed ", 0) == 0)
            out += (out.empty() ? "" : ",") + s.substr(10, s.find(' ', 10) - 10);
    return out;
}

}  // namespace

TEST_F(SolverTest, GoldenRuns)
{
    CKovraView& v = view();
    for (const Golden& g : kGolden) {
        SCOPED_TRACE(g.name);
        LoadProblem(v, *g.problem);
        FillHistory(v, g.fill);
        v.m_exhaustCheck = g.ignore ? 0 : 1;
        const Rows board = BoardRows(v);
        const int start = v.m_histCount;
        const std::string history(v.m_histKind, v.m_histKind + start);
        h.frame.status.clear();

        const std::string summary = Run(g.live);
        const std::string trace = ReadFile("db.txt");
        const std::string status = h.frame.Last();
        const std::string processed = Processed(h.frame.status);
        const long fullTable = std::count(h.frame.status.begin(), h.frame.status.end(), kGroupTableFull);
        // The verdict, then the counters, then the trace: a failure says which changed.
        const std::string golden = g.status;
        EXPECT_EQ(status.substr(0, status.find('=')), golden.substr(0, golden.find('='))) << "the verdict";
        EXPECT_EQ(v.m_solverResult, g.code);
        EXPECT_EQ(status, g.status) << "the counters";
        EXPECT_EQ(processed, g.processed) << "the root scan";
        EXPECT_EQ(fullTable, g.fullTable) << "full group table messages";
        EXPECT_EQ(trace.size(), g.traceSize) << "the trace's size";
        EXPECT_EQ(Fnv1a(trace), g.traceFnv) << "the trace's bytes";
        const std::string counters = status.substr(status.find('=') + 1);
        EXPECT_EQ(summary, "         " + counters + "result = " + std::to_string(g.code) + "------------\n");
        // The position, and the history before the run, are as they were;
        // only "start to live" keeps its root pass, where there is room.
        EXPECT_EQ(BoardRows(v), board);
        EXPECT_EQ(v.m_histCount, start + (g.live && start < kHistorySize ? 1 : 0));
        EXPECT_EQ(std::string(v.m_histKind, v.m_histKind + start), history);
        EXPECT_EQ(v.m_histBase, start);
        EXPECT_EQ(v.m_ply, 0);
        v.m_exhaustCheck = 1;
    }
}

TEST_F(SolverTest, WithoutTargetsTheRunIsRefusedAfterTheTableIsCleared)
{
    CKovraView& v = view();
    v.m_resultTable[5] = 0x98;
    v.m_solverResult = kLife;
    v.m_board[3][3] = kWhite;
    v.m_groupsStale = 1;
    EXPECT_EQ(Run(false), "");
    EXPECT_EQ(h.frame.Last(), "specify target stones");
    EXPECT_EQ(v.m_resultTable[5], 0);
    EXPECT_EQ(v.m_solverResult, kLife);
    EXPECT_EQ(v.m_groupsStale, 1);
    struct stat info;
    EXPECT_NE(stat("db.txt", &info), 0);  // no trace opened
}

TEST_F(SolverTest, BlackRefusesAMoveRepeatedFromTheSamePositionFourPliesUp)
{
    // The node expands at ply 4 (3 + 1) and looks back to ply 0, where the
    // same position was left by entry 0: the entry is refused and the node
    // is ko. At ply 2 (1 + 1) nothing is far enough up: the entry is played.
    for (const int ply : {3, 1}) {
        CKovraView& v = view();
        LoadProblem(v, {{"O...", "...."}, {{'f', 3, 1}}, {{1, 1}}, {}});
        std::memset(v.m_resultTable, 0, sizeof v.m_resultTable);
        v.m_ply = ply;
        v.m_keyAtPly[0] = v.m_keyAtPly[ply] = v.KeyOfBoard(v.Board());
        v.m_moveAtPly[0] = 0;
        v.m_playCount = 0;
        const int r = v.SearchBlack(-1, v.Board(), v.GroupMap(), v.m_groupColor, v.m_groupStones,
                                    v.m_groupCount);
        EXPECT_EQ(r == kKo, ply == 3) << ply;
        EXPECT_EQ(v.m_playCount == 0, ply == 3) << ply;
    }
}

// Long reads: counters that pass the largest 32-bit value wrap without
// overflow, and reads are watched and stopped from outside.
TEST_F(SolverTest, CountersWrapPastTheLargestValueWithoutOverflow)
{
    CKovraView& v = view();
    LoadProblem(v, kSecondLine11);
    v.RebuildGroups();
    const auto search = [&v](std::int32_t start) {
        std::fill(v.m_resultTable, v.m_resultTable + kTableSize, 0);
        v.m_nodeCount = v.m_playCount = start;
        v.SearchBlack(-1, v.Board(), v.GroupMap(), v.m_groupColor, v.m_groupStones, v.m_groupCount);
        return std::make_pair(v.m_nodeCount, v.m_playCount);
    };
    const auto from0 = search(0);
    ASSERT_GT(from0.first, 10);
    const auto nearLimit = search(INT_MAX - 9);
    EXPECT_EQ(nearLimit.first, INT_MIN + from0.first - 10);
    EXPECT_EQ(nearLimit.second, INT_MIN + from0.second - 10);
}

TEST_F(SolverTest, AWatchedReadThatRunsToTheEndGivesTheSameOutput)
{
    CKovraView& v = view();
    LoadProblem(v, kSecondLine11);
    const std::string summary = Run(false);
    const std::string trace = ReadFile("db.txt");
    std::atomic<bool> cancel{false};
    CRunControl control;
    control.cancel = &cancel;
    v.m_runControl = &control;
    EXPECT_EQ(Run(false), summary);
    EXPECT_EQ(ReadFile("db.txt"), trace);
    EXPECT_FALSE(v.m_runCancelled);
    EXPECT_GE(control.nodes.load(), std::int32_t(kPollNodes));
    EXPECT_GE(control.rootEntry.load(), 0);
    v.m_runControl = nullptr;
}

// Stopped: "cancelled", no summary, the position and the old trace as
// before, an empty table and no result to verify.
TEST_F(SolverTest, AStoppedReadLeavesEverythingAsBefore)
{
    CKovraView& v = view();
    std::atomic<bool> cancel{true};
    CRunControl control;
    control.cancel = &cancel;
    for (const bool live : {false, true}) {
        LoadProblem(v, live ? kCorner10 : kSecondLine11);
        v.m_runControl = &control;
        std::ofstream("db.txt") << "old\n";
        const Rows board = BoardRows(v);
        const int hist = v.m_histCount;
        v.m_solverResult = kDeath;
        EXPECT_EQ(Run(live), "");
        EXPECT_EQ(h.frame.Last(), "cancelled");
        EXPECT_TRUE(v.m_runCancelled);
        EXPECT_EQ(v.m_solverResult, 0);
        EXPECT_EQ(BoardRows(v), board);
        EXPECT_EQ(v.m_histCount, hist);
        EXPECT_EQ(v.m_ply, 0);
        EXPECT_TRUE(std::all_of(v.m_resultTable, v.m_resultTable + kTableSize,
                                [](unsigned char c) { return c == 0; }));
        EXPECT_EQ(ReadFile("db.txt"), "old\n");
        v.m_runControl = nullptr;
    }
}
